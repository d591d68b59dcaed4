// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "fakeplatform.h"
#include "settings/scramble.h"
#include "settings/updatereminder.h"
#include "web/links.h"

#include <QTest>

using namespace modHelp;
using namespace Qt::StringLiterals;

namespace {
// An entry that is not there at all, as opposed to one holding the empty text.
const QString Absent = u"<absent>"_s;
const QString Duration = u"Duration"_s;
const QString Install = u"Install"_s;
} // namespace

class tst_UpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void decisionTable_data();
    void decisionTable();
    void refusedWriteKeepsNothingButHonoursTheAnswer_data();
    void refusedWriteKeepsNothingButHonoursTheAnswer();

private:
    QString day(int offset) const { return m_platform.todayDate.addDays(offset).toString(u"yyyy-MM-dd"); }
    QString address(const QString &plainKey) const { return u"kaltrix/Settings/"_s + ScrambleText(plainKey); }
    void store(const QString &plainKey, const QString &plainValue);
    QString stored(const QString &plainKey) const;

    FakePlatform m_platform;
};

void tst_UpdateReminder::init()
{
    m_platform.store.clear();
    m_platform.clearRecords();
    m_platform.refuseWrites = false;
    m_platform.todayDate = QDate(2026, 12, 7);
}

void tst_UpdateReminder::store(const QString &plainKey, const QString &plainValue)
{
    if (plainValue != Absent)
        m_platform.store.insert(address(plainKey), ScrambleText(plainValue));
}

QString tst_UpdateReminder::stored(const QString &plainKey) const
{
    const auto entry = m_platform.store.constFind(address(plainKey));
    return entry == m_platform.store.cend() ? Absent : UnscrambleText(*entry);
}

void tst_UpdateReminder::decisionTable_data()
{
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("install");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("installAfter");
    QTest::addColumn<bool>("opensPage");
    QTest::addColumn<QDate>("clock"); // invalid: the suite's today

    const auto Yes = MessageAnswer::Yes;
    const auto No = MessageAnswer::No;
    auto row = [](const char *tag, const QString &duration, const QString &install, MessageAnswer answer,
                  bool asks, const QString &installAfter, bool opensPage, QDate clock = {}) {
        QTest::addRow("%s", tag) << duration << install << answer << asks << installAfter << opensPage
                                 << clock;
    };
    row("first run", Absent, Absent, Yes, false, u"1"_s, false);
    row("first run resets the count", u""_s, u"9"_s, Yes, false, u"1"_s, false);
    row("14 days ago", day(-14), u"3"_s, Yes, false, u"3"_s, false);
    row("14 days ahead", day(14), u"3"_s, Yes, false, u"3"_s, false);
    row("15 days ago, No", day(-15), u"1"_s, No, true, u"1"_s, false);
    row("15 days ago, Yes", day(-15), u"1"_s, Yes, true, u"1"_s, true);
    row("15 days ahead, No", day(15), u"1"_s, No, true, u"1"_s, false);
    row("15 days ahead, Yes", day(15), u"1"_s, Yes, true, u"1"_s, true);
    row("negative count", day(-15), u"-7"_s, No, true, u"7"_s, false);
    row("half rounds down to even", day(-15), u"2.5"_s, No, true, u"2"_s, false);
    row("half rounds up to even", day(-15), u"-3.5"_s, No, true, u"4"_s, false);
    // An unreadable count counts as 1 instead of undoing the answer.
    row("count absent, Yes", day(-15), Absent, Yes, true, u"1"_s, true);
    row("count empty, Yes", day(-15), u""_s, Yes, true, u"1"_s, true);
    row("count damaged", day(-15), u"x7"_s, No, true, u"1"_s, false);
    row("count beyond 32 bits", day(-15), u"1e12"_s, No, true, u"1"_s, false);
    // A date nobody can read would otherwise silence the reminder for good: it counts as a first run.
    row("duration not a date", u"soon"_s, u"4"_s, Yes, false, u"1"_s, false);
    row("duration in no locale's order", u"22/11/2026"_s, u"4"_s, Yes, false, u"1"_s, false);
    // Earlier Windows versions wrote the user's short date format; it reads as that date.
    row("short date 5 days ago", u"12/2/2026"_s, u"4"_s, Yes, false, u"4"_s, false);
    row("short date 15 days ago", u"11/22/2026"_s, u"4"_s, No, true, u"4"_s, false);
    // Within 14 days only if 26 is 2026: 1926 or the year 26 would bring the question.
    row("short date, two-digit year", u"12/2/26"_s, u"-4"_s, Yes, false, u"-4"_s, false);
    // Dates are written as the next start reads them, with four-digit years: a clock beyond them is no date.
    row("clock in 9999", u"9999-12-01"_s, u"3"_s, Yes, true, u"3"_s, true, QDate(9999, 12, 31));
    row("clock past 9999", u"2026-11-22"_s, u"3"_s, Yes, false, u"3"_s, false, QDate(10027, 2, 7));
}

