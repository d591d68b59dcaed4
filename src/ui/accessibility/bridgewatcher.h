// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

class QObject;

namespace Accessibility {

// Mends, for the whole application, two ways in which Qt's screen reader bridge (AT-SPI) leaves a reader or
// a keyboard user stuck; installed once, with the accessible-interface factory.
void watchBridge();

// Tells screen readers that a widget shown again is visible as well as showing (Qt says only the latter).
// Over AT-SPI's D-Bus on Linux; Windows' UI Automation needs no such word.
void announceVisible(QObject *object);

} // namespace Accessibility
