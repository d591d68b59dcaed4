// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "golden.h"
#include "test/resultview.h"
#include "test/scoring.h"
#include "test/testwindow.h"
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

using namespace Qt::StringLiterals;

namespace {
using Choices = QList<int>; // the option to leave selected on each page

int total()
{
    return intEndomorphScore + intMesomorphScore + intEctomorphScore;
}

// Clicks the option on its caption, where a user would.
void choose(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {},
                      QPoint(option->sizeHint().width() / 2, option->height() / 2));
}

// Starts a test the way the user does, from the main window.
frmDisplay *startTest()
{
    frmMain &main = Forms::mainWindow();
    main.show();
    main.txtFirstName->setText(u"ANNA"_s);
    main.cmdNext->click();
    frmDisplay *window = Forms::existingTestWindow();
    if (!window || !QTest::qWaitForWindowExposed(window))
        return nullptr;
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

// Presses Next on the first pages, choosing an option first where one is given.
void walk(frmDisplay *window, int pages, const Choices &choices = {})
{
    for (int q = 0; q < pages; ++q) {
        if (q < choices.size())
            choose(window->optionGroups[q][choices[q]]);
        QTest::mouseClick(window->nextButtons[q], Qt::LeftButton);
    }
}
} // namespace

class tst_TestWindow : public WindowSuite
{
    Q_OBJECT

private slots:
    void resultShowsScoresOfTheOptionsLeftSelected_data();
    void resultShowsScoresOfTheOptionsLeftSelected();
    void onlyTheFrontPageTakesTabAndAccessKey_data();
    void onlyTheFrontPageTakesTabAndAccessKey();
    void leavingDestroysTheTestWindow_data();
    void leavingDestroysTheTestWindow();
    void onlyTheEndomorphDescriptionIsALink_data();
    void onlyTheEndomorphDescriptionIsALink();
    void optionsShowWholeAndTheIllustrationsAreDrawn();
    void everyTextStandsExactlyAsWritten_data();
    void everyTextStandsExactlyAsWritten();

private:
    ProgramNavigation m_navigation;
};

void tst_TestWindow::resultShowsScoresOfTheOptionsLeftSelected_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<bool>("changeMindFirst");
    QTest::addColumn<QStringList>("lines");

    const Choices mixed{1, 0, 0, 2, 2, 0, 1, 0, 1, 1};
    const QStringList mixedLines{u"My Body Type is 30% Endomorph"_s, u"My Body Type is 40% Mesomorph"_s,
                                 u"My Body Type is 30% Ectomorph"_s};
    QTest::addRow("untouched") << Choices{} << false
                               << QStringList{u"My Body Type is 50% Endomorph"_s,
                                              u"My Body Type is 30% Mesomorph"_s,
                                              u"My Body Type is 20% Ectomorph"_s};
    QTest::addRow("only the last choice counts") << mixed << true << mixedLines;
}

void tst_TestWindow::resultShowsScoresOfTheOptionsLeftSelected()
{
    QFETCH(Choices, choices);
    QFETCH(bool, changeMindFirst);
    QFETCH(QStringList, lines);

    frmDisplay *window = startTest();
    QVERIFY(window);
    if (changeMindFirst) {
        for (int q = 0; q < QuestionCount; ++q) {
            choose(window->optionGroups[q][(choices[q] + 1) % 3]);
            choose(window->optionGroups[q][(choices[q] + 2) % 3]);
        }
    }
    walk(window, QuestionCount, choices);

    QCOMPARE(window->frontArea(), window->fraAnswer);
    QVERIFY(window->fraAnswer->isVisible() && !window->fraQuestion->isVisible());
    const ResultView *view = window->fraAnswer;
    QCOMPARE((QStringList{view->lblEN->text(), view->lblM->text(), view->lblEC->text()}), lines);
}

void tst_TestWindow::onlyTheFrontPageTakesTabAndAccessKey_data()
{
    QTest::addColumn<int>("pagesDone");
    QTest::addRow("question 1") << 0;
    QTest::addRow("question 4") << 3;
    QTest::addRow("question 10") << 9;
    QTest::addRow("result view") << 10;
}

void tst_TestWindow::onlyTheFrontPageTakesTabAndAccessKey()
{
    QFETCH(int, pagesDone);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, pagesDone);
    const bool onResult = pagesDone == QuestionCount;
    QWidget *front = onResult ? window->frontArea() : window->frontPage();
    QCOMPARE(front, onResult ? static_cast<QWidget *>(window->fraAnswer) : window->pages[pagesDone]);

    QSet<QWidget *> reached;
    for (int i = 0; i < 12; ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus && focus->isVisible());
        QVERIFY2(focus == window->cmdBack || front->isAncestorOf(focus), qPrintable(focus->objectName()));
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QVERIFY(reached.contains(window->cmdBack));
    QVERIFY(onResult || reached.contains(window->nextButtons[pagesDone]));

    // All ten Next buttons share Alt+N; only the one in front may take it, and only once.
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(total(), qMin(pagesDone + 1, QuestionCount) * PointsPerAnswer);
    if (pagesDone + 1 < QuestionCount)
        QCOMPARE(window->frontPage(), window->pages[pagesDone + 1]);
    else
        QCOMPARE(window->frontArea(), window->fraAnswer);
}

