#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# The Windows packages under Wine, used as a person would: a silent install, the first start, the settings
# it stores, a second start refused, a help page through Wine's browser bridge, the installer and uninstaller
# refused while Kaltrix runs, the whole test by keyboard, an earlier version's short dates, a silent
# uninstall; then the interactive installer to its finish page and "Run Kaltrix", reinstalls into a folder
# the user chose, an install over a failing uninstaller refused, an older version refused over a newer one,
# and the portable zip, unpacked again over a used copy. Wine's windows have no
# accessibility bus here, so windows are found by title and size, and what they show is read off
# screenshots, kept in OUT.
# Usage: smoke.sh DIST OUT
set -euo pipefail
dist=$(realpath "$1")
out=$(realpath -m "$2")
if [ -z "${KALTRIX_SMOKE_DISPLAY:-}" ]; then
    rm -rf "$out" && mkdir -p "$out"
    exec env KALTRIX_SMOKE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$@"
fi

export WINEPREFIX=$out/wine WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8
export BROWSER=$out/browser KALTRIX_E2E_BROWSER_LOG=$out/browser.log XDG_DATA_DIRS=$out/no-handlers
unset WINEPATH # the installed program must find everything it needs in its own folder
mkdir -p "$XDG_DATA_DIRS"
install -m 755 "$(dirname "$0")/../e2e/browser-recorder.sh" "$BROWSER"
step=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
shot() { step=$((step + 1)); import -window root "$out/$(printf %02d "$step")-$1.png"; }

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.25
    done
}
# The visible window with exactly this title (and this client width), by X id.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | while read -r id; do
    [ -z "${2:-}" ] || [ "$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" = "$2" ] &&
        echo "$id"; done | head -n 1 | grep .; }
keys() { local k; for k in "$@"; do xdotool key --clearmodifiers "$k"; sleep 0.3; done; }
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }
# Pixels of the layout's grey (the question frames and Next) in a window.
grey_pixels() { import -window "$1" png:- | convert png:- -fill black +opaque "rgb(128,128,128)" \
    -fill white -opaque "rgb(128,128,128)" -format "%[fx:round(mean*w*h)]" info:; }
