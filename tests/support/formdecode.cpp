// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "formdecode.h"

#include <QUrl>

QList<std::pair<QString, QString>> formDecode(const QByteArray &encodedUrl)
{
    QList<std::pair<QString, QString>> items;
    for (QByteArray part : encodedUrl.mid(encodedUrl.indexOf('?') + 1).split('&')) {
        part.replace('+', ' ');
        const qsizetype equals = part.indexOf('=');
        items.append(
            {QUrl::fromPercentEncoding(part.left(equals)), QUrl::fromPercentEncoding(part.mid(equals + 1))});
    }
    return items;
}