void tst_TestWindow::leavingDestroysTheTestWindow_data()
{
    QTest::addColumn<int>("pagesDone");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("backToMain");

    QTest::addRow("Back on question 1") << 0 << u"cmdBack"_s << true;
    QTest::addRow("File Back on question 6") << 5 << u"mnuBack"_s << true;
    QTest::addRow("Back on the result view") << 10 << u"cmdBack"_s << true;
    QTest::addRow("File Exit on question 5") << 4 << u"mnuExit"_s << false;
    QTest::addRow("close box on the result view") << 10 << u"close"_s << false;
}

void tst_TestWindow::leavingDestroysTheTestWindow()
{
    QFETCH(int, pagesDone);
    QFETCH(QString, way);
    QFETCH(bool, backToMain);
    frmDisplay *window = startTest();
    QVERIFY(window);
    choose(window->optionGroups[0][2]);
    walk(window, pagesDone);
    const int scored = total();

    QPointer<frmDisplay> left = window;
    if (way == u"cmdBack"_s)
        QTest::mouseClick(window->cmdBack, Qt::LeftButton);
    else if (way == u"close"_s)
        window->close();
    else
        window->findChild<QAction *>(way)->trigger();
    QTRY_VERIFY(!left);
    QVERIFY(!Forms::existingTestWindow());
    QCOMPARE(total(), scored);
    // The exit screen has been loaded either way; it stays up only when the user did not go back.
    QVERIFY(Forms::existingExitScreen());
    QCOMPARE(Forms::existingExitScreen()->isVisible(), !backToMain);
    QCOMPARE(Forms::mainWindow().isVisible(), backToMain);
    if (!backToMain)
        return;

    window = startTest();
    QVERIFY(window);
    QCOMPARE(window->frontArea(), window->fraQuestion);
    QCOMPARE(window->frontPage(), window->pages[0]);
    QCOMPARE(window->optionGroups[0][0]->text(), u"Flabby"_s);
    for (const auto &group : std::as_const(window->optionGroups))
        QVERIFY(group[0]->isChecked());
    QCOMPARE(total(), 0);
}

void tst_TestWindow::onlyTheEndomorphDescriptionIsALink_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::addRow("endomorph") << u"Label14"_s << QList<QUrl>{modHelp::FullBrandPageURL()};
    QTest::addRow("mesomorph") << u"Label15"_s << QList<QUrl>{};
    QTest::addRow("ectomorph") << u"Label16"_s << QList<QUrl>{};
}

void tst_TestWindow::onlyTheEndomorphDescriptionIsALink()
{
    QFETCH(QString, label);
    QFETCH(QList<QUrl>, opened);
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, QuestionCount);
    auto *description = window->fraAnswer->findChild<QLabel *>(label);
    QVERIFY(description && description->isVisible());
    QTest::mouseClick(description, Qt::LeftButton);
    QCOMPARE(m_platform.openedUrls, opened);
}

// Nothing is cut off at the window's fixed size, and each build is drawn.
void tst_TestWindow::optionsShowWholeAndTheIllustrationsAreDrawn()
{
    frmDisplay *window = startTest();
    QVERIFY(window);
    walk(window, QuestionCount);
    // The labels' fit is checked with every window's, in tst_accessibility.
    for (QRadioButton *option : window->findChildren<QRadioButton *>())
        QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));

    for (const char *name : {"Picture1", "Picture2", "Picture3"}) {
        auto *picture = window->fraAnswer->findChild<QWidget *>(QLatin1String(name));
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(86, 119));
        const QImage image = picture->grab().toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += image.pixel(x, y) != image.pixel(0, 0);
        QVERIFY2(drawn > image.width() * image.height() / 5, name);
    }
}

void tst_TestWindow::everyTextStandsExactlyAsWritten_data()
{
    QTest::addColumn<QString>("control"); // its name; "#i" picks index i of a control array
    QTest::addColumn<QString>("text");
    const QJsonObject golden = goldenTexts();
    for (const QJsonValue &value : golden.value(u"questions").toArray()) {
        const QJsonObject question = value.toObject();
        const QString label = question.value(u"label").toString();
        QTest::addRow("%s", qPrintable(label)) << label << question.value(u"heading").toString();
        const QJsonArray options = question.value(u"options").toArray();
        for (qsizetype i = 0; i < options.size(); ++i) {
            const QString control = question.value(u"group").toString() + u'#' + QString::number(i);
            QTest::addRow("%s", qPrintable(control)) << control << options.at(i).toString();
        }
    }
    const QJsonObject texts = golden.value(u"texts").toObject();
    for (auto text = texts.begin(); text != texts.end(); ++text)
        QTest::addRow("%s", qPrintable(text.key())) << text.key() << text.value().toString();
}

// Read off the built window, blanks and case included.
void tst_TestWindow::everyTextStandsExactlyAsWritten()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    frmDisplay &window = Forms::testWindow();
    const QStringList parts = control.split(u'#');
    const QList<QWidget *> named = window.findChildren<QWidget *>(parts.first());
    QVERIFY(parts.size() == 2 ? named.size() == 3 : named.size() == 1);
    QWidget *widget = named.at(parts.size() == 2 ? parts.last().toInt() : 0);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
    else
        QCOMPARE(qobject_cast<QGroupBox *>(widget)->title(), text);
}

QTEST_MAIN(tst_TestWindow)
#include "tst_testwindow.moc"
