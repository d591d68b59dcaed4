// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/widgets/linklabel.h"
#include "web/aboutbox.h"
#include "web/exitscreen.h"
#include "web/links.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
struct Key
{
    int key; // 0: the text alone, as a layout types it; Commit: the text as an input method commits it
    Qt::KeyboardModifiers modifiers;
    QString text; // for keys QTest cannot spell, such as an accented letter
};
using Keys = QList<Key>;
constexpr int Commit = -1; // what dead keys, Compose sequences and input methods hand the box

Key committed(const QString &text)
{
    return {Commit, {}, text};
}

Key key(int code, Qt::KeyboardModifiers modifiers = {})
{
    return {code, modifiers, {}};
}

Keys letters(const char *typed)
{
    Keys keys;
    for (const char *c = typed; *c; ++c)
        keys.append({0, Qt::NoModifier, QString(QLatin1Char(*c))});
    return keys;
}

void press(QWidget *target, const Key &key)
{
    if (key.key == Commit) {
        QInputMethodEvent commit;
        commit.setCommitString(key.text);
        QCoreApplication::sendEvent(target, &commit);
    } else if (key.key == 0) {
        // Sent as the character alone, the way a keyboard layout types it.
        const QChar c = key.text.at(0);
        const int code = c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A')
                         : c == u' '                       ? int(Qt::Key_Space)
                                                           : int(Qt::Key_unknown);
        const Qt::KeyboardModifiers modifiers = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key(code), key.text, modifiers);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key(code), key.text, modifiers);
    } else if (key.key == Qt::Key_Paste) { // a key QTest cannot spell either
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_Paste, QString(), key.modifiers);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_Paste, QString(), key.modifiers);
    } else {
        QTest::keyClick(target, Qt::Key(key.key), key.modifiers);
    }
}
} // namespace

Q_DECLARE_METATYPE(Key)

class tst_MainWindow : public WindowSuite
{
    Q_OBJECT

private slots:
    void init();
    void nameBoxTakesLettersOnlyInCapitals_data();
    void nameBoxTakesLettersOnlyInCapitals();
    void emptyNameIsRefusedWithFocusBackInTheBox();
    void startingTheTestHidesMainAndResetsScores();
    void unseenExitIsReachedByTabAndAltX_data();
    void unseenExitIsReachedByTabAndAltX();
    void menusStandInOrder();
    void everyMenuEntryAndLinkOpensItsPage_data();
    void everyMenuEntryAndLinkOpensItsPage();
    void onlyTheBrandingLabelInFrontTakesTheClick_data();
    void onlyTheBrandingLabelInFrontTakesTheClick();
    void aboutBoxIsModalAndItsLinksWork();
    void layoutMatchesTheTwipsTable();

private:
    frmMain *m_main = nullptr;
    ProgramNavigation m_navigation;
};

void tst_MainWindow::init()
{
    m_main = &Forms::mainWindow();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
}

