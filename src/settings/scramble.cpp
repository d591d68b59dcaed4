// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/scramble.h"

namespace {
constexpr int ShiftWidth = 85;

QString shifted(QStringView text, int by, const SingleByteSet &set)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // A character beyond the 16-bit range is one character, so it becomes one '?', not two.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const int code = set.code(unit);
        result.append(set.character((code < 0 ? int(u'?') : code) + by));
    }
    return result;
}
} // namespace

namespace modHelp {

QString ScrambleText(const QString &text, const SingleByteSet &set)
{
    return shifted(text, ShiftWidth, set);
}

QString UnscrambleText(const QString &text, const SingleByteSet &set)
{
    return shifted(text, 256 - ShiftWidth, set);
}

} // namespace modHelp
