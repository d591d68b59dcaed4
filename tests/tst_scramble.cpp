// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
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
    QTest::addColumn<bool>("windows1252"); // else ISO 8859-1

    const QString c200 = codes(200, 200);
    QTest::addRow("empty") << QString() << u""_s << QString() << false;
    QTest::addRow("abc") << u"abc"_s << codes(182, 184) << u"abc"_s << false;
    // What the old, non-wrapping shift stored (codes 85-255) must read back as it always did.
    QTest::addRow("codes 0-170 as before") << codes(0, 170) << codes(85, 255) << codes(0, 170) << false;
    QTest::addRow("codes above 170 wrap") << codes(171, 255) << codes(0, 84) << codes(171, 255) << false;
    QTest::addRow("code 200 in the middle")
        << u"a"_s + c200 + u"b"_s << u"\u00B6\u001D\u00B7"_s << u"a"_s + c200 + u"b"_s << false;
    QTest::addRow("32,768 characters")
        << QString(32768, u'x') << QString(32768, QChar(u'x' + 85)) << QString(32768, u'x') << false;
    QTest::addRow("outside the set") << u"5\u20AC"_s << QString() << u"5?"_s << false;
    QTest::addRow("beyond 16 bits is one character") << u"a\U0001F600b"_s << QString() << u"a?b"_s << false;
    // What the ANSI settings calls of Western Windows store for the key name and a day.
    QTest::addRow("Duration under Windows-1252")
        << u"Duration"_s << u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3"_s << u"Duration"_s << true;
    QTest::addRow("a day under Windows-1252")
        << u"2026-12-08"_s << u"\u2021\u2026\u2021\u2039\u201A\u2020\u2021\u201A\u2026\u008D"_s
        << u"2026-12-08"_s << true;
    QTest::addRow("the euro sign is a code of Windows-1252")
        << u"\u20AC"_s << codes(213, 213) << u"\u20AC"_s << true;
}

void tst_Scramble::shiftWrapsWithinTheSingleByteSet()
{
    QFETCH(QString, plain);
    QFETCH(QString, scrambled);
    QFETCH(QString, readBack);
    QFETCH(bool, windows1252);
    const SingleByteSet &set = windows1252 ? SingleByteSet::windows1252() : SingleByteSet::latin1();

    if (!scrambled.isNull())
        QCOMPARE(ScrambleText(plain, set), scrambled);
    QCOMPARE(UnscrambleText(ScrambleText(plain, set), set), readBack);
}

QTEST_GUILESS_MAIN(tst_Scramble)
#include "tst_scramble.moc"
