#include "settings/scramble.h"

#include <QTest>

using namespace modHelp;

namespace {
QString fromCodes(std::initializer_list<int> codes)
{
    QString text;
    for (int code : codes)
        text.append(QChar(char16_t(code)));
    return text;
}

QString allCodes(int from, int to)
{
    QString text;
    for (int code = from; code <= to; ++code)
        text.append(QChar(char16_t(code)));
    return text;
}
} // namespace

class tst_Scramble : public QObject
{
    Q_OBJECT

private slots:
    void scrambledForm_data();
    void scrambledForm();
    void everySingleByteTextRoundTrips_data();
    void everySingleByteTextRoundTrips();
    void storedCodesFrom85UnscrambleAsBefore();
    void charactersOutsideTheSetBecomeOneQuestionMark_data();
    void charactersOutsideTheSetBecomeOneQuestionMark();
};

void tst_Scramble::scrambledForm_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("scrambled");

    QTest::addRow("empty") << QString() << QString();
    QTest::addRow("abc") << QStringLiteral("abc") << fromCodes({182, 183, 184});
    QTest::addRow("digits and date marks")
        << QStringLiteral("2026-12-07") << fromCodes({135, 133, 135, 139, 130, 134, 135, 130, 133, 140});
    QTest::addRow("code 170 is the last that needs no wrap") << fromCodes({170}) << fromCodes({255});
    QTest::addRow("codes above 170 wrap to the bottom")
        << fromCodes({171, 200, 255}) << fromCodes({0, 29, 84});
}

void tst_Scramble::scrambledForm()
{
    QFETCH(QString, plain);
    QFETCH(QString, scrambled);
    QCOMPARE(ScrambleText(plain), scrambled);
    QCOMPARE(UnscrambleText(scrambled), plain);
}

void tst_Scramble::everySingleByteTextRoundTrips_data()
{
    QTest::addColumn<QString>("plain");

    QTest::addRow("code 200 in the middle") << fromCodes({'a', 200, 'b'});
    QTest::addRow("every code 0-255") << allCodes(0, 255);
    QTest::addRow("32,768 characters") << QString(32768, u'x');
    QTest::addRow("100,000 mixed characters") << allCodes(0, 255).repeated(391).left(100000);
}

void tst_Scramble::everySingleByteTextRoundTrips()
{
    QFETCH(QString, plain);
    const QString scrambled = ScrambleText(plain);
    QCOMPARE(scrambled.size(), plain.size());
    QVERIFY(scrambled != plain);
    QCOMPARE(UnscrambleText(scrambled), plain);
}

void tst_Scramble::storedCodesFrom85UnscrambleAsBefore()
{
    // Anything the old shift could have stored lies in 85-255 and must read back exactly as it did.
    QCOMPARE(UnscrambleText(allCodes(85, 255)), allCodes(0, 170));
}

void tst_Scramble::charactersOutsideTheSetBecomeOneQuestionMark_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("readBack");

    QTest::addRow("euro sign") << QStringLiteral("5\u20AC") << QStringLiteral("5?");
    QTest::addRow("character beyond 16 bits") << QStringLiteral("a\U0001F600b") << QStringLiteral("a?b");
    QTest::addRow("lone surrogate") << fromCodes({'a', 0xD800}) << QStringLiteral("a?");
}

void tst_Scramble::charactersOutsideTheSetBecomeOneQuestionMark()
{
    QFETCH(QString, plain);
    QFETCH(QString, readBack);
    QCOMPARE(UnscrambleText(ScrambleText(plain)), readBack);
}

QTEST_GUILESS_MAIN(tst_Scramble)
#include "tst_scramble.moc"
