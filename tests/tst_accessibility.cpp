#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/resultview.h"
#include "test/testwindow.h"
#include "ui/windowregistry.h"
#include "web/aboutbox.h"
#include "web/exitscreen.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The controls Tab visits from the focused one, as a keyboard user meets them, until it comes back round.
QList<QWidget *> tabChain(QWidget *window)
{
    QList<QWidget *> chain;
    QWidget *start = QApplication::focusWidget();
    if (!start || start->window() != window)
        return chain;
    QWidget *current = start;
    do {
        chain.append(current);
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
    } while (current && current != start && chain.size() < 40);
    return chain;
}

QStringList names(const QList<QWidget *> &widgets)
{
    QStringList list;
    for (QWidget *widget : widgets)
        list.append(widget->objectName());
    return list;
}

void activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}
} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void tabChainHoldsTheListedControlsWithNames_data();
    void tabChainHoldsTheListedControlsWithNames();
    void aboutBoxTakesOnlyItsOkButton();
    void picturesAreDescribed();
    void textsFitTheirRectangles_data();
    void textsFitTheirRectangles();
    void wholeTestRunsFromTheKeyboard();

private:
    FakePlatform m_platform;
};

void tst_Accessibility::cleanup()
{
    destroyAllWindows();
    m_platform.clearRecords();
}

void tst_Accessibility::tabChainHoldsTheListedControlsWithNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("chain");
    QTest::addRow("main window") << QStringLiteral("main")
                                 << QStringList{QStringLiteral("txtFirstName"), QStringLiteral("cmdNext"),
                                                QStringLiteral("cmdExit")};
    QTest::addRow("exit screen") << QStringLiteral("exit")
                                 << QStringList{
                                        QStringLiteral("cmdClose"),       QStringLiteral("Check1"),
                                        QStringLiteral("Picture1"),       QStringLiteral("txtName"),
                                        QStringLiteral("cmdSubmit"),      QStringLiteral("txtEmail"),
                                        QStringLiteral("txtFriendEmail"), QStringLiteral("txtFriendName"),
                                        QStringLiteral("txtMessage")};
    QTest::addRow("test window, question 1")
        << QStringLiteral("question")
        << QStringList{QStringLiteral("optQa"), QStringLiteral("cmdNext1"), QStringLiteral("cmdBack")};
    QTest::addRow("test window, result")
        << QStringLiteral("result") << QStringList{QStringLiteral("cmdBack")};
}

void tst_Accessibility::tabChainHoldsTheListedControlsWithNames()
{
    QFETCH(QString, window);
    QFETCH(QStringList, chain);
    QWidget *target = nullptr;
    if (window == QStringLiteral("main")) {
        target = &Forms::mainWindow();
    } else if (window == QStringLiteral("exit")) {
        target = &Forms::exitScreen();
    } else {
        frmDisplay &test = Forms::testWindow();
        test.bringFirstQuestionToFront();
        test.bringQuestionAreaToFront();
        if (window == QStringLiteral("result")) {
            for (QPushButton *next : test.nextButtons)
                next->click();
            test.cmdBack->setFocus();
        }
        target = &test;
    }
    activate(target);
    const QList<QWidget *> visited = tabChain(target);
    QCOMPARE(names(visited), chain);
    for (QWidget *widget : visited) {
        const QString name = accessibleName(widget);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(!name.contains(u'&'), qPrintable(name));
    }
}

void tst_Accessibility::aboutBoxTakesOnlyItsOkButton()
{
    QStringList visited;
    QTimer::singleShot(0, this, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        visited = names(tabChain(about));
        QCOMPARE(accessibleName(about->cmdOK), QStringLiteral("OK"));
        about->reject();
    });
    frmAbout::showModal(nullptr);
    QCOMPARE(visited, QStringList{QStringLiteral("cmdOK")});
}

void tst_Accessibility::picturesAreDescribed()
{
    QList<QWidget *> windows{&Forms::exitScreen(), &Forms::testWindow()};
    int pictures = 0;
    for (QWidget *window : windows) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->objectName().startsWith(QStringLiteral("Picture")))
                continue;
            ++pictures;
            QVERIFY2(!accessibleName(widget).isEmpty(), qPrintable(widget->objectName()));
            QVERIFY2(!widget->accessibleDescription().isEmpty(), qPrintable(widget->objectName()));
        }
    }
    QCOMPARE(pictures, 4);
}

void tst_Accessibility::textsFitTheirRectangles_data()
{
    QTest::addColumn<QString>("window");
    QTest::addRow("main window") << QStringLiteral("main");
    QTest::addRow("exit screen") << QStringLiteral("exit");
    QTest::addRow("About box") << QStringLiteral("about");
}

// With whichever Verdana substitute is installed, no text is cut off at the fixed layout.
void tst_Accessibility::textsFitTheirRectangles()
{
    QFETCH(QString, window);
    std::unique_ptr<frmAbout> about;
    QWidget *target = nullptr;
    if (window == QStringLiteral("main")) {
        target = &Forms::mainWindow();
    } else if (window == QStringLiteral("exit")) {
        target = &Forms::exitScreen();
    } else {
        about = std::make_unique<frmAbout>();
        target = about.get();
    }
    for (const QString &message : supportMessages()) {
        auto *label = Forms::exitScreen().Label2;
        label->setText(message);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(message));
    }
    for (QLabel *label : target->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QSize hint = label->sizeHint();
        const int height = label->wordWrap() ? label->heightForWidth(label->width()) : hint.height();
        QVERIFY2(height <= label->height(), qPrintable(label->objectName()));
        QVERIFY2(label->wordWrap() || hint.width() <= label->width(), qPrintable(label->objectName()));
    }
    for (QPushButton *button : target->findChildren<QPushButton *>()) {
        const QString caption = button->text().remove(u'&');
        QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + 8 <= button->width(),
                 qPrintable(button->objectName()));
    }
}

void tst_Accessibility::wholeTestRunsFromTheKeyboard()
{
    frmMain &main = Forms::mainWindow();
    activate(&main);
    QTest::keyClicks(main.txtFirstName, QStringLiteral("ann"));
    QTest::keyClick(main.txtFirstName, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    frmDisplay *test = Forms::existingTestWindow();
    QVERIFY(test && test->isVisible());
    activate(test);
    // On every page: the focus starts in the answers; Down picks the next answer, Tab reaches Next.
    for (int question = 0; question < 10; ++question) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus && test->frontPage() && test->frontPage()->isAncestorOf(focus),
                 qPrintable(QString::number(question)));
        QTest::keyClick(focus, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), test->nextButtons.at(question));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QCOMPARE(test->frontArea(), static_cast<QWidget *>(test->fraAnswer));
    // Every answer at index 1: Ectomorph 40, Mesomorph 30, Endomorph 30.
    QCOMPARE(test->findChild<QLabel *>(QStringLiteral("lblEC"))->text(),
             QStringLiteral("My Body Type is 40% Ectomorph"));
    QCOMPARE(test->findChild<QLabel *>(QStringLiteral("lblM"))->text(),
             QStringLiteral("My Body Type is 30% Mesomorph"));
    QCOMPARE(test->findChild<QLabel *>(QStringLiteral("lblEN"))->text(),
             QStringLiteral("My Body Type is 30% Endomorph"));
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
