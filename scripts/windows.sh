#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Builds Kaltrix for 64-bit Windows on this Debian machine and proves it under Wine:
#   1. Qt 6.4.2 for Windows (qtbase from Debian's source package, qtsvg from its tarball), built once per
#      machine into a cache outside the tree and reused while its recipe is unchanged;
#   2. kaltrix.exe and every tst_*.exe, cross-built with MinGW-w64;
#   3. dist/kaltrix-1.0.0-win64.zip and dist/kaltrix-1.0.0-win64-setup.exe, a bill of materials beside each
#      (.cdx.json, checked against the packages), the source of the Qt they ship with its recipe
#      (-qt-source.tar), the program's debug symbols (-debug.zip) and SHA256SUMS over them all, signed when
#      KALTRIX_SIGNING_KEY names a key (scripts/checksums.sh); then the same again from a second build in
#      another folder, which must give the same bytes;
#   4. every test suite under Wine, then a smoke run of the installed program on a private X server.
# Environment: KALTRIX_QT_WINDOWS (where Qt for Windows lives), KALTRIX_QTSVG_TARBALL (another qtsvg
# source tarball), KALTRIX_WINDOWS_STEPS (a subset of "qt build package reproduce test smoke").
set -euo pipefail
source "$(dirname "$0")/common.sh"

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix nsis wine wine64 fonts-wine unzip python3 xvfb xauth openbox xdotool
                  x11-utils imagemagick xdg-utils dpkg-dev xz-utils git p7zip-full "${RELEASE_PACKAGES[@]}")
QT_VERSION=6.4.2
CACHE_DIR=${XDG_CACHE_HOME:-$HOME/.cache}/kaltrix
QT_WIN=${KALTRIX_QT_WINDOWS:-$CACHE_DIR/qt-$QT_VERSION-mingw64}
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
BUILD_WIN=$ROOT/build-windows
DIST=$ROOT/dist
STEPS=${KALTRIX_WINDOWS_STEPS:-qt build package reproduce test smoke}

step() { [[ " $STEPS " == *" $1 "* ]]; }
# quietly LOG COMMAND...: Qt's own build is long and chatty; its log is shown only when it fails.
quietly() {
    local log=$1; shift
    "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "failed: $* (log: $log)" >&2; return 1; }
}
log() { printf '\n== %s (%s)\n' "$*" "$(date +%T)"; }

# What the program does not use stays out, to keep the Qt build short.
QTBASE_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_pkg_config=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)
QTSVG_TARBALL_DEFAULT=$ROOT/third_party/qtsvg/qtsvg-everywhere-src-$QT_VERSION.tar.xz
QTSVG_TARBALL=${KALTRIX_QTSVG_TARBALL:-$QTSVG_TARBALL_DEFAULT}

# A part of the cache is reused only while everything that went into it is unchanged; its stamp is written
# once it is complete, so a run that failed halfway leaves what did build for the next run to reuse.
qtbase_recipe() {
    printf '%s\n' "$QT_VERSION" "${QTBASE_OPTIONS[@]}" "licence notices in $NOTICES" "sources kept in $QT_SOURCES"
    x86_64-w64-mingw32-g++-posix --version | head -n 1
    cat "$TOOLCHAIN"
}
qtsvg_recipe() {
    qtbase_recipe
    if [ -f "$QTSVG_TARBALL" ]; then sha256sum <"$QTSVG_TARBALL"; else echo "svg: Debian source"; fi
}
# What each built Qt library carries of others' code, and their licences (packaging/windows/notices.py).
NOTICES=$QT_WIN/share/kaltrix-notices
collect_notices() { python3 "$ROOT/packaging/windows/notices.py" collect "$@" "$NOTICES"; }
# The source each Qt module was built from, as fetched, for the source archive that goes out with the packages.
QT_SOURCES=$QT_WIN/share/kaltrix-source
built() { [ -f "$QT_WIN/kaltrix-$1.stamp" ] && [ "$(cat "$QT_WIN/kaltrix-$1.stamp")" = "$("$1_recipe")" ]; }