void tst_MainWindow::nameBoxTakesLettersOnlyInCapitals_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("refusals");

    QTest::addRow("anna") << letters("anna") << u"ANNA"_s << 0;
    QTest::addRow("Jo Ann") << letters("Jo Ann") << u"JO ANN"_s << 0;
    QTest::addRow("backspace deletes silently") << (letters("abc") << key(Qt::Key_Backspace)) << u"AB"_s << 0;
    QTest::addRow("enter adds nothing") << (letters("ab") << key(Qt::Key_Return)) << u"AB"_s << 0;
    QTest::addRow("arrows move without a message")
        << (letters("ab") << key(Qt::Key_Left) << letters("c")) << u"ACB"_s << 0;
    QTest::addRow("digit") << letters("a3") << u"A"_s << 1;
    QTest::addRow("hyphen and apostrophe") << letters("a-'") << u"A"_s << 2;
    QTest::addRow("accented letter") << (letters("a") << Key{0, {}, u"é"_s}) << u"A"_s << 1;
    QTest::addRow("escape") << (letters("a") << key(Qt::Key_Escape)) << u"A"_s << 1;
    QTest::addRow("clipboard shortcuts")
        << (letters("ab") << key(Qt::Key_C, Qt::ControlModifier) << key(Qt::Key_V, Qt::ControlModifier)
                          << key(Qt::Key_X, Qt::ControlModifier))
        << u"AB"_s << 3;
    QTest::addRow("ctrl+backspace types a code, not a deletion")
        << (letters("ab") << key(Qt::Key_Backspace, Qt::ControlModifier)) << u"AB"_s << 1;
    QTest::addRow("ctrl+enter types a line feed, not an Enter")
        << (letters("ab") << key(Qt::Key_Return, Qt::ControlModifier)) << u"AB"_s << 1;
    QTest::addRow("ctrl+space types a blank")
        << (letters("a") << key(Qt::Key_Space, Qt::ControlModifier) << letters("b")) << u"A B"_s << 0;
    // Composed characters are typed characters too, each handed to the rule; one refused ends the commit.
    QTest::addRow("dead acute and e") << (letters("a") << committed(u"é"_s)) << u"A"_s << 1;
    QTest::addRow("dead acute and space") << (letters("a") << committed(u"´"_s)) << u"A"_s << 1;
    QTest::addRow("compose a e") << (letters("a") << committed(u"æ"_s)) << u"A"_s << 1;
    QTest::addRow("input method digit") << (letters("a") << committed(u"1"_s)) << u"A"_s << 1;
    QTest::addRow("input method letters, one refused")
        << (letters("a") << committed(u"bé c"_s)) << u"AB"_s << 1;
    // Pasting types no character: the clipboard's "jo-3" arrives as it is.
    QTest::addRow("shift+insert pastes")
        << (letters("a") << key(Qt::Key_Insert, Qt::ShiftModifier)) << u"Ajo-3"_s << 0;
    QTest::addRow("paste key pastes") << (letters("a") << key(Qt::Key_Paste)) << u"Ajo-3"_s << 0;
}

void tst_MainWindow::nameBoxTakesLettersOnlyInCapitals()
{
    QFETCH(Keys, keys);
    QFETCH(QString, expected);
    QFETCH(int, refusals);
    QCOMPARE(QApplication::focusWidget(), m_main->txtFirstName);
    QGuiApplication::clipboard()->setText(u"jo-3"_s);
    for (const Key &key : keys)
        press(m_main->txtFirstName, key);
    QCOMPARE(m_main->txtFirstName->text(), expected);
    QCOMPARE(m_platform.messages.size(), refusals);
    for (const MessageRequest &message : std::as_const(m_platform.messages)) {
        QCOMPARE(message.text, u"Please Enter Only Alphabet"_s);
        QCOMPARE(message.icon, MessageIcon::Information);
        QCOMPARE(message.buttons, MessageButtons::Ok);
    }
    QVERIFY(!Forms::existingTestWindow());
}

void tst_MainWindow::emptyNameIsRefusedWithFocusBackInTheBox()
{
    m_main->cmdNext->setFocus();
    QTest::mouseClick(m_main->cmdNext, Qt::LeftButton);
    QCOMPARE(m_platform.messageTexts(), QStringList{u"Please Enter Your Name"_s});
    QCOMPARE(m_platform.messages.first().icon, MessageIcon::Information);
    QCOMPARE(QApplication::focusWidget(), m_main->txtFirstName);
    QVERIFY(m_main->isVisible());
    QVERIFY(!Forms::existingTestWindow());
}

void tst_MainWindow::startingTheTestHidesMainAndResetsScores()
{
    intMesomorphScore = 40;
    intEndomorphScore = 30;
    intEctomorphScore = 30;
    // A single blank is a name: it is not trimmed.
    QTest::keyClick(m_main->txtFirstName, Qt::Key_Space);
    QCOMPARE(m_main->cmdNext->shortcut(), QKeySequence(Qt::ALT | Qt::Key_T));
    QTest::mouseClick(m_main->cmdNext, Qt::LeftButton);
    QVERIFY(!m_main->isVisible());
    QVERIFY(m_platform.messages.isEmpty());
    QVERIFY(Forms::existingTestWindow());
    QVERIFY(Forms::existingTestWindow()->isVisible());
    QCOMPARE(intMesomorphScore, qint16(0));
    QCOMPARE(intEndomorphScore, qint16(0));
    QCOMPARE(intEctomorphScore, qint16(0));
    // The exit screen has been loaded once, and hidden again.
    frmNagScreen2 *exitScreen = Forms::existingExitScreen();
    QVERIFY(exitScreen);
    QVERIFY(!exitScreen->isVisible());
    QCOMPARE(m_platform.reseeds, 1);
    QCOMPARE(m_main->txtFirstName->text(), u" "_s);
}

