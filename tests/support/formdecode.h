// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

// Reads an address's query as a server-side form handler does: the first "?" starts it, "&" splits, the
// first "=" ends the key, "+" is a blank, and the rest is percent-decoded as UTF-8.
QList<std::pair<QString, QString>> formDecode(const QByteArray &encodedUrl);
