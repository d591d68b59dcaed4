// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/application.h"
#include "app/branding.h"
#include "app/exitapplication.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "fakeplatform.h"
#include "ui/system/qtplatform.h"
#include "ui/widgets/linklabel.h"
#include "ui/windows/form.h"
#include "ui/windows/windowregistry.h"
#include "web/exitscreen.h"

#include <QTest>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
// A window that notes when it closes and can run a hook from its close handling.
class RecordingForm : public Form
{
public:
    RecordingForm(QString name, QStringList *log)
        : Form(QSize(10, 10), false), m_name(std::move(name)), m_log(log)
    {}
    std::function<void()> onUnload;

protected:
    void Form_Unload() override
    {
        m_log->append(m_name);
        if (onUnload)
            onUnload();
    }

private:
    QString m_name;
    QStringList *m_log;
};
} // namespace

class tst_Startup : public WindowSuite
{
    Q_OBJECT

private slots:
    void windowSystemsComeAheadOfTheArguments_data();
    void windowSystemsComeAheadOfTheArguments();
    void brandingDrawRoundsHalfToEvenAndRaisesOneLabel_data();
    void brandingDrawRoundsHalfToEvenAndRaisesOneLabel();

    void startShowsMainWindowAfterSeeding();
    void secondInstanceIsRefusedAndShowsNoWindow();

    void exitClosesEveryWindowInCreationOrder();
    void nestedExitFromACloseHandlingEndsOnce();
    void windowsShownWhileEndingStayOffScreen();
    void exitScreenCloseEndsProcessWithoutReturning();

private:
    ProgramNavigation m_navigation;
};

void tst_Startup::windowSystemsComeAheadOfTheArguments_data()
{
    QTest::addColumn<QByteArrayList>("given");
    QTest::addColumn<QByteArray>("preferred");
    QTest::addColumn<QByteArrayList>("made");
    const QByteArray x11First = "xcb;wayland";
    QTest::addRow("ordinary start") << QByteArrayList{"kaltrix"} << x11First
                                    << QByteArrayList{"kaltrix", "-platform", x11First};
    // Qt takes the last -platform it finds: one the user gives still wins.
    QTest::addRow("the user's choice after ours")
        << QByteArrayList{"/usr/bin/kaltrix", "-platform", "wayland"} << x11First
        << QByteArrayList{"/usr/bin/kaltrix", "-platform", x11First, "-platform", "wayland"};
    // execve() allows an empty argument vector, which Qt cannot start with.
    QTest::addRow("no arguments at all")
        << QByteArrayList{} << x11First << QByteArrayList{"kaltrix", "-platform", x11First};
}

void tst_Startup::windowSystemsComeAheadOfTheArguments()
{
    QFETCH(QByteArrayList, given);
    QFETCH(QByteArray, preferred);
    QFETCH(QByteArrayList, made);
    std::vector<char *> argv;
    for (QByteArray &argument : given)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QCOMPARE(applicationArguments(int(given.size()), argv.data(), preferred), made);
}

void tst_Startup::brandingDrawRoundsHalfToEvenAndRaisesOneLabel_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("cobrandInFront");
    QTest::addRow("zero") << 0.0f << 1 << true;
    QTest::addRow("just below 1/12") << std::nextafter(1.0f / 12.0f, 0.0f) << 1 << true;
    QTest::addRow("1/12 as a float") << 1.0f / 12.0f << 2 << false;
    QTest::addRow("0.2") << 0.2f << 2 << false;
    QTest::addRow("0.25 is 2.5, to even") << 0.25f << 2 << false;
    QTest::addRow("0.3") << 0.3f << 3 << true;
    QTest::addRow("0.5") << 0.5f << 4 << false;
    QTest::addRow("0.75 is 5.5, to even") << 0.75f << 6 << false;
    QTest::addRow("0.9") << 0.9f << 6 << false;
    // A draw of 7 keeps the layout's stacking, in which the full-branding label lies on top.
    QTest::addRow("11/12 as a float lies above it") << 11.0f / 12.0f << 7 << false;
    QTest::addRow("0.95") << 0.95f << 7 << false;
    QTest::addRow("largest float below 1") << std::nextafter(1.0f, 0.0f) << 7 << false;
}

