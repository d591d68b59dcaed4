#!/usr/bin/env bash
# Installs what is missing, builds Kaltrix with its tests, runs them, then does it all again in a second tree
# built with AddressSanitizer and UndefinedBehaviorSanitizer; last, builds the Debian package twice, in two
# folders, and checks that both are the same bytes.
set -euo pipefail
source "$(dirname "$0")/common.sh"

TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils desktop-file-utils appstream file
               python3-pyatspi at-spi2-core dbus-x11 xdg-utils orca weston qt6-wayland git clang-format)
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
status=0

configure_and_build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$ROOT/build-test" --output-on-failure --timeout 300 || status=1

configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKALTRIX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure --timeout 600 || status=1

# Both packages take their file times from the commit, and no build folder's path goes into them.
SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date -d 2026-12-01 +%s)
export SOURCE_DATE_EPOCH
again=$(mktemp -d "${TMPDIR:-/tmp}/kaltrix-deb.XXXXXX")
for dir in "$ROOT/build-deb" "$again"; do
    configure_and_build "$dir" -DCMAKE_BUILD_TYPE=Release -DKALTRIX_BUILD_TESTS=OFF -DKALTRIX_REPRODUCIBLE=ON >/dev/null
    rm -f "$dir"/kaltrix_*.deb
    (cd "$dir" && cpack -G DEB >/dev/null)
done
if cmp "$ROOT"/build-deb/kaltrix_*.deb "$again"/kaltrix_*.deb; then
    echo "The Debian package came out the same from two builds"
else
    status=1
fi
rm -rf "$again"

exit $status
