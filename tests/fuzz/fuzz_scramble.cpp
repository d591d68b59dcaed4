// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// Stored key names and values as a damaged file or another program may hold them: unscrambling any text
// works, and scrambling gives back every text of the character set.

#include "settings/scramble.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)modHelp::UnscrambleText(text);
    QString inSet;
    for (const QChar c : text)
        inSet.append(c.unicode() <= 0xFF ? c : QChar(u'?'));
    if (modHelp::UnscrambleText(modHelp::ScrambleText(inSet)) != inSet)
        std::abort();
    return 0;
}
