// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <cmath>

// The rounding the program's numbers follow wherever a fraction becomes a whole number: to the nearest,
// and halves to the even neighbour (2.5 to 2, 3.5 to 4), as Windows' own conversions round.
inline double roundHalfToEven(double value)
{
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}
