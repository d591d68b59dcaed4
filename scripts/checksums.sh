#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Writes DIR/SHA256SUMS over the release files FILE... of DIR and, when KALTRIX_SIGNING_KEY names an OpenPGP
# key of the GnuPG home (GNUPGHOME as gpg reads it), DIR/SHA256SUMS.asc, an armored detached signature of it
# by that key. --unsigned (for a build made only to be compared) writes the checksums alone, silently.
# Usage: checksums.sh [--unsigned] DIR FILE...
set -euo pipefail
sign=1
[ "${1:-}" = --unsigned ] && { sign=0; shift; }
dir=$1; shift
cd "$dir"
rm -f SHA256SUMS SHA256SUMS.asc
sha256sum -- "$@" >SHA256SUMS
[ $sign -eq 1 ] || exit 0
if [ -z "${KALTRIX_SIGNING_KEY:-}" ]; then
    echo "KALTRIX_SIGNING_KEY is not set: $dir/SHA256SUMS is not signed"
    exit 0
fi
# A name that matches no secret key, or several, would sign with another key or fail halfway.
count=$(gpg --batch --with-colons --list-secret-keys -- "$KALTRIX_SIGNING_KEY" 2>/dev/null | grep -c '^sec:' || true)
if [ "$count" -ne 1 ]; then
    echo "KALTRIX_SIGNING_KEY=$KALTRIX_SIGNING_KEY names $count secret keys in ${GNUPGHOME:-~/.gnupg}, not one" >&2
    exit 1
fi
gpg --batch --yes --quiet --armor --local-user "$KALTRIX_SIGNING_KEY" --detach-sign --output SHA256SUMS.asc SHA256SUMS
echo "Signed $dir/SHA256SUMS with $KALTRIX_SIGNING_KEY"
