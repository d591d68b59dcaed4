// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "inibytes.h"

#include <QFile>

using namespace Qt::StringLiterals;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray randomIniBytes(QRandomGenerator &random, int maxSize)
{
    static const QByteArray Significant = "[]=\\\"@%,;#\n\r\t (Settings)ByteArrayVariant\x00\xff\xc3"_ba;
    QByteArray bytes(random.bounded(maxSize), Qt::Uninitialized);
    for (char &byte : bytes)
        byte = random.bounded(2) ? char(random.bounded(256))
                                 : Significant.at(random.bounded(Significant.size()));
    return bytes;
}
