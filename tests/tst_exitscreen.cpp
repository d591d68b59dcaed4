// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "ui/widgets/linklabel.h"
#include "ui/windows/windowregistry.h"
#include "web/exitscreen.h"
#include "web/links.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ExitScreen : public WindowSuite
{
    Q_OBJECT

private slots:
    void loadReseedsAndDrawsOneOfFourMessages_data();
    void loadReseedsAndDrawsOneOfFourMessages();
    void messageDrawnAtLoadStaysForTheRun();
    void homeButtonOpensOncePerPressAndNeverStaysDown_data();
    void homeButtonOpensOncePerPressAndNeverStaysDown();
    void catalogueLinkOpensSoftwarePage();
    void escapeDoesNotClose();
    void exitAndCloseBoxBothEndTheProcess_data();
    void exitAndCloseBoxBothEndTheProcess();

private:
    ProgramNavigation m_navigation;
};

void tst_ExitScreen::loadReseedsAndDrawsOneOfFourMessages_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("k");
    QTest::addRow("0") << 0.0f << 0;
    QTest::addRow("just below 1/4") << std::nextafter(0.25f, 0.0f) << 0;
    QTest::addRow("1/4") << 0.25f << 1;
    QTest::addRow("0.6") << 0.6f << 2;
    QTest::addRow("largest below 1") << std::nextafter(1.0f, 0.0f) << 3;
}

void tst_ExitScreen::loadReseedsAndDrawsOneOfFourMessages()
{
    QFETCH(float, r);
    QFETCH(int, k);
    m_platform.draws = {r};
    frmNagScreen2 &screen = Forms::exitScreen();
    QCOMPARE(m_platform.reseeds, 1);
    QCOMPARE(screen.Label2->text(), supportMessages().at(k));
    QVERIFY(screen.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!screen.isVisible());
}

void tst_ExitScreen::messageDrawnAtLoadStaysForTheRun()
{
    const QStringList messages = supportMessages();
    QCOMPARE(messages.size(), 4);
    QCOMPARE(QSet<QString>(messages.begin(), messages.end()).size(), 4);
    for (const QString &message : messages)
        QVERIFY(message.contains(modHelp::MainSiteDisplayName()));

    m_platform.draws = {0.8f, 0.1f};
    Forms::hideExitScreen();
    Forms::showExitScreen();
    Forms::hideExitScreen();
    Forms::showExitScreen();
    QCOMPARE(m_platform.reseeds, 1);
    QCOMPARE(Forms::existingExitScreen()->Label2->text(), messages.at(3));
}

void tst_ExitScreen::homeButtonOpensOncePerPressAndNeverStaysDown_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("opened");
    QTest::addRow("click") << u"click"_s << 1;
    QTest::addRow("space") << u"space"_s << 1;
    // A check box drawn as a button, on a screen without a default button: Enter presses nothing.
    QTest::addRow("enter") << u"enter"_s << 0;
}

void tst_ExitScreen::homeButtonOpensOncePerPressAndNeverStaysDown()
{
    QFETCH(QString, way);
    QFETCH(int, opened);
    Forms::showExitScreen();
    frmNagScreen2 &screen = Forms::exitScreen();
    QVERIFY(screen.Check1->isCheckable());
    screen.Check1->setFocus();
    for (int press = 1; press <= 2; ++press) {
        if (way == u"click")
            QTest::mouseClick(screen.Check1, Qt::LeftButton);
        else
            QTest::keyClick(screen.Check1, way == u"space" ? Qt::Key_Space : Qt::Key_Return);
        QVERIFY(!screen.Check1->isChecked());
        QCOMPARE(m_platform.openedUrls, QList<QUrl>(press * opened, modHelp::HomePageURL()));
    }
    QVERIFY(screen.isVisible());
}

void tst_ExitScreen::catalogueLinkOpensSoftwarePage()
{
    Forms::showExitScreen();
    QTest::mouseClick(Forms::exitScreen().lblGoToHome, Qt::LeftButton);
    QCOMPARE(m_platform.openedUrls, QList<QUrl>{modHelp::SoftwarePageURL()});
    QVERIFY(Forms::exitScreen().isVisible());
}

void tst_ExitScreen::escapeDoesNotClose()
{
    Forms::showExitScreen();
    frmNagScreen2 &screen = Forms::exitScreen();
    QTest::keyClick(&screen, Qt::Key_Escape);
    QTest::keyClick(screen.cmdClose, Qt::Key_Escape);
    QVERIFY(screen.isVisible());
    QCOMPARE(m_platform.endProcessCalls, 0);
}

void tst_ExitScreen::exitAndCloseBoxBothEndTheProcess_data()
{
    QTest::addColumn<QString>("way");
    QTest::addRow("Exit button") << u"click"_s;
    QTest::addRow("Enter on the focused Exit") << u"enter"_s;
    QTest::addRow("close box") << u"close"_s;
}

void tst_ExitScreen::exitAndCloseBoxBothEndTheProcess()
{
    QFETCH(QString, way);
    // The main window went away hidden, as during a test: it must be closed too, and the screen not return.
    frmMain &main = Forms::mainWindow();
    Forms::hideExitScreen();
    Forms::showExitScreen();
    frmNagScreen2 &screen = Forms::exitScreen();
    if (way == u"click")
        QTest::mouseClick(screen.cmdClose, Qt::LeftButton);
    else if (way == u"enter")
        QTest::keyClick(screen.cmdClose, Qt::Key_Return);
    else
        screen.close();
    QCOMPARE(m_platform.endProcessCalls, 1);
    QVERIFY(main.isClosed());
    QVERIFY(screen.isClosed());
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

QTEST_MAIN(tst_ExitScreen)
#include "tst_exitscreen.moc"
