// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

class QIcon;
// The program's icon: PNGs made when it was built where there are some, else the drawing itself.
QIcon programIcon();

// Gives every window the program's icon, once. Opening the pictures brings up Qt's image plugins, so it is
// done once the first window stands on the screen, or before a message box if one comes first.
void useProgramIcon();
// Gives every window the program's icon once window has painted itself: nothing that showing the first
// window does not need comes before.
void useProgramIconAfterFirstPaint(QWidget *window);

// Verdana where it is installed, otherwise a close substitute of the same width.
QFont verdana(qreal pointSize, bool bold = false, bool underline = false);

namespace Colors {
inline const QColor LightBlue{192, 192, 255};
inline const QColor Grey{128, 128, 128};
inline const QColor Silver{192, 192, 192};
inline const QColor Navy{0, 0, 128};
inline const QColor DarkBlue{0, 0, 192};
inline const QColor Yellow{255, 255, 0};
} // namespace Colors

// A complete palette for a window that paints its own background: every role of every group is fixed, dark
// text on light grounds, so that no text colour comes from a desktop scheme (perhaps a dark one) while the
// background does not.
QPalette fixedPalette(const QColor &window);

// The layout's background, that fixed palette and Verdana 8.25 pt for a window's own area.
void useLayoutLook(QWidget *area, const QColor &background);

// The contrast ratio of two colours, from 1 (none) to 21 (black on white), as WCAG defines it.
double contrastRatio(const QColor &a, const QColor &b);

void setBackground(QWidget *widget, const QColor &color);

class QLabel;
// Tightens the letter spacing of a one-line label just enough for its text to fit its fixed width, for
// machines whose substitute font runs a little wider than the one the layout was drawn with.
void fitOneLine(QLabel *label);
void setForeground(QWidget *widget, const QColor &color);
