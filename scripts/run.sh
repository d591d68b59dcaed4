#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Installs what is missing, builds Kaltrix and starts it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
configure_and_build "$ROOT/build" -DKALTRIX_BUILD_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. To run Kaltrix on a virtual screen:" >&2
    echo "    apt-get install -y xvfb && xvfb-run -a $ROOT/build/kaltrix" >&2
    exit 1
fi
exec "$ROOT/build/kaltrix"