void tst_MainWindow::unseenExitIsReachedByTabAndAltX_data()
{
    QTest::addColumn<QString>("way");
    QTest::addRow("tab tab space") << u"tab"_s;
    QTest::addRow("tab tab enter") << u"enter"_s;
    QTest::addRow("alt+x") << u"alt"_s;
    QTest::addRow("file exit") << u"menu"_s;
    QTest::addRow("close box") << u"close"_s;
}

void tst_MainWindow::unseenExitIsReachedByTabAndAltX()
{
    QFETCH(QString, way);
    const QPointer<frmMain> main = m_main;
    QVERIFY(!m_main->client()->rect().intersects(m_main->cmdExit->geometry()));
    if (way == u"tab"_s || way == u"enter"_s) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_main->cmdNext);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_main->cmdExit);
        QTest::keyClick(m_main->cmdExit, way == u"tab"_s ? Qt::Key_Space : Qt::Key_Return);
    } else if (way == u"alt"_s) {
        // A mnemonic clicks its button after a short animation; the closed window then deletes itself.
        QTest::keyClick(m_main, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!main || main->isClosed());
    } else if (way == u"menu"_s) {
        m_main->findChild<QAction *>(u"mnuExit"_s)->trigger();
    } else {
        m_main->close();
    }
    QVERIFY(!main || main->isClosed());
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(Forms::existingExitScreen()->isVisible());
    QCOMPARE(m_platform.endProcessCalls, 0);
    QVERIFY(m_platform.messages.isEmpty());
}

void tst_MainWindow::menusStandInOrder()
{
    // Each entry with the name the design gives it: nuFile and the Help menu's mnuFileSep1 and mnuFileSep2
    // are those names, however much they look like slips.
    QStringList entries;
    for (QAction *top : m_main->menuBar()->actions()) {
        const QString name = top->menu() ? top->menu()->objectName() : top->objectName();
        entries << name + u' ' + top->text() + (top->isVisible() ? QString() : u" (hidden)"_s);
        if (top->menu()) {
            for (QAction *entry : top->menu()->actions())
                entries << (u"  "_s + entry->objectName() + u' ' +
                            (entry->isSeparator() ? u"-"_s : entry->text()));
        }
    }
    const QStringList expected{
        u"nuFile &File"_s,
        u"  mnuNext Take The Body Type &Test"_s,
        u"  mnuExit E&xit"_s,
        u"mnuHelp &Help"_s,
        u"  mnuOnline &Online Help"_s,
        u"  mnuVisit &Visit Us Online"_s,
        u"  mnuFileSep1 -"_s,
        u"  mnuUpdate &Check for Software Update"_s,
        u"  mnuFileSep2 -"_s,
        u"  mnuAbout &About Software"_s,
        u"mnuDonate &Donate"_s,
        u"mnumakemoney Make Money &Online (hidden)"_s,
    };
    QCOMPARE(entries, expected);
}

void tst_MainWindow::everyMenuEntryAndLinkOpensItsPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QUrl>("page");
    QTest::addColumn<bool>("doubleClick");
    QTest::addRow("Online Help") << u"mnuOnline"_s << modHelp::HelpPageURL() << false;
    QTest::addRow("Visit Us Online") << u"mnuVisit"_s << modHelp::HomePageURL() << false;
    QTest::addRow("Check for Software Update") << u"mnuUpdate"_s << modHelp::DownloadPageURL() << false;
    QTest::addRow("Donate") << u"mnuDonate"_s << modHelp::DonatePageURL() << false;
    QTest::addRow("Make Money Online") << u"mnumakemoney"_s << modHelp::FullBrandPageURL() << false;
    QTest::addRow("Label61") << u"Label61"_s << modHelp::HomePageURL() << false;
    QTest::addRow("Label2") << u"Label2"_s << modHelp::FullBrandPageURL() << false;
    // A click and then a double-click: the page opens once for each.
    QTest::addRow("Label61, double-clicked") << u"Label61"_s << modHelp::HomePageURL() << true;
    QTest::addRow("Label2, double-clicked") << u"Label2"_s << modHelp::FullBrandPageURL() << true;
}

