// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/resultview.h"
#include "test/testwindow.h"
#include "web/aboutbox.h"
#include "web/exitscreen.h"

#include "ui/look/appearance.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

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

// A dark desktop scheme, as Breeze Dark gives it: light text on dark grounds in every role.
QPalette darkDesktop()
{
    QPalette palette;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const bool text = role == QPalette::WindowText || role == QPalette::Text ||
                          role == QPalette::ButtonText || role == QPalette::BrightText ||
                          role == QPalette::ToolTipText || role == QPalette::HighlightedText ||
                          role == QPalette::PlaceholderText;
        palette.setColor(QPalette::ColorRole(role), text ? QColor(239, 240, 241) : QColor(42, 46, 50));
    }
    return palette;
}

// The part of a window's picture that shows area of widget, in the picture's own pixels.
QImage partOf(const QImage &shot, QWidget *widget, const QRect &area)
{
    const qreal ratio = shot.devicePixelRatio();
    const QRect inWindow(widget->mapTo(widget->window(), area.topLeft()), area.size());
    return shot.copy(QRectF(QPointF(inWindow.topLeft()) * ratio, QSizeF(inWindow.size()) * ratio).toRect());
}

// How a text stands out from its ground as drawn: the commonest colour of its area is the ground, the
// colour that differs most from it the text.
double renderedContrast(const QImage &part)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            ++counts[part.pixel(x, y)];
    const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                            return a.second < b.second;
                        })->first;
    double best = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, contrastRatio(QColor(ground), QColor(*it)));
    return best;
}

// One of the windows by a short name; "question" and "result" are the test window on question 1 and on
// its result view. An About box is made in about.
QWidget *windowUnderTest(const QString &window, std::unique_ptr<frmAbout> &about)
{
    if (window == u"main"_s)
        return &Forms::mainWindow();
    if (window == u"exit"_s)
        return &Forms::exitScreen();
    if (window == u"about"_s) {
        about = std::make_unique<frmAbout>();
        return about.get();
    }
    frmDisplay &test = Forms::testWindow();
    if (window == u"result"_s) {
        for (QPushButton *next : test.nextButtons)
            next->click();
    }
    return &test;
}

// Where a control draws its text: inside a button's bevel, beside a radio button's indicator.
QRect textArea(QWidget *control)
{
    if (auto *box = qobject_cast<QGroupBox *>(control))
        return {0, 0, box->width(), box->fontMetrics().height()};
    if (qobject_cast<QRadioButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(control);
        return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, control);
    }
    if (qobject_cast<QPushButton *>(control) || qobject_cast<QLineEdit *>(control))
        return control->rect().adjusted(4, 4, -4, -4);
    return control->rect();
}
} // namespace

class tst_Accessibility : public WindowSuite
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tabChainHoldsTheListedControlsWithNames_data();
    void tabChainHoldsTheListedControlsWithNames();
    void onlyWindowsAreFramesAndTextBoxesAnswer_data();
    void onlyWindowsAreFramesAndTextBoxesAnswer();
    void aboutBoxTakesOnlyItsOkButton();
    void picturesAreDescribed();
    void textsFitTheirRectangles_data();
    void textsFitTheirRectangles();
    void textsStandOutOnADarkDesktop_data();
    void textsStandOutOnADarkDesktop();
    void focusRingsStandOut_data();
    void focusRingsStandOut();
    void wholeTestRunsFromTheKeyboard();

private:
    ProgramNavigation m_navigation;
};

// The whole suite runs on a dark desktop: the program's own colours must stand without its help.
void tst_Accessibility::initTestCase()
{
    QApplication::setPalette(darkDesktop());
    QApplication::setCursorFlashTime(0); // a steady caret, so that screenshots repeat
}

void tst_Accessibility::tabChainHoldsTheListedControlsWithNames_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("chain");
    QTest::addRow("main window") << u"main"_s << QStringList{u"txtFirstName"_s, u"cmdNext"_s, u"cmdExit"_s};
    QTest::addRow("exit screen") << u"exit"_s
                                 << QStringList{u"cmdClose"_s,       u"Check1"_s,        u"Picture1"_s,
                                                u"txtName"_s,        u"cmdSubmit"_s,     u"txtEmail"_s,
                                                u"txtFriendEmail"_s, u"txtFriendName"_s, u"txtMessage"_s};
    QTest::addRow("test window, question 1")
        << u"question"_s << QStringList{u"optQa"_s, u"cmdNext1"_s, u"cmdBack"_s};
    // The result view takes the focus as it comes to the front.
    QTest::addRow("test window, result")
        << u"result"_s << QStringList{u"fraAnswer"_s, u"Frame1"_s, u"Frame19"_s, u"Frame16"_s, u"cmdBack"_s};
}

