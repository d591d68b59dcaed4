#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Installs what is missing, builds Kaltrix with its tests, runs them, then does it all again in a second tree
# built with AddressSanitizer and UndefinedBehaviorSanitizer, and runs the libFuzzer targets for a short
# while; then builds the Debian package and its debug symbols twice, in two folders, the second in another
# time zone and locale, checks that both give the same bytes, has lintian read them as a distribution would,
# and writes and checks the package's bill of materials and the folder's SHA256SUMS (signed with
# KALTRIX_SIGNING_KEY, as scripts/checksums.sh says); last, the release checks: signing, the SBOM check
# itself, and the licence of every file (reuse lint).
# KALTRIX_TEST_STEPS runs a part of this: a subset of "plain asan fuzz package release-checks".
set -euo pipefail
source "$(dirname "$0")/common.sh"

TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils desktop-file-utils appstream file
               python3-pyatspi at-spi2-core dbus-x11 xdg-utils orca weston qt6-wayland git clang-format lintian
               clang libclang-rt-14-dev "${RELEASE_PACKAGES[@]}" reuse)
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

STEPS=${KALTRIX_TEST_STEPS:-plain asan fuzz package release-checks}
step() { [[ " $STEPS " == *" $1 "* ]]; }
export QT_QPA_PLATFORM=offscreen
status=0

if step plain; then
    configure_and_build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir "$ROOT/build-test" --output-on-failure --timeout 300 || status=1
fi

if step asan; then
    configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKALTRIX_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$ROOT/build-asan" --output-on-failure --timeout 600 || status=1
fi

# Each fuzz target on its seed corpus for a fixed time; what it finds new goes into a scratch folder, and a
# crash it finds fails the run (and becomes a row of the suite's tables).
fuzz() {
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
}
step fuzz && fuzz

# The release files of a .deb build folder: the package, its debug symbols and its bill of materials.
release_files() { (cd "$1" && ls kaltrix_*.deb kaltrix-dbgsym_*.deb kaltrix_*.deb.cdx.json); }
# make_deb DIR: the package and its debug-symbol package (cpack, from the install rules; the program is
# compiled with -g for them) and the SBOM of the package.
make_deb() {
    configure_and_build "$1" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-g -DKALTRIX_BUILD_TESTS=OFF \
        -DKALTRIX_REPRODUCIBLE=ON >/dev/null
    rm -f "$1"/kaltrix_*.deb "$1"/kaltrix-dbgsym_* "$1"/kaltrix_*.cdx.json "$1"/SHA256SUMS*
    (cd "$1" && cpack -G DEB >/dev/null)
    python3 "$ROOT/packaging/sbom.py" deb "$1"/kaltrix_*.deb --info "$1/packaging/sbom-info.json"
}

package() {
    # Both builds take their file times from the commit, and no build folder's path goes into them. The
    # second lies as deep as the first: the debug symbols keep the relative paths by which the generated
    # sources include the headers.
    local deb=$ROOT/build-deb again=$ROOT/build-deb-again file same=1
    rm -rf "$again"
    make_deb "$deb"
    (export TZ=Asia/Tokyo LC_ALL=C.UTF-8; make_deb "$again")
    for file in $(release_files "$deb"); do
        cmp "$deb/$file" "$again/$file" || { echo "$file differs between two builds"; same=0; status=1; }
    done
    [ $same -eq 0 ] || echo "The Debian packages and the SBOM came out the same from two builds"
    rm -rf "$again"

    # No error and no warning; what lintian only remarks on is shown.
    local lintian_out
    lintian_out=$(lintian --pedantic --display-info --tag-display-limit 0 "$deb"/kaltrix_*.deb \
                  "$deb"/kaltrix-dbgsym_*.deb 2>&1 | grep -v 'running with root privileges' || true)
    [ -z "$lintian_out" ] || echo "$lintian_out"
    if grep -qE '^[EW]: ' <<<"$lintian_out"; then
        echo "lintian found errors or warnings in the Debian packages"
        status=1
    else
        echo "lintian passed the Debian packages"
    fi

    /usr/bin/python3 "$ROOT/packaging/sbom.py" check "$deb"/kaltrix_*.deb.cdx.json --schema "$ROOT/third_party/cyclonedx" ||
        status=1
    # The package's SECURITY.md, rendered for the default sites, is the one in the repository.
    cmp "$deb/packaging/SECURITY.md" "$ROOT/SECURITY.md" ||
        { echo "SECURITY.md is not packaging/SECURITY.md.in as a build renders it: copy it from $deb/packaging/"; status=1; }
    # shellcheck disable=SC2046 # one name a line, none with blanks
    bash "$ROOT/scripts/checksums.sh" "$deb" $(release_files "$deb") || status=1
}

release_checks() {
    bash "$ROOT/tests/release/signing.sh" || status=1
    /usr/bin/python3 "$ROOT/tests/release/sbom_check.py" || status=1
    # Every file says under which licence it is, in its header or in .reuse/dep5.
    local out
    if out=$(cd "$ROOT" && reuse lint 2>&1); then
        echo "reuse lint passed"
    else
        echo "$out"
        echo "reuse lint failed"
        status=1
    fi
}

SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date -d 2026-12-01 +%s)
export SOURCE_DATE_EPOCH
step package && package
step release-checks && release_checks

exit $status
