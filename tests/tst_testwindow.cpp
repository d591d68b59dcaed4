#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/resultview.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/linklabel.h"
#include "ui/windowregistry.h"
#include "web/aboutbox.h"
#include "web/exitscreen.h"
#include "web/links.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {
using Choices = QList<int>; // the option to leave selected on each page

enum class Leave { BackButton, BackMenu, ExitMenu, CloseBox };

// Clicks the option on its caption, where a user would.
void choose(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {},
                      QPoint(option->sizeHint().width() / 2, option->height() / 2));
}

void trigger(QWidget *window, const char *actionName)
{
    auto *action = window->findChild<QAction *>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}
} // namespace

class tst_TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void resultShowsScoresOfTheOptionsLeftSelected_data();
    void resultShowsScoresOfTheOptionsLeftSelected();
    void altNMovesOnePageAtATime();
    void onlyTheFrontPageIsReachedByTab_data();
    void onlyTheFrontPageIsReachedByTab();
    void backReturnsToMainAndTheNextTestStartsAfresh_data();
    void backReturnsToMainAndTheNextTestStartsAfresh();
    void exitOrCloseBoxShowsTheExitScreenOnly_data();
    void exitOrCloseBoxShowsTheExitScreenOnly();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void aboutBoxIsModal();
    void illustrationsAreDrawn_data();
    void illustrationsAreDrawn();
    void everyTextFitsItsControl();

private:
    frmDisplay *startTest();
    void walk(frmDisplay *window, int pages, const Choices &choices = {});

    FakePlatform m_platform;
};

void tst_TestWindow::cleanup()
{
    destroyAllWindows();
    m_platform.clearRecords();
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

// Starts a test the way the user does, from the main window.
frmDisplay *tst_TestWindow::startTest()
{
    frmMain &main = Forms::mainWindow();
    main.show();
    main.txtFirstName->setText(QStringLiteral("ANNA"));
    main.cmdNext->click();
    frmDisplay *window = Forms::existingTestWindow();
    if (!window || !QTest::qWaitForWindowExposed(window))
        return nullptr;
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

// Presses Next on the given number of pages, choosing an option first where one is given.
void tst_TestWindow::walk(frmDisplay *window, int pages, const Choices &choices)
{
    for (int q = 0; q < pages; ++q) {
        QCOMPARE(window->frontPage(), window->pages[q]);
        if (q < choices.size())
            choose(window->optionGroups[q][choices[q]]);
        QTest::mouseClick(window->nextButtons[q], Qt::LeftButton);
    }
}

void tst_TestWindow::resultShowsScoresOfTheOptionsLeftSelected_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<bool>("changeMindFirst");
    QTest::addColumn<int>("endomorph");
    QTest::addColumn<int>("mesomorph");
    QTest::addColumn<int>("ectomorph");

    const Choices mixed{1, 0, 0, 2, 2, 0, 1, 0, 1, 1};
    QTest::addRow("untouched") << Choices{} << false << 50 << 30 << 20;
    QTest::addRow("mixed") << mixed << false << 30 << 40 << 30;
    QTest::addRow("all mesomorph") << Choices{1, 0, 0, 2, 1, 2, 2, 1, 0, 2} << false << 0 << 100 << 0;
    QTest::addRow("only the last choice counts") << mixed << true << 30 << 40 << 30;
}

void tst_TestWindow::resultShowsScoresOfTheOptionsLeftSelected()
{
    QFETCH(Choices, choices);
    QFETCH(bool, changeMindFirst);
    QFETCH(int, endomorph);
    QFETCH(int, mesomorph);
    QFETCH(int, ectomorph);

    frmDisplay *window = startTest();
    QVERIFY(window);
    if (changeMindFirst) {
        for (int q = 0; q < QuestionCount; ++q) {
            choose(window->optionGroups[q][(choices[q] + 1) % 3]);
            choose(window->optionGroups[q][(choices[q] + 2) % 3]);
            choose(window->optionGroups[q][choices[q]]);
            QTest::mouseClick(window->nextButtons[q], Qt::LeftButton);
        }
    } else {
        walk(window, QuestionCount, choices);
    }

    QCOMPARE(window->frontArea(), window->fraAnswer);
    QVERIFY(window->fraAnswer->isVisible());
    QVERIFY(!window->fraQuestion->isVisible());
    const auto line = [](int score, const char *type) {
        return QStringLiteral("My Body Type is %1% %2").arg(score).arg(QLatin1String(type));
    };
    QCOMPARE(window->fraAnswer->lblEN->text(), line(endomorph, "Endomorph"));
    QCOMPARE(window->fraAnswer->lblM->text(), line(mesomorph, "Mesomorph"));
    QCOMPARE(window->fraAnswer->lblEC->text(), line(ectomorph, "Ectomorph"));
    QCOMPARE(strEndomorphResult, window->fraAnswer->lblEN->text());
}

void tst_TestWindow::altNMovesOnePageAtATime()
{
    frmDisplay *window = startTest();
    QVERIFY(window);
    // Ten buttons share the access key; only the one on the page in front may answer it.
    for (int q = 1; q < QuestionCount; ++q) {
        QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(window->frontPage(), window->pages[q]);
        QTest::qWait(50);
        QCOMPARE(window->frontPage(), window->pages[q]);
    }
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(window->frontArea(), window->fraAnswer);
    QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, 100);
    // Nothing behind the result view reacts any more.
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QTest::qWait(50);
    QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, 100);
}