void tst_Accessibility::tabChainHoldsTheListedControlsWithNames()
{
    QFETCH(QString, window);
    QFETCH(QStringList, chain);
    std::unique_ptr<frmAbout> about;
    // Active on question 1 first, so that the result view comes to the front in an active window.
    QWidget *target = windowUnderTest(window == u"result"_s ? u"question"_s : window, about);
    activate(target);
    if (window == u"result"_s) {
        for (QPushButton *next : Forms::testWindow().nextButtons)
            next->click();
    }
    // A frame named by its caption, as screen readers announce windows.
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(target);
    QCOMPARE(face->role(), QAccessible::Window);
    QCOMPARE(face->text(QAccessible::Name), u"Kaltrix v1.0"_s);
    const QList<QWidget *> visited = tabChain(target);
    QCOMPARE(names(visited), chain);
    for (QWidget *widget : visited) {
        const QString name = accessibleName(widget);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(!name.contains(u'&'), qPrintable(name));
    }
}

void tst_Accessibility::onlyWindowsAreFramesAndTextBoxesAnswer_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"main", "exit", "about", "question", "result"})
        QTest::addRow("%s", window) << QString::fromLatin1(window);
}

void tst_Accessibility::textsStandOutOnADarkDesktop_data()
{
    onlyWindowsAreFramesAndTextBoxesAnswer_data();
}

// A screen reader takes the nearest frame for the window; inside one there is none. And whatever a reader
// asks a text box about any place of its text comes back (Qt's own answer loops at the end of a word).
void tst_Accessibility::onlyWindowsAreFramesAndTextBoxesAnswer()
{
    QFETCH(QString, window);
    std::unique_ptr<frmAbout> about;
    QWidget *target = windowUnderTest(window, about);
    QList<QAccessibleInterface *> inside{QAccessible::queryAccessibleInterface(target)};
    QVERIFY(inside.first()->role() == QAccessible::Window || inside.first()->role() == QAccessible::Dialog);
    for (qsizetype i = 0; i < inside.size(); ++i) {
        for (int c = 0; c < inside.at(i)->childCount(); ++c) {
            QAccessibleInterface *child = inside.at(i)->child(c);
            QVERIFY2(child->role() != QAccessible::Window && child->role() != QAccessible::Border,
                     qPrintable(child->object()->objectName()));
            inside.append(child);
        }
    }
    for (QLineEdit *edit : target->findChildren<QLineEdit *>()) {
        edit->setText(u"JO ANN"_s);
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(edit)->textInterface();
        int start = 0;
        int end = 0;
        for (auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                              QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
            for (int offset = -2; offset <= 7; ++offset) {
                (void)text->textBeforeOffset(offset, boundary, &start, &end);
                (void)text->textAfterOffset(offset, boundary, &start, &end);
            }
            QCOMPARE(text->textAtOffset(6, boundary, &start, &end),
                     boundary == QAccessible::LineBoundary ? u"JO ANN"_s : QString());
        }
        QCOMPARE(text->textAtOffset(4, QAccessible::WordBoundary, &start, &end), u"ANN"_s);
        QCOMPARE(text->textBeforeOffset(4, QAccessible::WordBoundary, &start, &end), u" "_s);
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
        QCOMPARE(accessibleName(about->cmdOK), u"OK"_s);
        about->reject();
    });
    frmAbout::showModal(nullptr);
    QCOMPARE(visited, QStringList{u"cmdOK"_s});
}

void tst_Accessibility::picturesAreDescribed()
{
    QList<QWidget *> windows{&Forms::exitScreen(), &Forms::testWindow()};
    int pictures = 0;
    for (QWidget *window : windows) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->objectName().startsWith(u"Picture"_s))
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
    onlyWindowsAreFramesAndTextBoxesAnswer_data();
}

