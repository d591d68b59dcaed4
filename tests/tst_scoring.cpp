// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "golden.h"
#include "test/catalogue.h"
#include "test/scoring.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Choices = QList<int>; // the chosen option index per question, -1 for none

constexpr auto Endo = BodyType::Endomorph;
constexpr auto Meso = BodyType::Mesomorph;
constexpr auto Ecto = BodyType::Ectomorph;

void answerAll(const Choices &choices)
{
    resetScores();
    for (int q = 0; q < QuestionCount; ++q)
        scoreAnswer(QuestionCatalogue[q], choices.at(q));
}
} // namespace

class tst_Scoring : public QObject
{
    Q_OBJECT

private slots:
    void everyOptionCountsForItsType_data();
    void everyOptionCountsForItsType();
    void tenAnswersGiveTheThreeTotals_data();
    void tenAnswersGiveTheThreeTotals();
    void scoreStopsBelowTheSixteenBitLimit_data();
    void scoreStopsBelowTheSixteenBitLimit();
    void resultLineReadsScoreThenType_data();
    void resultLineReadsScoreThenType();
};

void tst_Scoring::everyOptionCountsForItsType_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QList<BodyType>>("types");

    const QJsonArray questions = goldenTexts().value(u"questions").toArray();
    QCOMPARE(questions.size(), QuestionCount);
    const QMap<QString, BodyType> byName{
        {u"Endomorph"_s, Endo}, {u"Mesomorph"_s, Meso}, {u"Ectomorph"_s, Ecto}};
    for (int q = 0; q < QuestionCount; ++q) {
        QList<BodyType> types;
        for (const QJsonValue &type : questions.at(q).toObject().value(u"types").toArray())
            types.append(byName.value(type.toString()));
        QTest::addRow("question %d", q + 1) << q << types;
    }
}

void tst_Scoring::everyOptionCountsForItsType()
{
    QFETCH(int, question);
    QFETCH(QList<BodyType>, types);
    for (int i = 0; i < 3; ++i) {
        resetScores();
        scoreAnswer(QuestionCatalogue[question], i);
        QCOMPARE(scoreOf(types.at(i)), qint16(PointsPerAnswer));
        QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, PointsPerAnswer);
    }
}

void tst_Scoring::tenAnswersGiveTheThreeTotals_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<int>("endomorph");
    QTest::addColumn<int>("mesomorph");
    QTest::addColumn<int>("ectomorph");

    QTest::addRow("all top options") << Choices(QuestionCount, 0) << 50 << 30 << 20;
    QTest::addRow("all middle options") << Choices(QuestionCount, 1) << 30 << 30 << 40;
    QTest::addRow("all bottom options") << Choices(QuestionCount, 2) << 20 << 40 << 40;
    QTest::addRow("mixed") << Choices{1, 0, 0, 2, 2, 0, 1, 0, 1, 1} << 30 << 40 << 30;
    QTest::addRow("nothing selected counts nothing") << Choices(QuestionCount, -1) << 0 << 0 << 0;
}

void tst_Scoring::tenAnswersGiveTheThreeTotals()
{
    QFETCH(Choices, choices);
    QFETCH(int, endomorph);
    QFETCH(int, mesomorph);
    QFETCH(int, ectomorph);
    answerAll(choices);
    QCOMPARE(intEndomorphScore, endomorph);
    QCOMPARE(intMesomorphScore, mesomorph);
    QCOMPARE(intEctomorphScore, ectomorph);
}

void tst_Scoring::scoreStopsBelowTheSixteenBitLimit_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addRow("room for one more answer") << 32750 << 32760;
    QTest::addRow("exactly at the limit") << 32757 << 32767;
    QTest::addRow("one short of room") << 32758 << 32758;
    QTest::addRow("at the limit") << 32767 << 32767;
}

// A score that would wrap to a negative number stays as it was; the other types are not touched.
void tst_Scoring::scoreStopsBelowTheSixteenBitLimit()
{
    QFETCH(int, before);
    QFETCH(int, after);
    resetScores();
    intEndomorphScore = qint16(before);
    addAnswer(BodyType::Endomorph);
    QCOMPARE(int(intEndomorphScore), after);
    QCOMPARE(intMesomorphScore + intEctomorphScore, 0);
}

void tst_Scoring::resultLineReadsScoreThenType_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<BodyType>("type");
    QTest::addColumn<QString>("line");

    QTest::addRow("zero is a digit") << 0 << Meso << QStringLiteral("My Body Type is 0% Mesomorph");
    QTest::addRow("thirty") << 30 << Endo << QStringLiteral("My Body Type is 30% Endomorph");
    QTest::addRow("hundred") << 100 << Ecto << QStringLiteral("My Body Type is 100% Ectomorph");
}

void tst_Scoring::resultLineReadsScoreThenType()
{
    QFETCH(int, score);
    QFETCH(BodyType, type);
    QFETCH(QString, line);
    QCOMPARE(resultLine(score, type), line);
}

QTEST_GUILESS_MAIN(tst_Scoring)
#include "tst_scoring.moc"
