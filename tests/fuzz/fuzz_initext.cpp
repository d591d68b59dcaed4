// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// The settings file as another program or a damaged disk hands it over: reading never fails, and a value
// written into any file reads back as written, with the rest of the file kept.

#include "settings/initext.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString section = QStringLiteral("Settings");
    // The program's own keys are scrambled names, beyond ASCII; plain ones and foreign ones too.
    for (const QString &key : {QStringLiteral("\u00EE\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3"),
                               QStringLiteral("k"), QStringLiteral("a=b;c")}) {
        (void)IniText::value(file, section, key);
        const QString value = QStringLiteral("v=\"1\"; \u00E9");
        const QByteArray written = IniText::withValue(file, section, key, value);
        if (IniText::value(written, section, key) != value)
            std::abort();
        // Another section's entry is left as the file had it.
        const QString other = IniText::value(file, QStringLiteral("Other"), QStringLiteral("k"));
        if (IniText::value(written, QStringLiteral("Other"), QStringLiteral("k")) != other)
            std::abort();
    }
    return 0;
}
