# Shared by run.sh, test.sh and windows.sh: installs what is missing and configures a build tree.
# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
                libqt6svg6 qt6-qpa-plugins fonts-dejavu-core librsvg2-bin dpkg-dev)
# What test.sh and windows.sh need to write, sign and check the release folders: scripts/checksums.sh,
# packaging/sbom.py (its check with Debian's jsonschema).
RELEASE_PACKAGES=(gnupg gpgv python3 python3-jsonschema)

# install_packages PKG...: installs those that are not installed yet, as root or through sudo.
install_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# rcc stamps every resource with SOURCE_DATE_EPOCH, the commit's time, a change ninja cannot see: a tree
# built at an earlier commit makes its resources again, so that it matches a fresh build of this one.
forget_resource_dates() {
    [ -n "${SOURCE_DATE_EPOCH:-}" ] && [ -d "$1" ] && find "$1" -path '*/.rcc/qrc_*.cpp' -delete
    return 0
}

# configure_and_build DIR [CMAKE ARGS...]
configure_and_build() {
    local dir=$1; shift
    forget_resource_dates "$dir"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DKALTRIX_DEVELOPER=ON "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
