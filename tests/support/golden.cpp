// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "golden.h"

#include <QFile>
#include <QJsonDocument>

QJsonObject goldenTexts()
{
    QFile file(QStringLiteral(":/golden/texts.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the golden texts are not built into this suite");
    return QJsonDocument::fromJson(file.readAll()).object();
}
