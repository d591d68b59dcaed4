// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// The update reminder over whatever the two stored entries hold (ISO dates, short dates of any locale's
// form, damaged counts): it never fails, and once it has asked, the next start on the same day does not.

#include "fakeplatform.h"
#include "settings/scramble.h"
#include "settings/updatereminder.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is the day as stored, the rest the count.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\n');
    const QString duration = QString::fromUtf8(input.left(split < 0 ? input.size() : split));
    const QString install = split < 0 ? QString() : QString::fromUtf8(input.mid(split + 1));

    static FakePlatform platform;
    platform.clearRecords();
    platform.store.clear();
    platform.userLocale = size % 2 ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English);
    const QString prefix = platform.appName + QStringLiteral("/Settings/");
    platform.store[prefix + modHelp::ScrambleText(QStringLiteral("Duration"))] =
        modHelp::ScrambleText(duration);
    platform.store[prefix + modHelp::ScrambleText(QStringLiteral("Install"))] =
        modHelp::ScrambleText(install);

    modHelp::UpdateReminder();
    const qsizetype asked = platform.messages.size();
    modHelp::UpdateReminder();
    if (platform.messages.size() != asked)
        std::abort();
    return 0;
}
