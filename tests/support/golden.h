// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QJsonArray>
#include <QJsonObject>

// The program's texts as they must stand, written once for every suite (and the end-to-end run) in
// tests/golden/texts.json: "questions" (label, heading, group, options, types, top option first) and
// "texts" (a control's name and its text).
QJsonObject goldenTexts();
