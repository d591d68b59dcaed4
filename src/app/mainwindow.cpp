// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// frmMain: the window start-up shows. It takes the first name (letters only, in capitals), starts the
// body-type test on a new test window, and opens the maker's pages from its menus and link labels. It hides
// while a test runs; closing it shows the exit screen, which alone ends the program.

#include "app/mainwindow.h"

#include "app/forms.h"
#include "app/namefilter.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/look/appearance.h"
#include "ui/system/platform.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/keys.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/pagestack.h"
#include "ui/widgets/textbox.h"
#include "ui/windows/messages.h"
#include "web/links.h"
#include "web/sharedlinks.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {
constexpr TwipsRect Frame2Rect{0, 0, 7455, 615};
constexpr TwipsRect Label61Rect{120, 120, 7200, 465};
constexpr TwipsRect Frame1Rect{0, 600, 7455, 2655};
constexpr TwipsRect Label2Rect{120, 240, 7215, 615};
constexpr TwipsRect Label1Rect{960, 1155, 495, 195};
constexpr TwipsRect txtFirstNameRect{1680, 1080, 4305, 345};
constexpr TwipsRect cmdNextRect{1680, 1680, 4245, 435};
// Below the client area on purpose: never seen, yet Tab and Alt+X still reach it.
constexpr TwipsRect cmdExitRect{4800, 6000, 2085, 315};
constexpr TwipsRect Frame5Rect{0, 3260, 7455, 855};
constexpr TwipsRect brandingRect{120, 160, 7185, 615};

const QString Label2Text = QStringLiteral(
    "Everybody has a natural body type. To understand your body better you need to know your body type so "
    "that  you can work on that part of the body accordingly. To achieve the perfect figure, take the below "
    "test to know your body type now.");

QFrame *panel(QWidget *parent, const TwipsRect &rect, QFrame::Shape shape)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(rect.toPixels());
    return frame;
}

} // namespace

frmMain::frmMain()
    : Form(twipsSize(7455, 4110), true, Colors::LightBlue), m_branding(std::make_unique<PageStack>())
{
    named(this, QStringLiteral("frmMain"));
    setWindowTitle(windowCaption());
    createControls();
    createMenus();
    setTabOrder();
    txtFirstName->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    QWidget *area = client();

    QFrame *Frame2 = named(panel(area, Frame2Rect, QFrame::NoFrame), QStringLiteral("Frame2"));
    Label61 = createLabel61(Frame2, Label61Rect.toPixels(), LinkWindow::Main);

    QFrame *Frame1 = named(panel(area, Frame1Rect, QFrame::Box), QStringLiteral("Frame1"));
    Label2 = named(new LinkLabel(Label2Text, Frame1), QStringLiteral("Label2"));
    Label2->setGeometry(Label2Rect.toPixels());
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);

    auto *Label1 = named(new QLabel(QStringLiteral("Name"), Frame1), QStringLiteral("Label1"));
    Label1->setGeometry(Label1Rect.toPixels());
    setForeground(Label1, Qt::black);

    txtFirstName = named(new TextBox(Frame1), QStringLiteral("txtFirstName"), QStringLiteral("Name"));
    txtFirstName->setGeometry(txtFirstNameRect.toPixels());
    setBackground(txtFirstName, Colors::Silver);
    setForeground(txtFirstName, Qt::black);
    // Letters only. What dead keys, Compose sequences and input methods make arrives as their commit, which
    // goes through the same handler as a typed key. Turning input methods off in the box would not stop them:
    // X11's composing then happens or not depending on where the keyboard focus was a moment before.
    new KeyPressFilter(txtFirstName, [this](int &keyAscii) { txtFirstName_KeyPress(keyAscii); });
    Label1->setBuddy(txtFirstName);

    cmdNext = named(new QPushButton(QStringLiteral("Take The Body Type &Test"), Frame1),
                    QStringLiteral("cmdNext"), QStringLiteral("Take The Body Type Test"));
    cmdNext->setGeometry(cmdNextRect.toPixels());
    cmdNext->setFont(verdana(8.25, true));
    setBackground(cmdNext, Colors::Grey);
    // Enter presses a focused button, as Space does; in a window that is no dialog this makes no
    // default button, so Enter elsewhere still presses nothing.
    cmdNext->setAutoDefault(true);

    cmdExit = named(new QPushButton(QStringLiteral("E&xit"), area), QStringLiteral("cmdExit"),
                    QStringLiteral("Exit"));
    cmdExit->setGeometry(cmdExitRect.toPixels());
    cmdExit->setAutoDefault(true);

    QFrame *Frame5 = named(panel(area, Frame5Rect, QFrame::NoFrame), QStringLiteral("Frame5"));
    // The layout's own stacking, which a draw of 7 keeps: the full-branding label lies on top.
    const BrandingLabels branding = createBrandingLabels(Frame5, brandingRect.toPixels(), *m_branding);
    lblCobrand = branding.lblCobrand;
    lblFullBrand = branding.lblFullBrand;

    connect(Label2, &LinkLabel::clicked, this, &modHelp::OpenFullBrandPage);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
}

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    // nuFile, not mnuFile: the design's own name for the File menu.
    QMenu *nuFile = named(bar->addMenu(QStringLiteral("&File")), QStringLiteral("nuFile"));
    addMenuEntry(nuFile, QStringLiteral("mnuNext"), QStringLiteral("Take The Body Type &Test"), this,
                 &frmMain::mnuNext_Click);
    addMenuEntry(nuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this, &frmMain::mnuExit_Click);
    addSiteMenus(bar, this, LinkWindow::Main);
}

void frmMain::setTabOrder()
{
    QWidget::setTabOrder(txtFirstName, cmdNext);
    QWidget::setTabOrder(cmdNext, cmdExit);
}

void frmMain::bringCobrandToFront()
{
    m_branding->bringToFront(lblCobrand);
}

void frmMain::bringFullBrandToFront()
{
    m_branding->bringToFront(lblFullBrand);
}

void frmMain::txtFirstName_KeyPress(int &keyAscii)
{
    keyAscii = filterNameKey(keyAscii);
    if (keyAscii == 0)
        showInformation(QStringLiteral("Please Enter Only Alphabet"));
}

bool frmMain::ValidateFirstName()
{
    if (txtFirstName->text().isEmpty()) {
        showInformation(QStringLiteral("Please Enter Your Name"));
        txtFirstName->setFocus();
        return false;
    }
    return true;
}

void frmMain::cmdNext_Click()
{
    if (!ValidateFirstName())
        return;
    frmDisplay &test = Forms::testWindow();
    test.bringFirstQuestionToFront();
    test.bringQuestionAreaToFront();
    resetScores();
    hide();
    Forms::hideExitScreen();
    test.show();
}

void frmMain::mnuNext_Click()
{
    cmdNext_Click();
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::mnuExit_Click()
{
    cmdExit_Click();
}

void frmMain::Form_Unload()
{
    Forms::showExitScreen();
}