# apt_source PACKAGE DIR: the Debian source package, from the source counterparts of the apt sources this
# machine is configured with, without touching the system's own lists.
apt_source() {
    local dir=$2 apt=() file
    rm -rf "$dir/parts" "$dir/lists"
    mkdir -p "$dir/parts" "$dir/lists/partial"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file"
    done >"$dir/parts/kaltrix-src.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && sed 's/^Types:.*/Types: deb-src/' "$file" >"$dir/parts/kaltrix-$(basename "$file")"
    done
    apt=(-o "Dir::Etc::SourceParts=$dir/parts" -o Dir::Etc::SourceList=/dev/null
         -o "Dir::State::Lists=$dir/lists" -o APT::Sandbox::User=root)
    # A source without source packages (a vendor's binary repository) fails its part and nothing else.
    apt-get "${apt[@]}" -qq update || echo "apt-get update reported failures; trying the sources that answered"
    (cd "$dir" && apt-get "${apt[@]}" -qq source "$1")
}

build_qt() {
    if built qtbase && built qtsvg; then
        echo "Qt for Windows: reusing $QT_WIN"
        return 0
    fi
    local work=$CACHE_DIR/qt-work
    if ! built qtbase; then
        # What else lies there was built from another recipe, or not to the end: qtbase starts afresh.
        rm -rf "$QT_WIN" "$work"
        mkdir -p "$work"
        log "Qt for Windows: fetching qtbase"
        apt_source qt6-base "$work"
        mkdir -p "$QT_SOURCES/qtbase"
        find "$work" -maxdepth 1 -type f -name 'qt6-base_*' -exec cp {} "$QT_SOURCES/qtbase/" \;
        local qtbase
        qtbase=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
        log "Qt for Windows: building qtbase into $QT_WIN"
        cmake -S "$qtbase" -B "$work/build-base" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
            -DCMAKE_INSTALL_PREFIX="$QT_WIN" "${QTBASE_OPTIONS[@]}" >"$work/configure-base.log"
        quietly "$work/build-base.log" cmake --build "$work/build-base" --parallel "$(nproc)"
        cmake --install "$work/build-base" >/dev/null
        local dsc=("$work"/qt6-base_*.dsc)
        collect_notices "$qtbase" "$work/build-base" \
            --origin "qtbase: Debian's source package qt6-base $(sed -n 's/^Version: //p' "${dsc[0]}") (apt-get source)"
        qtbase_recipe >"$QT_WIN/kaltrix-qtbase.stamp"
    fi

    log "Qt for Windows: building qtsvg"
    rm -rf "$work/svg" "$QT_SOURCES/qtsvg"
    mkdir -p "$work/svg" "$QT_SOURCES/qtsvg"
    local qtsvg origin
    if [ -f "$QTSVG_TARBALL" ]; then
        if [ "$QTSVG_TARBALL" = "$QTSVG_TARBALL_DEFAULT" ]; then
            (cd "$(dirname "$QTSVG_TARBALL")" && sha256sum --quiet --check SHA256SUMS)
        fi
        tar -xf "$QTSVG_TARBALL" -C "$work/svg"
        cp "$QTSVG_TARBALL" "$QT_SOURCES/qtsvg/"
        qtsvg=$(find "$work/svg" -maxdepth 1 -type d -name 'qtsvg-everywhere-src-*' | head -n 1)
        origin="qtsvg: $(basename "$QTSVG_TARBALL"), the Qt project's release (SHA-256 $(sha256sum <"$QTSVG_TARBALL" | cut -d' ' -f1)), kept in third_party/qtsvg/"
    else
        apt_source qt6-svg "$work/svg"
        find "$work/svg" -maxdepth 1 -type f -name 'qt6-svg_*' -exec cp {} "$QT_SOURCES/qtsvg/" \;
        qtsvg=$(find "$work/svg" -maxdepth 1 -type d -name 'qt6-svg-*' | head -n 1)
        origin="qtsvg: Debian's source package qt6-svg $(sed -n 's/^Version: //p' "$work"/svg/qt6-svg_*.dsc) (apt-get source)"
    fi
    cmake -S "$qtsvg" -B "$work/build-svg" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$work/configure-svg.log"
    quietly "$work/build-svg.log" cmake --build "$work/build-svg" --parallel "$(nproc)"
    cmake --install "$work/build-svg" >/dev/null
    collect_notices "$qtsvg" "$work/build-svg" --origin "$origin"
    qtsvg_recipe >"$QT_WIN/kaltrix-qtsvg.stamp"
    rm -rf "$work"
}

