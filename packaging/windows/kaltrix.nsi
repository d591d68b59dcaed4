; The Kaltrix installer: per user, without administrator rights, into %LOCALAPPDATA%\Programs\Kaltrix,
; with a Start-menu shortcut, an uninstaller and an entry in the installed-programs list.
; scripts/windows.sh passes VERSION, STAGE (the program folder), UNINSTALL_FILES, ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kaltrix"

Name "Kaltrix"
Caption "Kaltrix ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kaltrix"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Kaltrix"
VIAddVersionKey "CompanyName" "Orvena"
VIAddVersionKey "FileDescription" "Kaltrix Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Orvena"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Kaltrix"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Kaltrix.lnk" "$INSTDIR\kaltrix.exe" "" "$INSTDIR\kaltrix.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kaltrix"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Orvena"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kaltrix.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kaltrix.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
