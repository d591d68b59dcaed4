#include "fakeplatform.h"
#include "settings/scramble.h"
#include "settings/updatereminder.h"
#include "web/links.h"

#include <QTest>

using namespace modHelp;
using namespace Qt::StringLiterals;

namespace {
// Marks an entry that is not there at all, as opposed to one holding the empty text.
const QString Absent = u"<absent>"_s;

QString address(const QString &application, const QString &plainKey)
{
    return application + u"/Settings/"_s + ScrambleText(plainKey);
}
} // namespace

class tst_UpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void decisionTable_data();
    void decisionTable();
    void askedQuestionIsTheReminder();
    void entriesAreStoredScrambledInstallFirst();
    void refusedWriteStopsBeforeThePage_data();
    void refusedWriteStopsBeforeThePage();
    void anotherExecutableNameStartsAfresh();

private:
    void store(const QString &plainKey, const QString &plainValue);
    QString stored(const QString &plainKey) const;

    FakePlatform m_platform;
};

void tst_UpdateReminder::store(const QString &plainKey, const QString &plainValue)
{
    if (plainValue != Absent)
        m_platform.store.insert(address(m_platform.appName, plainKey), ScrambleText(plainValue));
}

QString tst_UpdateReminder::stored(const QString &plainKey) const
{
    const QString key = address(m_platform.appName, plainKey);
    return m_platform.store.contains(key) ? UnscrambleText(m_platform.store.value(key)) : Absent;
}

void tst_UpdateReminder::init()
{
    m_platform.store.clear();
    m_platform.clearRecords();
    m_platform.refuseWrites = false;
    m_platform.appName = u"kaltrix"_s;
}

void tst_UpdateReminder::decisionTable_data()
{
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("install");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QString>("durationAfter");
    QTest::addColumn<QString>("installAfter");
    QTest::addColumn<bool>("opensPage");

    const QDate today = m_platform.todayDate;
    const auto day = [&](int offset) {
        return today.addDays(offset).toString(u"yyyy-MM-dd");
    };
    const QString now = day(0);
    const auto Yes = MessageAnswer::Yes;
    const auto No = MessageAnswer::No;

    QTest::addRow("first run") << Absent << Absent << Yes << false << now << u"1"_s << false;
    QTest::addRow("first run resets an old count")
        << Absent << u"9"_s << Yes << false << now << u"1"_s << false;
    QTest::addRow("empty duration is a first run")
        << QString() << Absent << Yes << false << now << u"1"_s << false;
    QTest::addRow("14 days ago") << day(-14) << u"3"_s << Yes << false << day(-14) << u"3"_s << false;
    QTest::addRow("14 days ahead") << day(14) << u"3"_s << Yes << false << day(14) << u"3"_s << false;
    QTest::addRow("today") << now << u"3"_s << Yes << false << now << u"3"_s << false;
    QTest::addRow("15 days ago, No") << day(-15) << u"1"_s << No << true << now << u"1"_s << false;
    QTest::addRow("15 days ago, Yes") << day(-15) << u"1"_s << Yes << true << now << u"1"_s << true;
    QTest::addRow("15 days ahead, No") << day(15) << u"1"_s << No << true << now << u"1"_s << false;
    QTest::addRow("15 days ahead, Yes") << day(15) << u"1"_s << Yes << true << now << u"1"_s << true;
    QTest::addRow("years ago") << day(-3000) << u"1"_s << Yes << true << now << u"1"_s << true;
    QTest::addRow("negative count") << day(-15) << u"-7"_s << No << true << now << u"7"_s << false;
    QTest::addRow("half rounds down to even") << day(-15) << u"2.5"_s << No << true << now << u"2"_s << false;
    QTest::addRow("half rounds up to even") << day(-15) << u"3.5"_s << No << true << now << u"4"_s << false;
    QTest::addRow("negative half") << day(-15) << u"-2.5"_s << No << true << now << u"2"_s << false;
    QTest::addRow("above a half") << day(-15) << u"2.51"_s << No << true << now << u"3"_s << false;
    // An unreadable count counts as 1 instead of undoing the answer.
    QTest::addRow("count absent, Yes") << day(-15) << Absent << Yes << true << now << u"1"_s << true;
    QTest::addRow("count empty, Yes") << day(-15) << QString() << Yes << true << now << u"1"_s << true;
    QTest::addRow("count damaged, No") << day(-15) << u"x7"_s << No << true << now << u"1"_s << false;
    QTest::addRow("count too large") << day(-15) << u"1e12"_s << No << true << now << u"1"_s << false;
    QTest::addRow("count not finite") << day(-15) << u"inf"_s << No << true << now << u"1"_s << false;
    // A date nobody can read would otherwise silence the reminder for good: it is a first run.
    QTest::addRow("duration not a date") << u"soon"_s << u"4"_s << Yes << false << now << u"1"_s << false;
    QTest::addRow("duration in a short format")
        << u"11/22/2026"_s << u"4"_s << Yes << false << now << u"1"_s << false;
    QTest::addRow("duration an impossible day")
        << u"2026-02-30"_s << u"4"_s << Yes << false << now << u"1"_s << false;
}

