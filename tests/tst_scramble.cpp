#include "settings/scramble.h"

#include <QTest>

using namespace modHelp;
using namespace Qt::StringLiterals;

namespace {
QString codes(int from, int to)
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
    void shiftWrapsWithinTheSingleByteSet_data();
    void shiftWrapsWithinTheSingleByteSet();
};

void tst_Scramble::shiftWrapsWithinTheSingleByteSet_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("scrambled"); // null: only the round trip is checked
    QTest::addColumn<QString>("readBack");

    const QString c200 = codes(200, 200);
    QTest::addRow("empty") << QString() << u""_s << QString();
    QTest::addRow("abc") << u"abc"_s << codes(182, 184) << u"abc"_s;
    // What the old, non-wrapping shift stored (codes 85-255) must read back as it always did.
    QTest::addRow("codes 0-170 as before") << codes(0, 170) << codes(85, 255) << codes(0, 170);
    QTest::addRow("codes above 170 wrap") << codes(171, 255) << codes(0, 84) << codes(171, 255);
    QTest::addRow("code 200 in the middle")
        << u"a"_s + c200 + u"b"_s << u"\u00B6\u001D\u00B7"_s << u"a"_s + c200 + u"b"_s;
    QTest::addRow("32,768 characters")
        << QString(32768, u'x') << QString(32768, QChar(u'x' + 85)) << QString(32768, u'x');
    QTest::addRow("outside the set") << u"5\u20AC"_s << QString() << u"5?"_s;
    QTest::addRow("beyond 16 bits is one character") << u"a\U0001F600b"_s << QString() << u"a?b"_s;
}

void tst_Scramble::shiftWrapsWithinTheSingleByteSet()
{
    QFETCH(QString, plain);
    QFETCH(QString, scrambled);
    QFETCH(QString, readBack);

    if (!scrambled.isNull())
        QCOMPARE(ScrambleText(plain), scrambled);
    QCOMPARE(UnscrambleText(ScrambleText(plain)), readBack);
}

QTEST_GUILESS_MAIN(tst_Scramble)
#include "tst_scramble.moc"