# Every file of the packages takes its time from the commit, so that two builds of it give the same bytes.
SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date -d 2026-12-01 +%s)
export SOURCE_DATE_EPOCH

# build_program DIR [TARGET]: kaltrix.exe and the test suites (or only TARGET) in DIR.
build_program() {
    local dir=$1; shift
    forget_resource_dates "$dir"
    # -g for the debug-symbol archive; the shipped program is stripped.
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-g \
        -DKALTRIX_DEVELOPER=ON -DKALTRIX_REPRODUCIBLE=ON \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_PREFIX_PATH="$QT_WIN" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/tests/windows/wine-run.sh" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" "$@"
    # The packages carry the program's own icon; without rsvg-convert the build would leave it out.
    [ -s "$dir/packaging/windows/kaltrix.ico" ] || { echo "kaltrix.exe was built without its icon" >&2; return 1; }
}

# The release archives as plain tar or zip: one order, one owner and one time for every entry, so that two
# builds give the same bytes.
reproducible_tar() { tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
                         --mode=u=rwX,go=rX --dereference "$@"; }

# reproducible_zip ZIP FILE: FILE alone, compressed, with the commit's time and no other file attributes.
reproducible_zip() {
    python3 - "$@" <<'EOF'
import os, sys, time, zipfile
entry = zipfile.ZipInfo(os.path.basename(sys.argv[2]), time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6])
entry.compress_type, entry.external_attr = zipfile.ZIP_DEFLATED, 0o644 << 16
with open(sys.argv[2], "rb") as f, zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr(entry, f.read(), compresslevel=9)
EOF
}

# make_source_archive OUT/NAME.tar: the Qt source the libraries were built from, as fetched, and the files of
# this repository that build it, under one folder NAME.
make_source_archive() {
    local archive=$1 name work file
    name=$(basename "$archive" .tar)
    work=$(mktemp -d "${TMPDIR:-/tmp}/kaltrix-source.XXXXXX")
    mkdir -p "$work/$name/recipe"
    ln -s "$ROOT/packaging/windows/qt-source-README.txt" "$work/$name/README.txt"
    ln -s "$QT_SOURCES/qtbase" "$QT_SOURCES/qtsvg" "$work/$name/"
    for file in scripts/windows.sh scripts/common.sh "${TOOLCHAIN#"$ROOT/"}" packaging/windows/notices.py \
                third_party/qtsvg/SHA256SUMS; do
        mkdir -p "$work/$name/recipe/$(dirname "$file")"
        ln -s "$ROOT/$file" "$work/$name/recipe/$file"
    done
    reproducible_tar -C "$work" -cf "$archive" "$name"
    rm -rf "$work"
}