void tst_MainWindow::everyMenuEntryAndLinkOpensItsPage()
{
    QFETCH(QString, control);
    QFETCH(QUrl, page);
    QFETCH(bool, doubleClick);
    for (int click = 0; click < 2; ++click) {
        auto *label = m_main->findChild<LinkLabel *>(control);
        if (auto *action = m_main->findChild<QAction *>(control)) {
            action->trigger();
        } else if (doubleClick) {
            const QPointF at = label->rect().center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const bool down = type != QEvent::MouseButtonRelease;
                QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton,
                                  down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(label, &event);
            }
        } else {
            QTest::mouseClick(label, Qt::LeftButton);
        }
    }
    QCOMPARE(m_platform.openedUrls, (QList<QUrl>{page, page}));
    QVERIFY(m_platform.messages.isEmpty());
    QVERIFY(m_main->isVisible());
}

void tst_MainWindow::onlyTheBrandingLabelInFrontTakesTheClick_data()
{
    QTest::addColumn<bool>("cobrandInFront");
    QTest::addColumn<QUrl>("page");
    QTest::addRow("co-branding") << true << modHelp::CoBrandPageURL();
    QTest::addRow("full branding") << false << modHelp::FullBrandPageURL();
}

void tst_MainWindow::onlyTheBrandingLabelInFrontTakesTheClick()
{
    QFETCH(bool, cobrandInFront);
    QFETCH(QUrl, page);
    if (cobrandInFront)
        m_main->bringCobrandToFront();
    else
        m_main->bringFullBrandToFront();
    QWidget *frame = m_main->lblCobrand->parentWidget();
    QWidget *hit = frame->childAt(m_main->lblCobrand->geometry().center());
    QCOMPARE(hit, cobrandInFront ? m_main->lblCobrand : m_main->lblFullBrand);
    QTest::mouseClick(hit, Qt::LeftButton);
    QCOMPARE(m_platform.openedUrls, QList<QUrl>{page});
}

void tst_MainWindow::aboutBoxIsModalAndItsLinksWork()
{
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        QVERIFY(about);
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), u"Kaltrix v1.0"_s);
        QTest::mouseClick(about->lblHomePage, Qt::LeftButton);
        QTest::mouseClick(about->lblCobrand, Qt::LeftButton);
        QVERIFY(about->isVisible());
        // The main window takes no input while the box is up: Start with no name would ask for one.
        QTest::mouseClick(m_main->windowHandle(), Qt::LeftButton, {},
                          m_main->cmdNext->mapTo(m_main, m_main->cmdNext->rect().center()));
        QVERIFY(m_platform.messages.isEmpty());
        checked = true;
        QTest::keyClick(about, Qt::Key_Escape);
    });
    m_main->findChild<QAction *>(u"mnuAbout"_s)->trigger();
    QVERIFY(checked);
    QCOMPARE(m_platform.openedUrls, (QList<QUrl>{modHelp::HomePageURL(), modHelp::FullBrandPageURL()}));
    QVERIFY(!QApplication::activeModalWidget());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmAbout *>(window));
}

void tst_MainWindow::layoutMatchesTheTwipsTable()
{
    QCOMPARE(m_main->client()->size(), QSize(497, 274));
    QCOMPARE(m_main->minimumSize(), m_main->maximumSize());
    QCOMPARE(m_main->windowTitle(), u"Kaltrix v1.0"_s);
    // Every control by its design name, where the layout's twips put it (15 to a pixel).
    const QList<std::pair<QString, QRect>> controls{
        {u"Frame2"_s, {0, 0, 497, 41}},        {u"Label61"_s, {8, 8, 480, 31}},
        {u"Frame1"_s, {0, 40, 497, 177}},      {u"Label2"_s, {8, 16, 481, 41}},
        {u"Label1"_s, {64, 77, 33, 13}},       {u"txtFirstName"_s, {112, 72, 287, 23}},
        {u"cmdNext"_s, {112, 112, 283, 29}},   {u"cmdExit"_s, {320, 400, 139, 21}},
        {u"Frame5"_s, {0, 217, 497, 57}},      {u"lblCobrand"_s, {8, 11, 479, 41}},
        {u"lblFullBrand"_s, {8, 11, 479, 41}},
    };
    for (const auto &[name, rect] : controls) {
        const QWidget *control = m_main->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), rect);
    }
    QCOMPARE(m_main->Label2->text().count(u"so that  you"_s), 1);
    QVERIFY(m_main->lblCobrand->text().contains(u"name &  link here. See \"Help\" for details.    Click"_s));
    QVERIFY(!(m_main->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(m_main->windowFlags() & Qt::WindowMinimizeButtonHint));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
