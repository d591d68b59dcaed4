// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/singlebyteset.h"

#include <QString>

// The fixed shift that keeps stored key names and values out of plain sight. Each character is taken by
// its code in the set; one outside the set counts as '?'. The shift wraps around within 0-255, so
// UnscrambleText(ScrambleText(t)) == t for every text of that set, of any length.
namespace modHelp {
QString ScrambleText(const QString &text, const SingleByteSet &set = SingleByteSet::latin1());
QString UnscrambleText(const QString &text, const SingleByteSet &set = SingleByteSet::latin1());
} // namespace modHelp