void tst_UpdateReminder::decisionTable()
{
    QFETCH(QString, duration);
    QFETCH(QString, install);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, asks);
    QFETCH(QString, durationAfter);
    QFETCH(QString, installAfter);
    QFETCH(bool, opensPage);

    store(u"Duration"_s, duration);
    store(u"Install"_s, install);
    m_platform.answers = {answer};

    UpdateReminder();

    QCOMPARE(m_platform.messages.size(), asks ? 1 : 0);
    QCOMPARE(stored(u"Duration"_s), durationAfter);
    QCOMPARE(stored(u"Install"_s), installAfter);
    QCOMPARE(m_platform.openedUrls, opensPage ? QList<QUrl>{DownloadPageURL()} : QList<QUrl>{});
    if (!asks && durationAfter == duration)
        QVERIFY(m_platform.writes.isEmpty());
}

void tst_UpdateReminder::askedQuestionIsTheReminder()
{
    store(u"Duration"_s, m_platform.todayDate.addDays(-20).toString(u"yyyy-MM-dd"));
    UpdateReminder();

    QCOMPARE(m_platform.messages.size(), 1);
    const MessageRequest &request = m_platform.messages.constFirst();
    QCOMPARE(request.text, QStringLiteral("There maybe an update to this software available\r"
                                          "Do you want to check for an update?"));
    QCOMPARE(request.icon, MessageIcon::Information);
    QCOMPARE(request.buttons, MessageButtons::YesNo);
    QCOMPARE(request.defaultAnswer, MessageAnswer::Yes);
}

void tst_UpdateReminder::entriesAreStoredScrambledInstallFirst()
{
    store(u"Duration"_s, m_platform.todayDate.addDays(-20).toString(u"yyyy-MM-dd"));
    store(u"Install"_s, u"-3"_s);
    UpdateReminder();

    const QString prefix = u"Settings/"_s;
    QCOMPARE(m_platform.writes,
             QStringList({prefix + ScrambleText(u"Install"_s) + u'=' + ScrambleText(u"3"_s),
                          prefix + ScrambleText(u"Duration"_s) + u'=' + ScrambleText(u"2026-12-07"_s)}));
}

void tst_UpdateReminder::refusedWriteStopsBeforeThePage_data()
{
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<bool>("asks");

    QTest::addRow("first run") << 0 << false;
    QTest::addRow("question due") << 15 << true;
}

void tst_UpdateReminder::refusedWriteStopsBeforeThePage()
{
    QFETCH(int, daysAgo);
    QFETCH(bool, asks);

    if (daysAgo > 0)
        store(u"Duration"_s, m_platform.todayDate.addDays(-daysAgo).toString(u"yyyy-MM-dd"));
    m_platform.refuseWrites = true;
    m_platform.answers = {MessageAnswer::Yes};

    UpdateReminder();

    QCOMPARE(m_platform.messages.size(), asks ? 1 : 0);
    QVERIFY(m_platform.openedUrls.isEmpty());
    QCOMPARE(m_platform.store.size(), daysAgo > 0 ? 1 : 0);
}

void tst_UpdateReminder::anotherExecutableNameStartsAfresh()
{
    store(u"Duration"_s, m_platform.todayDate.addDays(-20).toString(u"yyyy-MM-dd"));
    m_platform.appName = u"kaltrix-copy"_s;

    UpdateReminder();

    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(stored(u"Install"_s), u"1"_s);
    m_platform.appName = u"kaltrix"_s;
    QCOMPARE(stored(u"Duration"_s), m_platform.todayDate.addDays(-20).toString(u"yyyy-MM-dd"));
}

QTEST_GUILESS_MAIN(tst_UpdateReminder)
#include "tst_updatereminder.moc"
