// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// The referral address built from whatever the user typed into the five fields: either a refusal and no
// address, or one address whose query a form handler reads back as the very texts stored.

#include "fakeplatform.h"
#include "formdecode.h"
#include "web/links.h"
#include "web/tellafriend.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Five fields, split at zero bytes.
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    QStringList fields;
    for (int i = 0; i < 5; ++i)
        fields << (i < parts.size() ? QString::fromUtf8(parts.at(i)) : QString());

    static FakePlatform platform;
    platform.clearRecords();
    modTellAFriend::tafName = fields[0];
    modTellAFriend::tafEmail = fields[1];
    modTellAFriend::tafMessage = fields[2];
    modTellAFriend::tafFriendName = fields[3];
    modTellAFriend::tafFriendEmail = fields[4];
    modTellAFriend::TellAFriend();

    if (platform.messages.size() + platform.openedUrls.size() != 1)
        std::abort(); // a refusal or an address, never both or neither
    if (platform.openedUrls.isEmpty())
        return 0;
    const QList<std::pair<QString, QString>> expected{
        {QStringLiteral("taf1"), fields[0]}, {QStringLiteral("taf2"), fields[1]},
        {QStringLiteral("taf3"), fields[2]}, {QStringLiteral("taf4"), fields[3]},
        {QStringLiteral("taf5"), fields[4]}, {QStringLiteral("taf6"), modHelp::ProductSiteURL().toString()}};
    if (formDecode(platform.openedUrls.first().toEncoded()) != expected)
        std::abort();
    return 0;
}
