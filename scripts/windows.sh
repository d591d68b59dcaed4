#!/usr/bin/env bash
# Builds Kaltrix for 64-bit Windows on this Debian machine and proves it under Wine:
#   1. Qt 6.4.2 for Windows (qtbase from Debian's source package, qtsvg from its tarball), built once per
#      machine into a cache outside the tree and reused while its recipe is unchanged;
#   2. kaltrix.exe and every tst_*.exe, cross-built with MinGW-w64;
#   3. dist/kaltrix-1.0.0-win64.zip and dist/kaltrix-1.0.0-win64-setup.exe;
#   4. every test suite under Wine, then a smoke run of the installed program on a private X server.
# Environment: KALTRIX_QT_WINDOWS (where Qt for Windows lives), KALTRIX_QTSVG_TARBALL (another qtsvg
# source tarball), KALTRIX_WINDOWS_STEPS (a subset of "qt build package test smoke").
set -euo pipefail
source "$(dirname "$0")/common.sh"

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix nsis wine wine64 fonts-wine zip python3 xvfb xauth openbox xdotool x11-utils
                  imagemagick xdg-utils dpkg-dev xz-utils)
QT_VERSION=6.4.2
CACHE_DIR=${XDG_CACHE_HOME:-$HOME/.cache}/kaltrix
QT_WIN=${KALTRIX_QT_WINDOWS:-$CACHE_DIR/qt-$QT_VERSION-mingw64}
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
BUILD_WIN=$ROOT/build-windows
DIST=$ROOT/dist
STEPS=${KALTRIX_WINDOWS_STEPS:-qt build package test smoke}

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
    printf '%s\n' "$QT_VERSION" "${QTBASE_OPTIONS[@]}"
    x86_64-w64-mingw32-g++-posix --version | head -n 1
    cat "$TOOLCHAIN"
}
qtsvg_recipe() {
    qtbase_recipe
    if [ -f "$QTSVG_TARBALL" ]; then sha256sum <"$QTSVG_TARBALL"; else echo "svg: Debian source"; fi
}
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
        local qtbase
        qtbase=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
        log "Qt for Windows: building qtbase into $QT_WIN"
        cmake -S "$qtbase" -B "$work/build-base" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
            -DCMAKE_INSTALL_PREFIX="$QT_WIN" "${QTBASE_OPTIONS[@]}" >"$work/configure-base.log"
        quietly "$work/build-base.log" cmake --build "$work/build-base" --parallel "$(nproc)"
        cmake --install "$work/build-base" >/dev/null
        qtbase_recipe >"$QT_WIN/kaltrix-qtbase.stamp"
    fi

    log "Qt for Windows: building qtsvg"
    rm -rf "$work/svg"
    mkdir -p "$work/svg"
    local qtsvg
    if [ -f "$QTSVG_TARBALL" ]; then
        if [ "$QTSVG_TARBALL" = "$QTSVG_TARBALL_DEFAULT" ]; then
            (cd "$(dirname "$QTSVG_TARBALL")" && sha256sum --quiet --check SHA256SUMS)
        fi
        tar -xf "$QTSVG_TARBALL" -C "$work/svg"
        qtsvg=$(find "$work/svg" -maxdepth 1 -type d -name 'qtsvg-everywhere-src-*' | head -n 1)
    else
        apt_source qt6-svg "$work/svg"
        qtsvg=$(find "$work/svg" -maxdepth 1 -type d -name 'qt6-svg-*' | head -n 1)
    fi
    cmake -S "$qtsvg" -B "$work/build-svg" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$work/configure-svg.log"
    quietly "$work/build-svg.log" cmake --build "$work/build-svg" --parallel "$(nproc)"
    cmake --install "$work/build-svg" >/dev/null
    qtsvg_recipe >"$QT_WIN/kaltrix-qtsvg.stamp"
    rm -rf "$work"
}

MINGW_RUNTIME_DIRS=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
                    /usr/x86_64-w64-mingw32/lib)

build_program() {
    cmake -S "$ROOT" -B "$BUILD_WIN" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALTRIX_DEVELOPER=ON \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_PREFIX_PATH="$QT_WIN" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/tests/windows/wine-run.sh" >/dev/null
    cmake --build "$BUILD_WIN" --parallel "$(nproc)"
    # The packages carry the program's own icon; without rsvg-convert the build would leave it out.
    [ -s "$BUILD_WIN/packaging/windows/kaltrix.ico" ] || { echo "kaltrix.exe was built without its icon" >&2; return 1; }
}

# The libraries a program or library imports, by name.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }

# stage_program DIR: the program, the Qt plugins it loads, and every library these import, found by
# following the import tables through Qt's and MinGW's libraries; what is found in neither is Windows' own.
stage_program() {
    local stage=$1 plugin file dll found
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$BUILD_WIN/kaltrix.exe" "$stage/"
    # No style plugin: the program draws with Fusion, which Qt Widgets carries, on every system.
    for plugin in platforms/qwindows.dll iconengines/qsvgicon.dll imageformats/qsvg.dll; do
        mkdir -p "$stage/$(dirname "$plugin")"
        cp "$QT_WIN/plugins/$plugin" "$stage/$plugin"
    done
    local queue=("$stage/kaltrix.exe" "$stage"/*/*.dll)
    while [ ${#queue[@]} -gt 0 ]; do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        for dll in $(imports "$file"); do
            [ -n "$(find "$stage" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
            found=$(find "$QT_WIN/bin" "${MINGW_RUNTIME_DIRS[@]}" -maxdepth 1 -iname "$dll" -print -quit)
            [ -n "$found" ] || continue
            cp "$found" "$stage/"
            queue+=("$stage/$(basename "$found")")
        done
    done
    find "$stage" -iname '*.exe' -o -iname '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
}

make_packages() {
    local version stage=$BUILD_WIN/stage/Kaltrix
    version=$(sed -n 's/^project(kaltrix VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
    stage_program "$stage"
    mkdir -p "$DIST"
    rm -f "$DIST/kaltrix-$version-win64.zip" "$DIST/kaltrix-$version-win64-setup.exe"
    (cd "$(dirname "$stage")" && zip -qr -9 "$DIST/kaltrix-$version-win64.zip" Kaltrix)
    # The uninstaller removes exactly what was installed.
    (cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
     cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
    ) >"$BUILD_WIN/stage/uninstall-files.nsh"
    makensis -V2 -DVERSION="$version" -DSTAGE="$(realpath "$stage")" -DUNINSTALL_FILES="$BUILD_WIN/stage/uninstall-files.nsh" \
        -DICON="$BUILD_WIN/packaging/windows/kaltrix.ico" -DOUTFILE="$DIST/kaltrix-$version-win64-setup.exe" \
        "$ROOT/packaging/windows/kaltrix.nsi"
    ls -l "$DIST"
}

# A Wine of our own for the tests: a fresh prefix, and Qt's and MinGW's libraries on its PATH.
setup_wine() {
    export WINEPREFIX=$BUILD_WIN/wine WINEARCH=win64 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
    local dir paths=()
    for dir in "$QT_WIN/bin" "${MINGW_RUNTIME_DIRS[@]}"; do paths+=("$(winepath -w "$dir")"); done
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
step build && { log "kaltrix.exe and the test suites"; build_program; }
step package && { log "Packages"; make_packages; }
step test && { log "Test suites under Wine"; run_tests; }
step smoke && { log "The installed program under Wine"; bash "$ROOT/tests/windows/smoke.sh" "$DIST" "$BUILD_WIN/smoke"; }
echo "Windows leg took $((SECONDS - started)) s"
