// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QString>
#include <QUrl>

// The refer-a-friend request: the trimmed texts of the latest submission from the exit screen, checked and
// handed to the browser as the query of one address on the maker's main site. Nothing is sent by the
// program itself.
namespace modTellAFriend {

// The latest submission, stored before any check; empty until the first one.
extern QString tafName;
extern QString tafEmail;
extern QString tafMessage;
extern QString tafFriendName;
extern QString tafFriendEmail;
// The latest request address.
extern QUrl tafURL;

// The message refusing the two trimmed e-mail addresses of a submission, or an empty text when they pass.
// Only equality and the presence of "@" and "." are tested.
QString checkAddresses(const QString &email, const QString &friendEmail);

// Checks the stored values, builds tafURL and opens it; a failed check shows its message and opens nothing,
// as does an address too long for the desktop to hand to a browser.
void TellAFriend();
void OpenTafURL();

} // namespace modTellAFriend
