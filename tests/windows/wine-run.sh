#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Runs one test program under Wine for CTest (the build's cross-compiling emulator). Two things differ from
# a plain `wine PROGRAM`: Wine keeps QT_* variables out of a Windows program's environment, so they are
# set again inside it, and a Qt test under Wine writes nothing to a standard output that is a pipe, so its
# log goes through a file. Needs WINEPREFIX and WINEPATH (the Qt and MinGW libraries).
set -u
# Wine's drive Z: is the root folder. Not winepath: now and then it prints nothing, and "-o ,txt" then
# fails the test with a complaint about the output format.
windows_path() { local path; path=$(realpath -m "$1"); printf 'Z:%s' "${path//\//\\}"; }
program=$(windows_path "$1"); shift
log=$(mktemp --suffix=.txt)
trap 'rm -f "$log"' EXIT
command=""
while IFS='=' read -r name value; do
    command+="set $name=$value&& "
done < <(env | grep -E '^QT_[A-Z0-9_]*=[^&|<>^ ]*$')
wine cmd /c "$command$program $* -o $(windows_path "$log"),txt"
status=$?
cat "$log"
exit $status