// With whichever Verdana substitute is installed, no text is cut off at the fixed layout.
void tst_Accessibility::textsFitTheirRectangles()
{
    QFETCH(QString, window);
    std::unique_ptr<frmAbout> about;
    QWidget *target = windowUnderTest(window, about);
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

// Every text of every window reaches 4.5:1 against its ground under a dark desktop scheme, while menus
// keep the desktop's colours and font.
void tst_Accessibility::textsStandOutOnADarkDesktop()
{
    QFETCH(QString, window);
    std::unique_ptr<frmAbout> about;
    QWidget *target = windowUnderTest(window, about);
    target->show();
    QVERIFY(QTest::qWaitForWindowExposed(target));
    if (auto *bar = target->findChild<QMenuBar *>()) {
        QCOMPARE(bar->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
        QCOMPARE(bar->font(), QApplication::font());
    }
    const QImage shot = target->grab().toImage();
    int texts = 0;
    for (QWidget *control : target->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<QLabel *>(control);
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *edit = qobject_cast<QLineEdit *>(control);
        const auto *box = qobject_cast<QGroupBox *>(control);
        const bool hasText = (label && !label->text().isEmpty()) || (button && !button->text().isEmpty()) ||
                             (edit && !edit->text().isEmpty()) || (box && !box->title().isEmpty());
        if (!hasText || !control->isVisibleTo(target) ||
            !target->rect().contains(QRect(control->mapTo(target, QPoint()), control->size())))
            continue;
        ++texts;
        const double contrast = renderedContrast(partOf(shot, control, textArea(control)));
        QVERIFY2(contrast >= 4.5, qPrintable(control->objectName() + u' ' + QString::number(contrast)));
    }
    QVERIFY(texts >= 3);
}

void tst_Accessibility::focusRingsStandOut_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addRow("start button, grey") << u"main"_s << u"cmdNext"_s;
    QTest::addRow("option, on grey") << u"question"_s << u"optQa"_s;
    QTest::addRow("Next, grey") << u"question"_s << u"cmdNext1"_s;
    QTest::addRow("field, on navy") << u"exit"_s << u"txtName"_s;
    QTest::addRow("submit button, on navy") << u"exit"_s << u"cmdSubmit"_s;
    QTest::addRow("Exit") << u"exit"_s << u"cmdClose"_s;
    QTest::addRow("picture, on white") << u"exit"_s << u"Picture1"_s;
}

// Moving the focus onto a control changes enough of its pixels by at least 3:1 to be seen.
void tst_Accessibility::focusRingsStandOut()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    std::unique_ptr<frmAbout> about;
    QWidget *target = windowUnderTest(window, about);
    activate(target);
    QWidget *widget = target->findChild<QWidget *>(control);
    QVERIFY(widget);
    const QRect area = widget->rect().adjusted(-3, -3, 3, 3);
    widget->clearFocus();
    const QImage before = partOf(target->grab().toImage(), widget, area);
    widget->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
    const QImage after = partOf(target->grab().toImage(), widget, area);
    int seen = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            seen += contrastRatio(QColor(before.pixel(x, y)), QColor(after.pixel(x, y))) >= 3.0 ? 1 : 0;
    QVERIFY2(seen >= 40 * before.devicePixelRatio(), qPrintable(QString::number(seen)));
}

void tst_Accessibility::wholeTestRunsFromTheKeyboard()
{
    frmMain &main = Forms::mainWindow();
    activate(&main);
    QTest::keyClicks(main.txtFirstName, u"ann"_s);
    // Enter in the name box starts nothing; on the focused start button it starts the test.
    QTest::keyClick(main.txtFirstName, Qt::Key_Return);
    QVERIFY(!Forms::existingTestWindow());
    QTest::keyClick(main.txtFirstName, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
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
        QTest::keyClick(QApplication::focusWidget(), question % 2 ? Qt::Key_Return : Qt::Key_Space);
    }
    QCOMPARE(test->frontArea(), static_cast<QWidget *>(test->fraAnswer));
    // Every answer at index 1: Ectomorph 40, Mesomorph 30, Endomorph 30.
    QCOMPARE(test->findChild<QLabel *>(u"lblEC"_s)->text(), u"My Body Type is 40% Ectomorph"_s);
    QCOMPARE(test->findChild<QLabel *>(u"lblM"_s)->text(), u"My Body Type is 30% Mesomorph"_s);
    QCOMPARE(test->findChild<QLabel *>(u"lblEN"_s)->text(), u"My Body Type is 30% Endomorph"_s);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
