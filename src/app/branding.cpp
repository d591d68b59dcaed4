// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/branding.h"

#include "app/forms.h"
#include "app/mainwindow.h"
#include "ui/system/platform.h"
#include "ui/system/rounding.h"

qint16 intCoBrandRandomNumber = 0;

int coBrandNumber(float r)
{
    // In double precision the product is exact, so the halves at r = 1/4 and 3/4 are real halves.
    return int(roundHalfToEven(6.0 * double(r) + 1.0));
}

void CoBrand_Randomize()
{
    const int n = coBrandNumber(platform().nextRandom());
    intCoBrandRandomNumber = qint16(n);
    frmMain *main = Forms::existingMainWindow();
    if (!main)
        return;
    if (n == 1 || n == 3 || n == 5)
        main->bringCobrandToFront();
    else if (n == 2 || n == 4 || n == 6)
        main->bringFullBrandToFront();
}
