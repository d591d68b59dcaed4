#!/bin/sh
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Stands in for the user's web browser: notes every address it is asked to open, one a line, opens nothing.
for address in "$@"; do
    printf '%s\n' "$address" >>"${KALTRIX_E2E_BROWSER_LOG:?}"
done
