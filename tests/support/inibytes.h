// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

// A file's bytes as they lie on disk; none if it cannot be read.
QByteArray fileBytes(const QString &path);
// Random bytes, fewer than maxSize, rich in the characters an INI reader cares about, to reach its odd
// corners.
QByteArray randomIniBytes(QRandomGenerator &random, int maxSize);
