#!/usr/bin/env bash
# The installed Windows program under Wine, used as a person would: a silent install, the first start, the
# settings it stores, a second start refused, a help page through Wine's browser bridge, the whole test by
# keyboard, leaving through the exit screen, a silent uninstall. Wine's windows have no accessibility bus
# here, so windows are found by title and size, and what they show is read off screenshots, kept in OUT.
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

openbox --sm-disable >/dev/null 2>&1 &
wineboot --init >/dev/null 2>&1
wineserver --wait

echo "-- the silent installer"
setup=$(ls "$dist"/kaltrix-*-win64-setup.exe)
wine "$setup" /S
local_appdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
folder=$local_appdata/Programs/Kaltrix
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kaltrix'
[ -f "$folder/kaltrix.exe" ] && [ -f "$folder/platforms/qwindows.dll" ] || fail "nothing installed in $folder"
[ -f "$start_menu/Kaltrix.lnk" ] || fail "no Start-menu shortcut"
wine reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no installed-programs entry"

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

echo "-- the silent uninstaller"
wine "$(winepath -w "$folder/uninstall.exe")" /S
wait_for 60 test ! -e "$folder" || fail "left behind: $(find "$folder" 2>/dev/null | tr '\n' ' ')"
[ ! -e "$start_menu/Kaltrix.lnk" ] || fail "the shortcut stayed"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the installed-programs entry stayed"

wineserver --kill || true
echo "Screenshots: $out"
[ $failures -eq 0 ] && echo "PASS: the installed program under Wine" || echo "$failures failure(s)"
exit $((failures > 0))
