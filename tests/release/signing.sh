#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# scripts/checksums.sh with a throwaway key: what it signs, gpgv accepts, and one changed byte in a release
# file fails sha256sum -c, one in SHA256SUMS fails gpgv; without a key, or with a name that is no key, it
# signs nothing.
set -uo pipefail
checksums=$(cd "$(dirname "$0")/../../scripts" && pwd)/checksums.sh
work=$(mktemp -d /tmp/kaltrix-sign.XXXXXX) # short: gpg-agent's socket path has a length limit
export GNUPGHOME=$work/gnupg
trap 'gpgconf --kill gpg-agent 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$GNUPGHOME"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

gpg --batch --quiet --passphrase '' --quick-gen-key 'Kaltrix test <test@example.invalid>' ed25519 sign never 2>/dev/null
key=$(gpg --batch --with-colons --list-secret-keys 2>/dev/null | awk -F: '/^fpr:/ { print $10; exit }')
gpg --batch --export "$key" >"$work/key.gpg"

# release DIR: two release files and an unrelated one, as a build folder holds them.
release() { rm -rf "$1"; mkdir -p "$1"; printf 'package\n' >"$1/a.deb"; printf 'sbom\n' >"$1/a.deb.cdx.json"; printf 'x' >"$1/CMakeCache.txt"; }
flip() { local b; b=$(head -c 1 "$1"); [ "$b" = x ] && b=y || b=x; printf '%s' "$b" | dd of="$1" bs=1 count=1 conv=notrunc status=none; }

release "$work/signed"
out=$(KALTRIX_SIGNING_KEY=$key bash "$checksums" "$work/signed" a.deb a.deb.cdx.json) || fail "signing failed: $out"
[ "$(cut -d' ' -f3 "$work/signed/SHA256SUMS" | tr '\n' ' ')" = "a.deb a.deb.cdx.json " ] ||
    fail "SHA256SUMS lists other files than the release files: $(cat "$work/signed/SHA256SUMS")"
head -n 1 "$work/signed/SHA256SUMS.asc" | grep -q '^-----BEGIN PGP SIGNATURE-----' || fail "the signature is not armored"
(cd "$work/signed" && gpgv --keyring "$work/key.gpg" SHA256SUMS.asc SHA256SUMS 2>/dev/null) || fail "gpgv refused the signature"
(cd "$work/signed" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c refused the untouched files"

# One changed byte, in each place it may be: the check that must notice it.
for target in a.deb a.deb.cdx.json SHA256SUMS; do
    cp -a "$work/signed" "$work/changed"
    flip "$work/changed/$target"
    if [ "$target" = SHA256SUMS ]; then
        (cd "$work/changed" && gpgv --keyring "$work/key.gpg" SHA256SUMS.asc SHA256SUMS 2>/dev/null) &&
            fail "gpgv accepted a changed SHA256SUMS"
    else
        (cd "$work/changed" && sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1) && fail "sha256sum -c accepted a changed $target"
    fi
    rm -rf "$work/changed"
done

# What is not to be signed: no signature, and a key that is not there fails rather than signs with another.
while IFS='|' read -r what env option expect_status expect_output; do
    release "$work/case"
    out=$(env $env bash "$checksums" $option "$work/case" a.deb 2>&1)
    status=$?
    [ $status -eq "$expect_status" ] || fail "$what: status $status, not $expect_status ($out)"
    [ ! -e "$work/case/SHA256SUMS.asc" ] || fail "$what: wrote a signature"
    grep -q "$expect_output" <<<"$out" || fail "$what: said '$out'"
    [ "$(grep -c . <<<"$out")" -le 1 ] || fail "$what: said more than one line: $out"
done <<CASES
no key named|-u KALTRIX_SIGNING_KEY||0|is not signed
a comparison build|KALTRIX_SIGNING_KEY=$key|--unsigned|0|^\$
a key that is not there|KALTRIX_SIGNING_KEY=nobody@example.invalid||1|names 0 secret keys
CASES

if [ $failures -ne 0 ]; then
    echo "signing test: $failures check(s) failed"
    exit 1
fi
echo "signing test passed"