void tst_Startup::brandingDrawRoundsHalfToEvenAndRaisesOneLabel()
{
    QFETCH(float, r);
    QFETCH(int, n);
    QFETCH(bool, cobrandInFront);
    QCOMPARE(coBrandNumber(r), n);
    frmMain &main = Forms::mainWindow();
    main.bringCobrandToFront();
    main.bringFullBrandToFront();
    m_platform.draws = {r};
    CoBrand_Randomize();
    QCOMPARE(intCoBrandRandomNumber, qint16(n));
    QCOMPARE(main.lblCobrand->isVisibleTo(&main), cobrandInFront);
    QCOMPARE(main.lblFullBrand->isVisibleTo(&main), !cobrandInFront);
}

void tst_Startup::startShowsMainWindowAfterSeeding()
{
    m_platform.draws = {0.0f};
    m_platform.onMessage = [](const MessageRequest &) {
        QFAIL("start-up showed a message");
    };
    StartApplication();
    frmMain *main = Forms::existingMainWindow();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(m_platform.reseeds, 1);
    QCOMPARE(intCoBrandRandomNumber, qint16(1));
    QVERIFY(main->lblCobrand->isVisibleTo(main));
    QCOMPARE(m_platform.endProcessCalls, 0);
}

void tst_Startup::secondInstanceIsRefusedAndShowsNoWindow()
{
    m_platform.instanceGuardFree = false;
    // The process must not end while the message is still up.
    m_platform.onMessage = [this](const MessageRequest &) {
        QCOMPARE(m_platform.endProcessCalls, 0);
    };
    StartApplication();
    QCOMPARE(m_platform.messages.size(), 1);
    QCOMPARE(m_platform.messages.first().text, u"Application is already running"_s);
    QCOMPARE(m_platform.messages.first().icon, MessageIcon::Information);
    QCOMPARE(m_platform.messages.first().buttons, MessageButtons::Ok);
    QCOMPARE(m_platform.endProcessCalls, 1);
    QCOMPARE(m_platform.reseeds, 0);
    QVERIFY(!Forms::existingMainWindow());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Startup::exitClosesEveryWindowInCreationOrder()
{
    QStringList log;
    auto *first = new RecordingForm(u"first"_s, &log);
    auto *hidden = new RecordingForm(u"hidden"_s, &log);
    auto *last = new RecordingForm(u"last"_s, &log);
    first->show();
    last->show();
    Q_UNUSED(hidden);
    ExitApplication();
    QCOMPARE(log, (QStringList{u"first"_s, u"hidden"_s, u"last"_s}));
    QCOMPARE(m_platform.endProcessCalls, 1);
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

void tst_Startup::nestedExitFromACloseHandlingEndsOnce()
{
    QStringList log;
    auto *a = new RecordingForm(u"a"_s, &log);
    auto *exitLike = new RecordingForm(u"exit"_s, &log);
    auto *b = new RecordingForm(u"b"_s, &log);
    // Like the exit screen: its close handling starts a nested walk, and that walk ends the process.
    exitLike->onUnload = [&] {
        ExitApplication();
        log.append(u"after nested"_s);
    };
    // A window that tries to close one whose close is under way must not close it a second time.
    a->onUnload = [&] {
        QVERIFY(!exitLike->isClosing());
    };
    b->onUnload = [&] {
        exitLike->close();
    };
    ExitApplication();
    QCOMPARE(log, (QStringList{u"a"_s, u"exit"_s, u"b"_s, u"after nested"_s}));
    QCOMPARE(m_platform.endProcessCalls, 1);
    Q_UNUSED(a);
}

void tst_Startup::windowsShownWhileEndingStayOffScreen()
{
    Forms::mainWindow().show();
    ExitApplication();
    // The main window's close handling shows the exit screen as always, but not on the screen.
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(Forms::existingExitScreen()->testAttribute(Qt::WA_DontShowOnScreen));
    QCOMPARE(m_platform.endProcessCalls, 1);
}

void tst_Startup::exitScreenCloseEndsProcessWithoutReturning()
{
    frmMain &main = Forms::mainWindow();
    main.show();
    main.close();
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(Forms::existingExitScreen()->isVisible());
    QVERIFY(!Forms::existingExitScreen()->testAttribute(Qt::WA_DontShowOnScreen));
    QCOMPARE(m_platform.endProcessCalls, 0);
    Forms::existingExitScreen()->close();
    QCOMPARE(m_platform.endProcessCalls, 1);
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    tst_Startup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
