// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QtGlobal>

// The result of the start-up branding draw, 1 to 7.
extern qint16 intCoBrandRandomNumber;

// Raises one of the main window's two branding labels at random: the co-branding offer for 1, 3 and 5, the
// full-branding offer for 2, 4 and 6; 7 keeps the layout's stacking.
void CoBrand_Randomize();

// The branding number for a draw r in [0, 1): 6r + 1 rounded to the nearest whole number, halves to even.
int coBrandNumber(float r);
