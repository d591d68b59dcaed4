// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

// The key rule of the first-name box: letters only, in capitals.

// The code the box receives for a typed code: capitals for letters, Backspace, Enter and space unchanged,
// and 0 for every other code, which the box refuses.
int filterNameKey(int keyAscii);
