// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/namefilter.h"

int filterNameKey(int keyAscii)
{
    if (keyAscii >= 'A' && keyAscii <= 'Z')
        return keyAscii;
    if (keyAscii >= 'a' && keyAscii <= 'z')
        return keyAscii - 32;
    if (keyAscii == 8 || keyAscii == 13 || keyAscii == 32)
        return keyAscii;
    return 0;
}
