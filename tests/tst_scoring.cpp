#include "test/catalogue.h"
#include "test/scoring.h"

#include <QTest>

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
    void everyCombinationAddsUpTo100();
    void resultLineReadsScoreThenType_data();
    void resultLineReadsScoreThenType();
};

void tst_Scoring::everyOptionCountsForItsType_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QList<BodyType>>("types");

    const QList<QList<BodyType>> table{
        {Endo, Meso, Ecto}, {Meso, Ecto, Endo}, {Meso, Ecto, Endo}, {Endo, Ecto, Meso}, {Endo, Meso, Ecto},
        {Ecto, Endo, Meso}, {Endo, Ecto, Meso}, {Endo, Meso, Ecto}, {Meso, Endo, Ecto}, {Ecto, Endo, Meso},
    };
    for (int q = 0; q < QuestionCount; ++q)
        QTest::addRow("question %d", q + 1) << q << table.at(q);
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

void tst_Scoring::everyCombinationAddsUpTo100()
{
    Choices choices(QuestionCount, 0);
    for (int n = 0; n < 59049; ++n) { // 3 to the 10th
        for (int q = 0, rest = n; q < QuestionCount; ++q, rest /= 3)
            choices[q] = rest % 3;
        answerAll(choices);
        if (intEndomorphScore + intMesomorphScore + intEctomorphScore != 100)
            QFAIL(qPrintable(QStringLiteral("combination %1 does not add up to 100").arg(n)));
    }
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
