#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/resultview.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/windows/windowregistry.h"
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
    main.txtFirstName->setText(QStringLiteral("ANNA"));
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

class tst_TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

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
    FakePlatform m_platform;
    ProgramNavigation m_navigation;
};

void tst_TestWindow::cleanup()
{
    destroyAllWindows();
    m_platform.clearRecords();
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

void tst_TestWindow::resultShowsScoresOfTheOptionsLeftSelected_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<bool>("changeMindFirst");
    QTest::addColumn<QStringList>("lines");

    const Choices mixed{1, 0, 0, 2, 2, 0, 1, 0, 1, 1};
    const QStringList mixedLines{QStringLiteral("My Body Type is 30% Endomorph"),
                                 QStringLiteral("My Body Type is 40% Mesomorph"),
                                 QStringLiteral("My Body Type is 30% Ectomorph")};
    QTest::addRow("untouched") << Choices{} << false
                               << QStringList{QStringLiteral("My Body Type is 50% Endomorph"),
                                              QStringLiteral("My Body Type is 30% Mesomorph"),
                                              QStringLiteral("My Body Type is 20% Ectomorph")};
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

    QTest::addRow("Back on question 1") << 0 << QStringLiteral("cmdBack") << true;
    QTest::addRow("File Back on question 6") << 5 << QStringLiteral("mnuBack") << true;
    QTest::addRow("Back on the result view") << 10 << QStringLiteral("cmdBack") << true;
    QTest::addRow("File Exit on question 5") << 4 << QStringLiteral("mnuExit") << false;
    QTest::addRow("close box on the result view") << 10 << QStringLiteral("close") << false;
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
    if (way == QStringLiteral("cmdBack"))
        QTest::mouseClick(window->cmdBack, Qt::LeftButton);
    else if (way == QStringLiteral("close"))
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
    QCOMPARE(window->optionGroups[0][0]->text(), QStringLiteral("Flabby"));
    for (const auto &group : std::as_const(window->optionGroups))
        QVERIFY(group[0]->isChecked());
    QCOMPARE(total(), 0);
}

void tst_TestWindow::onlyTheEndomorphDescriptionIsALink_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::addRow("endomorph") << QStringLiteral("Label14") << QList<QUrl>{modHelp::FullBrandPageURL()};
    QTest::addRow("mesomorph") << QStringLiteral("Label15") << QList<QUrl>{};
    QTest::addRow("ectomorph") << QStringLiteral("Label16") << QList<QUrl>{};
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
    const std::pair<QString, QString> texts[] = {
        {u"fra1"_s, u"Choose one of the following options"_s},
        {u"fraQuestionText1"_s, u"Question"_s},
        {u"fraAnswerOptions1"_s, u"Answer"_s},
        {u"fra10"_s, u"Choose one of the following options"_s},
        {u"fraQuestionText10"_s, u"Question"_s},
        {u"fraAnswerOptions10"_s, u"Answer"_s},
        {u"Label1"_s, u"1. My body appearance is"_s},
        {u"Label4"_s, u"2. My body looks"_s},
        {u"Label3"_s, u"3. My muscles grow"_s},
        {u"Label2"_s, u"4.  Weight Issues"_s},
        {u"Label7"_s, u"5. By nature I am very"_s},
        {u"Label8"_s, u"6. My bone structure is"_s},
        {u"Label9"_s, u"7. My activity level is"_s},
        {u"Label10"_s, u"8. My approach to life is"_s},
        {u"Label11"_s, u"9. People tell me"_s},
        {u"Label12"_s, u"10. My metabolism is"_s},
        {u"optQa#0"_s, u"Flabby"_s},
        {u"optQa#1"_s, u"Hard And Muscular"_s},
        {u"optQa#2"_s, u"Thin And Skinny"_s},
        {u"optQb#0"_s, u"Athletic and Rugged"_s},
        {u"optQb#1"_s, u"Long and Fragile"_s},
        {u"optQb#2"_s, u"Round and soft"_s},
        {u"optQc#0"_s, u"Very Quickly"_s},
        {u"optQc#1"_s, u"Very Slowly"_s},
        {u"optQc#2"_s, u"Very Easily"_s},
        {u"optQd#0"_s, u"I have trouble losing weight"_s},
        {u"optQd#1"_s, u"I have trouble gaining weight"_s},
        {u"optQd#2"_s, u"I can gain and lose weight easily"_s},
        {u"optQE#0"_s, u"Loving And Comforting"_s},
        {u"optQE#1"_s, u"Aggressive And Active"_s},
        {u"optQE#2"_s, u"Self Aware And Intellectual"_s},
        {u"optQF#0"_s, u"Frail And Delicate"_s},
        {u"optQF#1"_s, u"Very Large"_s},
        {u"optQF#2"_s, u"Large To Medium"_s},
        {u"optQg#0"_s, u"Sedentary"_s},
        {u"optQg#1"_s, u"Fairly Active"_s},
        {u"optQg#2"_s, u"Over active"_s},
        {u"optQh#0"_s, u"Laid back"_s},
        {u"optQh#1"_s, u"Dynamic"_s},
        {u"optQh#2"_s, u"Worrisome"_s},
        {u"optQI#0"_s, u"That I look fine "_s},
        {u"optQI#1"_s, u"I should lose some weight"_s},
        {u"optQI#2"_s, u"I should gain some weight"_s},
        {u"optQj#0"_s, u"Too fast"_s},
        {u"optQj#1"_s, u"Slow"_s},
        {u"optQj#2"_s, u"Just right"_s},
        {u"fraAnswer"_s, u"Kaltrix Results"_s},
        {u"Label5"_s, u"Center of focus :-"_s},
        {u"Label6"_s, u"Center of focus :-"_s},
        {u"Label13"_s, u"Center of focus :-"_s},
        {u"lblENCenterOfFocus"_s, u"Abdomen, Digestive System"_s},
        {u"lblMCenterOfFocus"_s, u"Muscles, Circulatory System"_s},
        {u"lblECCenterOfFocus"_s, u"Brain, Nervous System"_s},
        {u"Label14"_s,
         u"Your body is round, soft and curvy with all the mass accumulated on the abdomen. Your arms are short and tapering. You have a large bone structure. There are no bones jutting out and the body is smoothly curved. The head is large and the face is broad. You have a tendency to become obese. Exercises are a must so that the fat is distributed and you have better metabolism. You find it difficult to lose weight. Have frequent but small meals. Avoid sweets and high calorie intake."_s},
        {u"Label15"_s,
         u"Your body is square in shape with well-defined bones and muscles. Both the arms and legs are well-developed. You have an athletic build. You tend to gain muscle mass very easily. You are fit otherwise but need to exercise to maintain a naturally healthy body. Exercise with moderate to heavy weights. Follow a normal healthy intake of food to remain lean and muscular."_s},
        {u"Label16"_s,
         u"Your body is fragile and delicate. You are long and narrow. The arms and legs are thin and do not have much strength. You have a thin and lean appearance. You have narrow waists, hips and shoulders. You also tend to lose weight very easily. You need to put on body weight in the form of good muscle tissue. Weight training should be done but not too often. Food intake should be high in calories."_s},
    };
    for (const auto &[control, text] : texts)
        QTest::addRow("%s", qPrintable(control)) << control << text;
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
