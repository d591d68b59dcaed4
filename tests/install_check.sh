#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Installs a built tree into a scratch prefix and checks what a desktop sees: the launcher, the AppStream
# entry, the icons and the man page, and that the installed program starts.
# Usage: install_check.sh BUILD_DIR APP_ID
# Exits 77 (skipped) only when the validators themselves are missing.
set -uo pipefail

build=$1
app_id=$2

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

share=$prefix/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml

# desktop-file-validate prints hints as well as errors; a clean file gives no output at all.
if [ -f "$desktop" ]; then
    out=$(desktop-file-validate "$desktop" 2>&1) || true
    [ -z "$out" ] || fail "desktop-file-validate: $out"
else
    fail "no launcher at $desktop"
fi

if [ -f "$metainfo" ]; then
    out=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q "<caption>[^<]" "$metainfo" || fail "metainfo screenshot has no caption"
else
    fail "no metainfo at $metainfo"
fi

field() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
if [ -f "$desktop" ]; then
    exec_line=$(field Exec)
    icon=$(field Icon)
    [ "$icon" = "$app_id" ] || fail "launcher icon is '$icon', not $app_id"
    [ -x "$prefix/bin/${exec_line%% *}" ] || fail "launcher runs '$exec_line', which is not in $prefix/bin"
fi

[ -f "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
# The PNG sizes are rendered only where rsvg-convert was found; those present must be the size they claim.
for png in "$share"/icons/hicolor/*x*/apps/"$app_id".png; do
    [ -e "$png" ] || continue
    size=$(basename "$(dirname "$(dirname "$png")")")
    file -b "$png" | grep -q "PNG image data, ${size%x*} x ${size#*x}," || fail "$png is not a ${size} PNG"
done

manpage=$share/man/man1/kaltrix.1.gz
if [ -f "$manpage" ]; then
    if command -v groff >/dev/null; then
        out=$(gzip -dc "$manpage" | groff -man -Tutf8 -ww -z 2>&1)
        [ -z "$out" ] || fail "man page: $out"
    fi
else
    fail "no man page at $manpage"
fi

# The installed program must come up and stay up; it waits for the user, so time it out. Its lock file
# and settings go into the scratch folder, never the developer's own.
if [ -x "$prefix/bin/kaltrix" ]; then
    mkdir -p "$work/run" "$work/home"
    chmod 700 "$work/run"
    HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config \
        QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/kaltrix" >"$work/run.log" 2>&1
    status=$?
    [ $status -eq 124 ] || fail "installed kaltrix ended with status $status: $(cat "$work/run.log")"
    # The benchmark's start-up probe would end it behind the exit routine's back.
    ! grep -q KALTRIX_BENCH_EXPOSED "$prefix/bin/kaltrix" || fail "the installed program holds the benchmark probe"
    KALTRIX_BENCH_EXPOSED=1 HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config \
        QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/kaltrix" >"$work/run.log" 2>&1
    [ $? -eq 124 ] || fail "installed kaltrix ended early under KALTRIX_BENCH_EXPOSED: $(cat "$work/run.log")"
fi

if [ $failures -ne 0 ]; then
    echo "$failures install check(s) failed"
    exit 1
fi
echo "install check passed"