void tst_TestWindow::onlyTheFrontPageIsReachedByTab_data()
{
    QTest::addColumn<int>("pagesDone");
    QTest::addRow("question 1") << 0;
    QTest::addRow("question 4") << 3;
    QTest::addRow("question 10") << 9;
    QTest::addRow("result view") << 10;
}

void tst_TestWindow::onlyTheFrontPageIsReachedByTab()
{
    QFETCH(int, pagesDone);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, pagesDone);
    QWidget *front = pagesDone < QuestionCount ? window->frontPage() : window->frontArea();

    QSet<QWidget *> reached;
    for (int i = 0; i < 12; ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QVERIFY2(focus == window->cmdBack || front->isAncestorOf(focus), qPrintable(focus->objectName()));
        QVERIFY(focus->isVisible());
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QVERIFY(reached.contains(window->cmdBack));
    if (pagesDone < QuestionCount)
        QVERIFY(reached.contains(window->nextButtons[pagesDone]));
}

void tst_TestWindow::backReturnsToMainAndTheNextTestStartsAfresh_data()
{
    QTest::addColumn<int>("pagesDone");
    QTest::addColumn<bool>("byMenu");
    QTest::addRow("question 1, button") << 0 << false;
    QTest::addRow("question 6, menu") << 5 << true;
    QTest::addRow("result view, button") << 10 << false;
    QTest::addRow("result view, menu") << 10 << true;
}

void tst_TestWindow::backReturnsToMainAndTheNextTestStartsAfresh()
{
    QFETCH(int, pagesDone);
    QFETCH(bool, byMenu);
    frmDisplay *window = startTest();
    QVERIFY(window);
    choose(window->optionGroups[0][2]);
    QVERIFY(window->optionGroups[0][2]->isChecked());
    walk(window, pagesDone);
    const int scored = intEndomorphScore + intMesomorphScore + intEctomorphScore;

    QPointer<frmDisplay> left = window;
    if (byMenu)
        trigger(window, "mnuBack");
    else
        QTest::mouseClick(window->cmdBack, Qt::LeftButton);
    QTRY_VERIFY(!left);
    QVERIFY(!Forms::existingTestWindow());
    QVERIFY(Forms::mainWindow().isVisible());
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(!Forms::existingExitScreen()->isVisible());
    QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, scored);

    window = startTest();
    QVERIFY(window);
    QCOMPARE(window->frontArea(), window->fraQuestion);
    QCOMPARE(window->frontPage(), window->pages[0]);
    QCOMPARE(window->optionGroups[0][0]->text(), QStringLiteral("Flabby"));
    for (const auto &group : std::as_const(window->optionGroups))
        QVERIFY(group[0]->isChecked());
    QCOMPARE(intEndomorphScore + intMesomorphScore + intEctomorphScore, 0);
}

void tst_TestWindow::exitOrCloseBoxShowsTheExitScreenOnly_data()
{
    QTest::addColumn<int>("pagesDone");
    QTest::addColumn<bool>("byMenu");
    QTest::addRow("question 1, close box") << 0 << false;
    QTest::addRow("question 5, file exit") << 4 << true;
    QTest::addRow("result view, close box") << 10 << false;
    QTest::addRow("result view, file exit") << 10 << true;
}

void tst_TestWindow::exitOrCloseBoxShowsTheExitScreenOnly()
{
    QFETCH(int, pagesDone);
    QFETCH(bool, byMenu);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, pagesDone);

    QPointer<frmDisplay> left = window;
    if (byMenu)
        trigger(window, "mnuExit");
    else
        window->close();
    QTRY_VERIFY(!left);
    QVERIFY(!Forms::existingTestWindow());
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(Forms::existingExitScreen()->isVisible());
    QVERIFY(!Forms::mainWindow().isVisible());
    QCOMPARE(m_platform.endProcessCalls, 0);
}

