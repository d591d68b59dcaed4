#!/usr/bin/env bash
# Installs what is missing, builds Kaltrix with its tests, runs them, then does it all again in a second tree
# built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "$0")/common.sh"

TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils desktop-file-utils appstream file
               python3-pyatspi at-spi2-core dbus-x11 xdg-utils orca)
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
status=0

configure_and_build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$ROOT/build-test" --output-on-failure --timeout 300 || status=1

configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKALTRIX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure --timeout 600 || status=1

exit $status
