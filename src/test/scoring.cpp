// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "test/scoring.h"

#include <limits>

qint16 intMesomorphScore = 0;
qint16 intEndomorphScore = 0;
qint16 intEctomorphScore = 0;

QString strMesomorphResult;
QString strEndomorphResult;
QString strEctomorphResult;

namespace {
qint16 &scoreRef(BodyType type)
{
    switch (type) {
    case BodyType::Ectomorph:
        return intEctomorphScore;
    case BodyType::Endomorph:
        return intEndomorphScore;
    case BodyType::Mesomorph:
        break;
    }
    return intMesomorphScore;
}
} // namespace

void resetScores()
{
    intMesomorphScore = 0;
    intEndomorphScore = 0;
    intEctomorphScore = 0;
}

qint16 scoreOf(BodyType type)
{
    return scoreRef(type);
}

void addAnswer(BodyType type)
{
    qint16 &score = scoreRef(type);
    // A 16-bit score cannot pass 32767; an addition that would is skipped and the score stays as it was.
    if (score > std::numeric_limits<qint16>::max() - PointsPerAnswer)
        return;
    score = static_cast<qint16>(score + PointsPerAnswer);
}

void scoreAnswer(const Question &question, int chosenIndex)
{
    if (chosenIndex < 0 || chosenIndex >= int(question.options.size()))
        return;
    addAnswer(question.options[chosenIndex].type);
}

QString resultLine(int score, BodyType type)
{
    return QStringLiteral("My Body Type is ") + QString::number(score) + QStringLiteral("% ") +
           bodyTypeName(type);
}

void writeResultLines()
{
    strMesomorphResult = resultLine(intMesomorphScore, BodyType::Mesomorph);
    strEctomorphResult = resultLine(intEctomorphScore, BodyType::Ectomorph);
    strEndomorphResult = resultLine(intEndomorphScore, BodyType::Endomorph);
}