settings() { # the program's registry entries, one "name=value" a line, exactly as stored
    wine reg export 'HKCU\Software\VB and VBA Program Settings\kaltrix\Settings' "$(winepath -w "$out/settings.reg")" /y \
        >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$out/settings.reg" | tr -d '\r' | sed -n 's/^"\(.*\)"="\(.*\)"$/\1=\2/p'
}
# The shift in Windows-1252, whose five unassigned codes stand for themselves, as Windows converts them.
scramble() { python3 -c 'import sys
def char(b):
    try:
        return bytes([b]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(b)
print("".join(char((ord(c) + 85) % 256) for c in sys.argv[1]))' "$1"; }
# store DURATION INSTALL: the two entries as the program keeps them, written into the registry.
store() {
    python3 - "$(scramble Duration)" "$(scramble "$1")" "$(scramble Install)" "$(scramble "$2")" "$out/store.reg" <<'PY'
import sys
k1, v1, k2, v2, path = sys.argv[1:]
esc = lambda t: t.replace("\\", "\\\\").replace('"', '\\"')
text = ("Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\kaltrix\\Settings]\r\n"
        f'"{esc(k1)}"="{esc(v1)}"\r\n"{esc(k2)}"="{esc(v2)}"\r\n')
open(path, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY
    wine reg import "$(winepath -w "$out/store.reg")" >/dev/null 2>&1
}
# start NAME [PROGRAM]: starts the installed program (or PROGRAM) in the background.
start() { (cd "$out" && wine "${2:-$program}"; echo $? >"$out/$1.status") >"$out/$1.log" 2>&1 & }
# leave NAME WINDOW: the program ends through its exit screen.
leave() {
    focus "$2"; keys alt+x
    wait_for 30 window "Kaltrix v1.0" 741 || { fail "$1: no exit screen"; return; }
    focus "$(window "Kaltrix v1.0" 741)"; keys alt+x
    wait_for 30 test -f "$out/$1.status" || fail "$1: the program did not end"
}
# The folder a shortcut starts its program in, read off the .lnk file.
start_in() { python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 20)[0]
at = 0x4C
if flags & 0x1:  # the target's ID list
    at += 2 + struct.unpack_from("<H", data, at)[0]
if flags & 0x2:  # the link info
    at += struct.unpack_from("<I", data, at)[0]
wide = flags & 0x80
for bit in (0x4, 0x8, 0x10):  # name, relative path, working folder, in that order
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        size = count * (2 if wide else 1)
        text = data[at + 2:at + 2 + size].decode("utf-16-le" if wide else "latin-1")
        at += 2 + size
        if bit == 0x10:
            print(text.rstrip("\0"))  # Wine counts the terminating zero
PY
}
# The installed files with their sizes and times, to tell that nothing changed.
listing() { (cd "$1" && find . -type f -printf '%p %s %T@\n' | sort); }

openbox --sm-disable >/dev/null 2>&1 &
wineboot --init >/dev/null 2>&1
wineserver --wait

setup=$(ls "$dist"/kaltrix-*-win64-setup.exe)
echo "-- the installer on Windows 7"
code=0; wine "$setup" /S || code=$?
[ $code = 4 ] || fail "the installer on Windows 7 ended with $code"
wine winecfg -v win10 >/dev/null 2>&1 # what Kaltrix needs, from here on

echo "-- the silent installer"
wine "$setup" /S
local_appdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
folder=$local_appdata/Programs/Kaltrix
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kaltrix'
[ -f "$folder/kaltrix.exe" ] && [ -f "$folder/platforms/qwindows.dll" ] || fail "nothing installed in $folder"
[ -f "$start_menu/Kaltrix.lnk" ] || fail "no Start-menu shortcut"
[ "$(start_in "$start_menu/Kaltrix.lnk")" = "$(winepath -w "$folder")" ] ||
    fail "the shortcut starts in $(start_in "$start_menu/Kaltrix.lnk")"
for terms in LICENSE.txt THIRD-PARTY-NOTICES.txt SECURITY.md; do [ -s "$folder/$terms" ] || fail "no $terms installed"; done
[ ! -e "$folder/kaltrix.ini" ] && [ ! -e "$folder/kaltrix.portable" ] || fail "the installer shipped a portable copy"
[ "$(find "$local_appdata/Programs" -name kaltrix.exe | wc -l)" = 1 ] || fail "Windows 7 got an installation"
entry() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
[ -n "$(entry UninstallString)" ] || fail "no installed-programs entry"
for name in EstimatedSize URLInfoAbout HelpLink URLUpdateInfo; do
    [ -n "$(entry "$name")" ] || fail "the installed-programs entry has no $name"
done
[ "$(entry HelpLink)" = "https://kaltrix.orvena.com/kaltrix-help.html" ] || fail "HelpLink is $(entry HelpLink)"

echo "-- the first start"
program=$(winepath -w "$folder/kaltrix.exe")
# Every library the program loads is either its own, from its folder, or Windows' own.
(cd "$out" && WINEDEBUG=+loaddll wine "$program"; echo $? >"$out/first.status") >"$out/first.log" 2>&1 &
wait_for 60 window "Kaltrix v1.0" 497 || fail "no main window"
main=$(window "Kaltrix v1.0" 497 || true)
sleep 1
shot main
strays=$(grep ': native' "$out/first.log" | grep -vF "$(winepath -w "$folder" | sed 's/\\/\\\\/g')" || true)
[ -z "$strays" ] || fail "libraries from outside the program's folder: $strays"
grep -q 'Qt6Core.dll" at .*: native' "$out/first.log" || fail "no record of the libraries loaded"
expected="$(scramble Duration)=$(scramble "$(date +%Y-%m-%d)")"$'\n'"$(scramble Install)=$(scramble 1)"
[ "$(settings | sort)" = "$(sort <<<"$expected")" ] || fail "the first start stored: $(settings)"

echo "-- a second start"
(cd "$out" && wine "$program"; echo $? >"$out/second.status") >"$out/second.log" 2>&1 &
if wait_for 60 window "Kaltrix"; then
    sleep 1
    shot already-running
    refusal=$(window "Kaltrix")
    focus "$refusal"
    keys Return
    wait_for 30 test -f "$out/second.status" || fail "the second start did not end"
    [ "$(cat "$out/second.status" 2>/dev/null)" = 0 ] || fail "the second start ended with $(cat "$out/second.status")"
else
    fail "no \"Application is already running\""
fi
window "Kaltrix v1.0" 497 >/dev/null && [ ! -f "$out/first.status" ] || fail "the first instance did not go on"

echo "-- Help > Online Help"
focus "$main"
keys alt+h o
wait_for 30 grep -q . "$KALTRIX_E2E_BROWSER_LOG" || fail "the browser got nothing"
grep -qx "https://kaltrix.orvena.com/kaltrix-help.html" "$KALTRIX_E2E_BROWSER_LOG" ||
    fail "the browser got: $(cat "$KALTRIX_E2E_BROWSER_LOG" 2>/dev/null)"

echo "-- the installer and the uninstaller while Kaltrix runs"
before=$(listing "$folder")
code=0; wine "$setup" /S || code=$?
[ $code = 3 ] || fail "a silent install while Kaltrix runs ended with $code"
code=0; wine "$(winepath -w "$folder/uninstall.exe")" /S "_?=$(winepath -w "$folder")" || code=$?
[ $code = 3 ] || fail "a silent uninstall while Kaltrix runs ended with $code"
[ "$(listing "$folder")" = "$before" ] || fail "files changed while Kaltrix ran"

echo "-- the whole test by keyboard"
focus "$main"
xdotool type --delay 80 anna
keys alt+t
wait_for 30 window "Kaltrix v1.0" 555 || fail "no test window"
test_window=$(window "Kaltrix v1.0" 555 || true)
sleep 1
shot question-1
[ "$(grey_pixels "$test_window")" -gt 20000 ] || fail "question 1 shows no grey question frames"
focus "$test_window"
for _ in 1 2 3 4 5 6 7 8 9 10; do keys alt+n; done
sleep 1
shot result
[ "$(grey_pixels "$test_window")" -lt 100 ] || fail "the tenth Next did not lead to the result view"
keys alt+f x
wait_for 30 window "Kaltrix v1.0" 741 || fail "no exit screen"
exit_screen=$(window "Kaltrix v1.0" 741 || true)
xprop -id "$exit_screen" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the exit screen is not topmost"
wait_for 30 sh -c '! xdotool search --onlyvisible --name "^Kaltrix v1.0\$" getwindowgeometry %@ | grep -q "Geometry: 555x"' ||
    fail "the test window stayed"
sleep 1 # Wine maps a window before it paints it
shot exit-screen
focus "$exit_screen"
keys alt+x
wait_for 30 test -f "$out/first.status" || fail "the program did not end"
[ "$(cat "$out/first.status" 2>/dev/null)" = 0 ] || fail "the program ended with $(cat "$out/first.status")"

echo "-- an earlier version's short dates"
short() { date -d "$1" +%-m/%-d/%Y; } # Wine's English (United States) short format
store "$(short '-5 days')" 3
start recent
wait_for 60 window "Kaltrix v1.0" 497 || fail "recent: no main window"
! window "Kaltrix" >/dev/null || fail "a short date 5 days ago brought the question"
expected="$(scramble Duration)=$(scramble "$(short '-5 days')")"$'\n'"$(scramble Install)=$(scramble 3)"
[ "$(settings | sort)" = "$(sort <<<"$expected")" ] || fail "a short date 5 days ago was rewritten: $(settings)"
leave recent "$(window "Kaltrix v1.0" 497 || true)"
store "$(short '-20 days')" 3
start due
if wait_for 60 window "Kaltrix"; then
    shot reminder
    focus "$(window "Kaltrix")"
    keys alt+n
    wait_for 60 window "Kaltrix v1.0" 497 || fail "due: no main window after the question"
    expected="$(scramble Duration)=$(scramble "$(date +%Y-%m-%d)")"$'\n'"$(scramble Install)=$(scramble 3)"
    [ "$(settings | sort)" = "$(sort <<<"$expected")" ] || fail "an answered question stored: $(settings)"
    leave due "$(window "Kaltrix v1.0" 497 || true)"
else
    fail "a short date 20 days ago asked nothing"
fi

echo "-- the silent uninstaller"
wine "$(winepath -w "$folder/uninstall.exe")" /S
wait_for 60 test ! -e "$folder" || fail "left behind: $(find "$folder" 2>/dev/null | tr '\n' ' ')"
[ ! -e "$start_menu/Kaltrix.lnk" ] || fail "the shortcut stayed"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the installed-programs entry stayed"

echo "-- the installer by keyboard, to its finish page and Run Kaltrix"
(cd "$out" && wine "$setup"; echo $? >"$out/setup.status") >"$out/setup.log" 2>&1 &
wait_for 60 window "Kaltrix .* Setup *" || fail "no installer window"
focus "$(window "Kaltrix .* Setup *" || true)"
shot installer-licence
keys Return # I Agree
shot installer-folder
keys Return # Install, in the folder offered
wait_for 120 test -f "$folder/uninstall.exe" || fail "the interactive installer installed nothing"
sleep 3
shot installer-finish
focus "$(window "Kaltrix .* Setup *" || true)"
keys Return # Finish, with Run Kaltrix ticked
wait_for 60 window "Kaltrix v1.0" 497 || fail "Run Kaltrix started nothing"
wait_for 30 test -f "$out/setup.status" && [ "$(cat "$out/setup.status")" = 0 ] || fail "the installer did not end well"
focus "$(window "Kaltrix v1.0" 497 || true)"; keys alt+x
wait_for 30 window "Kaltrix v1.0" 741 && { focus "$(window "Kaltrix v1.0" 741)"; keys alt+x; }
wait_for 30 sh -c '! xdotool search --onlyvisible --name "^Kaltrix v1.0\$"' || fail "the program started by the installer did not end"

echo "-- reinstalls into a folder the user chose"
custom='C:\Tools\Kaltrix' # /D takes no quotes: a folder without blanks
wine "$setup" /S "/D=$custom" || fail "the install into $custom failed"
custom_folder=$(winepath -u "$custom")
[ -f "$custom_folder/kaltrix.exe" ] || fail "nothing installed in $custom"
[ ! -e "$folder" ] || fail "the earlier installation stayed beside the new one"
wine "$setup" /S || fail "the reinstall failed"
[ -f "$custom_folder/kaltrix.exe" ] && [ ! -e "$folder" ] || fail "the reinstall left $custom"
shipped=$(unzip -Z1 "$(ls "$dist"/kaltrix-*-win64.zip)" | grep -v '/$' | sed 's|^[^/]*/||; /^kaltrix.portable$/d'; echo uninstall.exe)
[ "$(cd "$custom_folder" && find . -type f | sed 's|^\./||' | sort)" = "$(sort <<<"$shipped")" ] ||
    fail "the reinstalled folder holds other files than the installer ships"
[ "$(entry InstallLocation)" = "$custom" ] || fail "the entry says $(entry InstallLocation)"
[ "$(find "$start_menu" -name 'Kaltrix*.lnk' | wc -l)" = 1 ] || fail "not exactly one shortcut"

echo "-- an installation whose uninstaller fails"
# A stand-in for an uninstaller that fails, as a damaged or foreign one would: it ends with status 2.
printf '%s\n' 'Unicode true' 'OutFile "failing.exe"' 'RequestExecutionLevel user' 'SilentInstall silent' \
    'Section' 'SetErrorLevel 2' 'SectionEnd' >"$out/failing.nsi"
makensis -V1 "$out/failing.nsi"
cp "$custom_folder/uninstall.exe" "$out/uninstall.exe"
cp "$out/failing.exe" "$custom_folder/uninstall.exe"
before=$(listing "$custom_folder")
entry_before=$(wine reg query "$uninstall_key" 2>/dev/null | sort)
code=0; wine "$setup" /S || code=$?
[ $code = 6 ] || fail "an install over a failing uninstaller ended with $code"
[ "$(listing "$custom_folder")" = "$before" ] || fail "an install over a failing uninstaller changed files"
[ "$(wine reg query "$uninstall_key" 2>/dev/null | sort)" = "$entry_before" ] || fail "it changed the entry"
[ ! -e "$folder" ] || fail "it installed into $folder"
cp "$out/uninstall.exe" "$custom_folder/uninstall.exe"

echo "-- an older version over a newer one"
wine reg add "$uninstall_key" /v DisplayVersion /d 99.0.0 /f >/dev/null 2>&1
before=$(listing "$custom_folder")
code=0; wine "$setup" /S || code=$?
[ $code = 5 ] || fail "a silent install over a newer version ended with $code"
[ "$(listing "$custom_folder")" = "$before" ] || fail "a refused install changed files"
wine "$(winepath -w "$custom_folder/uninstall.exe")" /S "_?=$(winepath -w "$custom_folder")"
rm -f "$custom_folder/uninstall.exe"; rmdir "$custom_folder" 2>/dev/null || true
[ ! -e "$custom_folder" ] || fail "left behind: $(find "$custom_folder" | tr '\n' ' ')"

echo "-- the portable zip"
wine reg delete 'HKCU\Software\VB and VBA Program Settings\kaltrix' /f >/dev/null 2>&1 || true
mkdir -p "$out/portable" && unzip -q "$(ls "$dist"/kaltrix-*-win64.zip)" -d "$out/portable"
portable=$(ls -d "$out"/portable/kaltrix-*-win64)
[ -f "$portable/kaltrix.portable" ] && [ ! -e "$portable/kaltrix.ini" ] || fail "the zip is not portable as shipped"
for dll in $(cd "$portable" && find . -name '*.dll' -printf '%f\n'); do
    grep -q "^  $dll: " "$portable/THIRD-PARTY-NOTICES.txt" || fail "$dll has no notice"
done
grep -q 'All rights to this software are held by' "$portable/LICENSE.txt" || fail "the zip has no terms"
# The Qt source is offered from the same place as the packages, under the name the notices give.
source_archive=$(grep -o 'kaltrix-[^ ]*-qt-source\.tar' "$portable/THIRD-PARTY-NOTICES.txt" | head -n 1)
[ -n "$source_archive" ] && [ -s "$dist/$source_archive" ] ||
    fail "the notices name no Qt source archive that lies beside the packages (${source_archive:-none named})"
start portable "$(winepath -w "$portable/kaltrix.exe")"
wait_for 60 window "Kaltrix v1.0" 497 || fail "portable: no main window"
leave portable "$(window "Kaltrix v1.0" 497 || true)"
grep -q '^\[Settings\]' "$portable/kaltrix.ini" || fail "the portable copy wrote no settings beside itself"
[ -z "$(settings)" ] || fail "the portable copy wrote to the registry: $(settings)"
used=$(cat "$portable/kaltrix.ini")
for time in 1 2; do # an update: the same zip, or a newer one, unpacked over the used copy
    unzip -qo "$(ls "$dist"/kaltrix-*-win64.zip)" -d "$out/portable"
done
[ "$(cat "$portable/kaltrix.ini")" = "$used" ] || fail "unpacking the zip again lost the portable settings"

wineserver --kill || true
echo "Screenshots: $out"
[ $failures -eq 0 ] && echo "PASS: the installed program under Wine" || echo "$failures failure(s)"
exit $((failures > 0))