void tst_TestWindow::linksOpenTheirPages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("pagesDone");
    QTest::addColumn<QUrl>("page");

    QTest::addRow("Label61") << QStringLiteral("Label61") << 0 << modHelp::HomePageURL();
    QTest::addRow("branding label in front")
        << QStringLiteral("lblFullBrand") << 0 << modHelp::FullBrandPageURL();
    QTest::addRow("mnuOnline") << QStringLiteral("mnuOnline") << 0 << modHelp::HelpPageURL();
    QTest::addRow("mnuVisit") << QStringLiteral("mnuVisit") << 0 << modHelp::HomePageURL();
    QTest::addRow("mnuUpdate") << QStringLiteral("mnuUpdate") << 0 << modHelp::DownloadPageURL();
    QTest::addRow("mnuDonate") << QStringLiteral("mnuDonate") << 0 << modHelp::DonatePageURL();
    QTest::addRow("endomorph description") << QStringLiteral("Label14") << 10 << modHelp::FullBrandPageURL();
    QTest::addRow("mesomorph description") << QStringLiteral("Label15") << 10 << QUrl();
    QTest::addRow("ectomorph description") << QStringLiteral("Label16") << 10 << QUrl();
}

void tst_TestWindow::linksOpenTheirPages()
{
    QFETCH(QString, control);
    QFETCH(int, pagesDone);
    QFETCH(QUrl, page);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, pagesDone);

    if (auto *action = window->findChild<QAction *>(control)) {
        action->trigger();
    } else {
        auto *label = window->findChild<QLabel *>(control);
        QVERIFY(label && label->isVisible());
        // Click where the user would: whatever lies on top at that spot takes it.
        QWidget *client = window->client();
        const QPoint spot = label->mapTo(client, label->rect().center());
        QWidget *hit = client->childAt(spot);
        QVERIFY(hit);
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(client, spot));
    }
    QCOMPARE(m_platform.openedUrls, page.isEmpty() ? QList<QUrl>{} : QList<QUrl>{page});
    QCOMPARE(Forms::existingTestWindow(), window);
}

void tst_TestWindow::aboutBoxIsModal()
{
    frmDisplay *window = startTest();
    QVERIFY(window);
    QPointer<QWidget> seen;
    QTimer::singleShot(0, this, [&seen] {
        seen = QApplication::activeModalWidget();
        if (seen)
            seen->close();
    });
    trigger(window, "mnuAbout");
    QVERIFY(qobject_cast<frmAbout *>(seen.data()) || !seen);
    QTRY_VERIFY(!seen);
    QVERIFY(window->isVisible());
}

void tst_TestWindow::illustrationsAreDrawn_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addRow("endomorph") << QStringLiteral("Picture3");
    QTest::addRow("mesomorph") << QStringLiteral("Picture2");
    QTest::addRow("ectomorph") << QStringLiteral("Picture1");
}

void tst_TestWindow::illustrationsAreDrawn()
{
    QFETCH(QString, picture);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, QuestionCount);
    auto *widget = window->fraAnswer->findChild<QWidget *>(picture);
    QVERIFY(widget);
    QCOMPARE(widget->size(), QSize(86, 119));
    const QImage image = widget->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += image.pixel(x, y) != background;
    QVERIFY2(drawn > image.width() * image.height() / 5, qPrintable(QString::number(drawn)));
}

// Nothing is cut off: every caption and text fits inside its control at the window's fixed size.
void tst_TestWindow::everyTextFitsItsControl()
{
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, QuestionCount);
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        QVERIFY2(needed <= label->height(), qPrintable(label->objectName()));
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
    }
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        const QString text = QString(button->text()).remove(u'&');
        const int room =
            qobject_cast<QRadioButton *>(button) ? button->sizeHint().width() : button->width() - 8;
        QVERIFY2(button->fontMetrics().horizontalAdvance(text) <= room, qPrintable(button->objectName()));
        QVERIFY2(button->sizeHint().height() <= button->height() + 2, qPrintable(button->objectName()));
        if (qobject_cast<QRadioButton *>(button))
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
    }
    // every control stays inside the window's client area
    for (QWidget *child : window->client()->findChildren<QWidget *>()) {
        const QRect box(child->mapTo(window->client(), QPoint()), child->size());
        QVERIFY2(window->client()->rect().contains(box), qPrintable(child->objectName()));
    }
}

QTEST_MAIN(tst_TestWindow)
#include "tst_testwindow.moc"
