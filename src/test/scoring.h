// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "test/catalogue.h"

#include <QString>
#include <QtGlobal>

// The running scores of one test, one per body type; the main window sets them to 0 when a test starts.
// They outlive the test window, and so do the result lines written from them at the end of a test.
extern qint16 intMesomorphScore;
extern qint16 intEndomorphScore;
extern qint16 intEctomorphScore;

extern QString strMesomorphResult;
extern QString strEndomorphResult;
extern QString strEctomorphResult;

constexpr int PointsPerAnswer = 10;

void resetScores();
qint16 scoreOf(BodyType type);

// Adds one answer's points to the score of its body type.
void addAnswer(BodyType type);

// Counts the option the user left selected on a question; -1, no selection, counts nothing.
void scoreAnswer(const Question &question, int chosenIndex);

// "My Body Type is 50% Endomorph"
QString resultLine(int score, BodyType type);

// Writes the three result lines from the current scores.
void writeResultLines();
