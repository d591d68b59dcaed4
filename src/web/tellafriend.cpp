// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "web/tellafriend.h"

#include "ui/widgets/textrules.h"
#include "ui/windows/messages.h"
#include "web/links.h"

#include <array>

namespace modTellAFriend {

QString tafName;
QString tafEmail;
QString tafMessage;
QString tafFriendName;
QString tafFriendEmail;
QUrl tafURL;

namespace {
// The browser gets the address on a command line, and Windows' holds 32,767 characters in all, the
// browser's own path and options included; Linux takes up to 128 KiB in one argument. A longer address
// would fail to start the browser without a word, and the referral would be lost unseen.
constexpr qsizetype LongestAddress = 32000;

bool missing(const QString &value, const QString &placeholder)
{
    const QString trimmed = trimBlanks(value);
    return trimmed.isEmpty() || trimmed == placeholder;
}

// The first failing check's message, or an empty text.
QString requestProblem()
{
    if (missing(tafName, QStringLiteral("Your Name")))
        return QStringLiteral("Please Enter Your Name");
    if (missing(tafEmail, QStringLiteral("Your Email Address")))
        return QStringLiteral("Please Enter Your Email");
    if (missing(tafMessage, QStringLiteral("Your Message")))
        return QStringLiteral("Please Enter Your Message");
    if (missing(tafFriendName, QStringLiteral("Friend's Name")))
        return QStringLiteral("Please Enter Your Friend's Name");
    if (missing(tafFriendEmail, QStringLiteral("Friend's Email Address")))
        return QStringLiteral("Please Enter Your Friend's Email");
    return {};
}

// Every value is percent-encoded as a whole, so "&", "=", "+", "#", line ends and letters beyond ASCII reach
// the receiving page as typed instead of splitting or cutting the query.
QUrl requestAddress()
{
    const std::array<std::pair<const char *, QString>, 6> items{{
        {"taf1", tafName},
        {"taf2", tafEmail},
        {"taf3", tafMessage},
        {"taf4", tafFriendName},
        {"taf5", tafFriendEmail},
        {"taf6", modHelp::ProductSiteURL().toString(QUrl::FullyEncoded)},
    }};
    QByteArray query;
    for (const auto &[key, value] : items) {
        if (!query.isEmpty())
            query += '&';
        query += key;
        query += '=';
        query += QUrl::toPercentEncoding(value);
    }
    QUrl address = modHelp::ReferAFriendURL();
    // The query arrives fully encoded: strict mode takes it as it is instead of repairing it.
    address.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return address;
}
} // namespace

QString checkAddresses(const QString &email, const QString &friendEmail)
{
    if (email == friendEmail)
        return QStringLiteral("Please Enter Distinct Email Addresses");
    if (!email.contains(u'@') || !friendEmail.contains(u'@'))
        return QStringLiteral("Please Enter Proper Email Address");
    if (!email.contains(u'.') || !friendEmail.contains(u'.'))
        return QStringLiteral("Please Enter Proper Email Address");
    return {};
}

void TellAFriend()
{
    if (const QString problem = requestProblem(); !problem.isEmpty()) {
        showCritical(problem);
        return;
    }
    const QUrl address = requestAddress();
    if (address.toEncoded().size() > LongestAddress) {
        showCritical(QStringLiteral("Your Referral Is Too Long To Send"));
        return;
    }
    tafURL = address;
    OpenTafURL();
}

void OpenTafURL()
{
    modHelp::OpenURL(tafURL);
}

} // namespace modTellAFriend
