// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QString>

// Leading and trailing blanks (code 32) removed; tabs and line ends stay.
QString trimBlanks(const QString &text);

// A text of a constant table, where texts are kept as u"" literals so that the tables stay constexpr.
inline QString text(const char16_t *row)
{
    return QString::fromUtf16(row);
}