void tst_UpdateReminder::decisionTable()
{
    QFETCH(QString, duration);
    QFETCH(QString, install);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, asks);
    QFETCH(QString, installAfter);
    QFETCH(bool, opensPage);
    QFETCH(QDate, clock);

    if (clock.isValid())
        m_platform.todayDate = clock;
    store(Duration, duration);
    store(Install, install);
    m_platform.answers = {answer};

    UpdateReminder();

    QCOMPARE(m_platform.messages.size(), asks ? 1 : 0);
    if (asks) {
        const MessageRequest &request = m_platform.messages.constFirst();
        QCOMPARE(request.text, u"There maybe an update to this software available\r"
                               "Do you want to check for an update?"_s);
        QCOMPARE(request.icon, MessageIcon::Information);
        QCOMPARE(request.buttons, MessageButtons::YesNo);
        QCOMPARE(request.defaultAnswer, MessageAnswer::Yes);
    }
    QCOMPARE(stored(Install), installAfter);
    const bool rewrites = stored(Duration) != duration;
    QCOMPARE(stored(Duration), rewrites ? day(0) : duration);
    // Both entries are rewritten together, the count first, or not at all.
    QStringList expectedWrites;
    if (rewrites) {
        expectedWrites << u"Settings/"_s + ScrambleText(Install) + u'=' + ScrambleText(installAfter)
                       << u"Settings/"_s + ScrambleText(Duration) + u'=' + ScrambleText(day(0));
    }
    QCOMPARE(m_platform.writes, expectedWrites);
    QCOMPARE(m_platform.openedUrls, opensPage ? QList<QUrl>{DownloadPageURL()} : QList<QUrl>{});
}

void tst_UpdateReminder::refusedWriteKeepsNothingButHonoursTheAnswer_data()
{
    QTest::addColumn<int>("daysAgo");

    QTest::addRow("first run") << 0;
    QTest::addRow("question due") << 15;
}

void tst_UpdateReminder::refusedWriteKeepsNothingButHonoursTheAnswer()
{
    QFETCH(int, daysAgo);

    if (daysAgo > 0)
        store(Duration, day(-daysAgo));
    m_platform.refuseWrites = true;
    m_platform.answers = {MessageAnswer::Yes};

    UpdateReminder();

    QCOMPARE(m_platform.messages.size(), daysAgo > 0 ? 1 : 0);
    // Yes opens the page although nothing could be kept; the question then comes back next time.
    QCOMPARE(m_platform.openedUrls, daysAgo > 0 ? QList<QUrl>{DownloadPageURL()} : QList<QUrl>{});
    QCOMPARE(stored(Duration), daysAgo > 0 ? day(-daysAgo) : Absent);
}

QTEST_GUILESS_MAIN(tst_UpdateReminder)
#include "tst_updatereminder.moc"
