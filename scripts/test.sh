#!/usr/bin/env bash
# Installs what is missing, builds Kaltrix with its tests, runs them, then does it all again in a second tree
# built with AddressSanitizer and UndefinedBehaviorSanitizer, and runs the libFuzzer targets for a short
# while; last, builds the Debian package twice, in two folders, the second in another time zone and locale,
# checks that both are the same bytes, and has lintian read it as a distribution would.
set -euo pipefail
source "$(dirname "$0")/common.sh"

TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils desktop-file-utils appstream file
               python3-pyatspi at-spi2-core dbus-x11 xdg-utils orca weston qt6-wayland git clang-format lintian
               clang libclang-rt-14-dev)
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen
status=0

configure_and_build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$ROOT/build-test" --output-on-failure --timeout 300 || status=1

configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKALTRIX_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure --timeout 600 || status=1

# Each fuzz target on its seed corpus for a fixed time; what it finds new goes into a scratch folder, and a
# crash it finds fails the run (and becomes a row of the suite's tables).
FUZZ_SECONDS=${KALTRIX_FUZZ_SECONDS:-30}
configure_and_build "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DKALTRIX_FUZZ=ON \
    -DKALTRIX_BUILD_TESTS=OFF >/dev/null
for corpus in "$ROOT"/tests/fuzz/corpus/*/; do
    target=$(basename "$corpus")
    found=$(mktemp -d "${TMPDIR:-/tmp}/kaltrix-fuzz.XXXXXX")
    if (cd "$found" && "$ROOT/build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 \
            -print_final_stats=1 "$found" "$corpus" >"$found.log" 2>&1); then
        echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$found.log") runs, no crash"
        rm -rf "$found"
    else
        tail -n 40 "$found.log"
        echo "fuzz_$target found a crash (the input is in $found)"
        status=1
    fi
    rm -f "$found.log"
done

# Both packages take their file times from the commit, and no build folder's path goes into them.
SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date -d 2026-12-01 +%s)
export SOURCE_DATE_EPOCH
again=$(mktemp -d "${TMPDIR:-/tmp}/kaltrix-deb.XXXXXX")
make_deb() {
    configure_and_build "$1" -DCMAKE_BUILD_TYPE=Release -DKALTRIX_BUILD_TESTS=OFF -DKALTRIX_REPRODUCIBLE=ON >/dev/null
    rm -f "$1"/kaltrix_*.deb
    (cd "$1" && cpack -G DEB >/dev/null)
}
make_deb "$ROOT/build-deb"
(export TZ=Asia/Tokyo LC_ALL=C.UTF-8; make_deb "$again")
if cmp "$ROOT"/build-deb/kaltrix_*.deb "$again"/kaltrix_*.deb; then
    echo "The Debian package came out the same from two builds"
else
    status=1
fi
rm -rf "$again"

# No error and no warning; what lintian only remarks on is shown.
lintian_out=$(lintian --pedantic --display-info --tag-display-limit 0 "$ROOT"/build-deb/kaltrix_*.deb 2>&1 |
              grep -v 'running with root privileges' || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -qE '^[EW]: ' <<<"$lintian_out"; then
    echo "lintian found errors or warnings in the Debian package"
    status=1
else
    echo "lintian passed the Debian package"
fi

exit $status
