// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QRect>
#include <QSize>

// Layouts are written in twips; 15 twips make one logical pixel, and Qt scales logical pixels for
// high-density screens.
constexpr int TwipsPerPixel = 15;

constexpr int twips(int value)
{
    return (value + TwipsPerPixel / 2) / TwipsPerPixel;
}

struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;

    constexpr QRect toPixels() const { return {twips(left), twips(top), twips(width), twips(height)}; }
};

constexpr QSize twipsSize(int width, int height)
{
    return {twips(width), twips(height)};
}
