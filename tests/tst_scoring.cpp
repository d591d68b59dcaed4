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

Choices same(int index)
{
    return Choices(QuestionCount, index);
}
} // namespace

class tst_Scoring : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetScores(); }

    void everyOptionCountsForItsType_data();
    void everyOptionCountsForItsType();
    void captionsKeepTheirBlanks();
    void tenAnswersGiveTheThreeTotals_data();
    void tenAnswersGiveTheThreeTotals();
    void everyCombinationAddsUpTo100();
    void resultLineReadsScoreThenType_data();
    void resultLineReadsScoreThenType();
    void resultLinesFollowTheScores();
    void scoreNeverWrapsPast16Bits_data();
    void scoreNeverWrapsPast16Bits();
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
        // exactly one score moves, by one answer's worth
        QCOMPARE(scoreOf(types.at(i)), qint16(PointsPerAnswer));
        QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, PointsPerAnswer);
    }
}

void tst_Scoring::captionsKeepTheirBlanks()
{
    QCOMPARE(QuestionCatalogue[3].heading.toString(), QStringLiteral("4.  Weight Issues"));
    QCOMPARE(QuestionCatalogue[8].options[0].caption.toString(), QStringLiteral("That I look fine "));
}

void tst_Scoring::tenAnswersGiveTheThreeTotals_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<int>("endomorph");
    QTest::addColumn<int>("mesomorph");
    QTest::addColumn<int>("ectomorph");

    QTest::addRow("all top options") << same(0) << 50 << 30 << 20;
    QTest::addRow("all middle options") << same(1) << 30 << 30 << 40;
    QTest::addRow("all bottom options") << same(2) << 20 << 40 << 40;
    QTest::addRow("mixed") << Choices{1, 0, 0, 2, 2, 0, 1, 0, 1, 1} << 30 << 40 << 30;
    QTest::addRow("all mesomorph") << Choices{1, 0, 0, 2, 1, 2, 2, 1, 0, 2} << 0 << 100 << 0;
    QTest::addRow("nothing selected counts nothing") << same(-1) << 0 << 0 << 0;
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
    int combinations = 1;
    for (int q = 0; q < QuestionCount; ++q)
        combinations *= 3;
    Choices choices = same(0);
    for (int n = 0; n < combinations; ++n) {
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

void tst_Scoring::resultLinesFollowTheScores()
{
    answerAll(same(0));
    writeResultLines();
    QCOMPARE(strEndomorphResult, QStringLiteral("My Body Type is 50% Endomorph"));
    QCOMPARE(strMesomorphResult, QStringLiteral("My Body Type is 30% Mesomorph"));
    QCOMPARE(strEctomorphResult, QStringLiteral("My Body Type is 20% Ectomorph"));
}

void tst_Scoring::scoreNeverWrapsPast16Bits_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addRow("up to the limit") << 32757 << 32767;
    QTest::addRow("past the limit is skipped") << 32760 << 32760;
}

void tst_Scoring::scoreNeverWrapsPast16Bits()
{
    QFETCH(int, before);
    QFETCH(int, after);
    intMesomorphScore = qint16(before);
    addAnswer(Meso);
    QCOMPARE(intMesomorphScore, after);
}

QTEST_GUILESS_MAIN(tst_Scoring)
#include "tst_scoring.moc"