# make_packages DIR OUT [--unsigned]: the zip (cpack, from the install rules) and the installer (makensis,
# from the program folder the install rules make) of the build in DIR, their bills of materials, the Qt
# source archive and the debug-symbol archive, into OUT with their SHA256SUMS (--unsigned: a build made
# only to be compared).
make_packages() {
    local dir=$1 out=$2 stage=$1/stage/Kaltrix PACKAGE_NAME QT_SOURCE_ARCHIVE DEBUG_ARCHIVE DEBUG_FILE package
    source "$dir/packaging/windows/release-names.sh"
    rm -rf "$dir/stage" "$dir/cpack"
    # A zip keeps local times: in UTC, every builder writes the same ones.
    (cd "$dir" && TZ=UTC cpack -G ZIP -B "$dir/cpack" >/dev/null)
    cmake --install "$dir" --component program --prefix "$stage" >/dev/null
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + # makensis keeps each file's time
    # The files in a fixed order; the uninstaller removes exactly these.
    (cd "$stage" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | while IFS= read -r file; do
        local folder
        folder=$(dirname "$file" | sed 's|^\.$||; s|/|\\|g')
        printf 'SetOutPath "$INSTDIR%s"\nFile "%s"\n' "${folder:+\\$folder}" "$stage/$file"
    done) >"$dir/packaging/windows/install-files.nsh"
    (cd "$stage" && { find . -type f | LC_ALL=C sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
                      find . -mindepth 1 -type d | LC_ALL=C sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'; }
    ) >"$dir/packaging/windows/uninstall-files.nsh"
    makensis -V2 -DOUTFILE="$dir/cpack/$PACKAGE_NAME-setup.exe" "$dir/packaging/windows/kaltrix.nsi"
    rm -rf "$out"
    mkdir -p "$out"
    cp "$dir/cpack/$PACKAGE_NAME.zip" "$dir/cpack/$PACKAGE_NAME-setup.exe" "$out/"
    make_source_archive "$out/$QT_SOURCE_ARCHIVE"
    reproducible_zip "$out/$DEBUG_ARCHIVE" "$DEBUG_FILE"
    for package in "$PACKAGE_NAME.zip" "$PACKAGE_NAME-setup.exe"; do
        python3 "$ROOT/packaging/sbom.py" windows "$out/$package" --info "$dir/packaging/sbom-info.json" \
            --attributions "$NOTICES" --origins "$dir/packaging/windows/library-origins.txt" \
            --qt-version "$QT_VERSION" --source-archive "$QT_SOURCE_ARCHIVE"
    done
    bash "$ROOT/scripts/checksums.sh" ${3:-} "$out" "$PACKAGE_NAME.zip" "$PACKAGE_NAME-setup.exe" \
        "$PACKAGE_NAME.zip.cdx.json" "$PACKAGE_NAME-setup.exe.cdx.json" "$QT_SOURCE_ARCHIVE" "$DEBUG_ARCHIVE"
    ls -l "$out"
}

# Every bill of materials against the schema and against the package it describes.
check_sboms() {
    /usr/bin/python3 "$ROOT/packaging/sbom.py" check "$DIST"/*.cdx.json --schema "$ROOT/third_party/cyclonedx"
}

# The same commit built again in another folder, at another time, in another time zone and locale, with the
# Qt of the cache: the program and every release file must come out byte for byte the same (the signature
# aside, which holds its own time). The folder lies as deep as the first: the debug symbols keep the
# relative paths by which the generated sources include the headers.
check_reproducible() {
    local again=$ROOT/build-windows-again
    rm -rf "$again"
    (
        export TZ=Asia/Tokyo LC_ALL=C.UTF-8
        build_program "$again" --target kaltrix
        make_packages "$again" "$again/dist" --unsigned
    )
    cmp "$BUILD_WIN/kaltrix.exe" "$again/kaltrix.exe"
    cmp "$DIST/SHA256SUMS" "$again/dist/SHA256SUMS" || { diff "$DIST/SHA256SUMS" "$again/dist/SHA256SUMS"; return 1; }
    (cd "$DIST" && sha256sum --check --quiet SHA256SUMS)
    rm -rf "$again"
    echo "The second build gave the same kaltrix.exe and release files: $(cut -d' ' -f3 "$DIST/SHA256SUMS" | tr '\n' ' ')"
}

# A Wine of our own for the tests: a fresh prefix, and Qt's and MinGW's libraries on its PATH.
setup_wine() {
    export WINEPREFIX=$BUILD_WIN/wine WINEARCH=win64 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
    local dir paths=()
    for dir in "$QT_WIN/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")" \
               /usr/x86_64-w64-mingw32/lib; do paths+=("$(winepath -w "$dir")"); done
    WINEPATH=$(IFS=';'; echo "${paths[*]}")
    export WINEPATH
    # Without a Windows font folder of its own, Qt's offscreen platform reads the fonts here.
    export QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu
}

run_tests() {
    setup_wine
    ctest --test-dir "$BUILD_WIN" --output-on-failure --timeout 600
}

install_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
started=$SECONDS
step qt && { log "Qt for Windows"; build_qt; }
step build && { log "kaltrix.exe and the test suites"; build_program "$BUILD_WIN"; }
step package && { log "Packages"; make_packages "$BUILD_WIN" "$DIST"; check_sboms; }
step reproduce && { log "The same packages from a second build"; check_reproducible; }
step test && { log "Test suites under Wine"; run_tests; }
step smoke && { log "The installed program under Wine"; bash "$ROOT/tests/windows/smoke.sh" "$DIST" "$BUILD_WIN/smoke"; }
echo "Windows leg took $((SECONDS - started)) s"
