// frmMain: the window start-up shows. It takes the first name (letters only, in capitals), starts the
// body-type test on a new test window, and opens the maker's pages from its menus and link labels. It hides
// while a test runs; closing it shows the exit screen, which alone ends the program.

#include "app/mainwindow.h"

#include "app/branding.h"
#include "app/forms.h"
#include "app/namefilter.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/controls.h"
#include "ui/keys.h"
#include "ui/linklabel.h"
#include "ui/messages.h"
#include "ui/pagestack.h"
#include "ui/placeholderfield.h"
#include "ui/style.h"
#include "web/aboutbox.h"
#include "web/exitscreen.h"
#include "web/links.h"

#include <QFrame>
#include <QKeyEvent>
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
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kaltrix v1.0"));
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
    Label61 =
        named(new LinkLabel(QStringLiteral("Got a question about fitness or software? Ask it on our free "
                                           "discussion board. Visit us at ") +
                                modHelp::MainSiteDisplayName() + QStringLiteral(" today!"),
                            Frame2),
              QStringLiteral("Label61"));
    Label61->setGeometry(Label61Rect.toPixels());
    Label61->setFont(verdana(9, true, true));
    Label61->setAlignment(Qt::AlignCenter);
    Label61->setWordWrap(true);
    setForeground(Label61, Qt::black);

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
    // Composed text would bypass the letters-only rule.
    txtFirstName->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtFirstName->installEventFilter(this);
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

    connect(Label61, &LinkLabel::clicked, this, &frmMain::Label61_Click);
    connect(Label2, &LinkLabel::clicked, this, &frmMain::Label2_Click);
    connect(lblCobrand, &LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    connect(lblFullBrand, &LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
}

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *nuFile = bar->addMenu(QStringLiteral("&File"));
    nuFile->setObjectName(QStringLiteral("nuFile"));
    addMenuEntry(nuFile, QStringLiteral("mnuNext"), QStringLiteral("Take The Body Type &Test"), this,
                 &frmMain::mnuNext_Click);
    addMenuEntry(nuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this, &frmMain::mnuExit_Click);

    QMenu *mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addMenuEntry(mnuHelp, QStringLiteral("mnuOnline"), QStringLiteral("&Online Help"), this,
                 &frmMain::mnuOnline_Click);
    addMenuEntry(mnuHelp, QStringLiteral("mnuVisit"), QStringLiteral("&Visit Us Online"), this,
                 &frmMain::mnuVisit_Click);
    addMenuSeparator(mnuHelp, QStringLiteral("mnuFileSep1"));
    addMenuEntry(mnuHelp, QStringLiteral("mnuUpdate"), QStringLiteral("&Check for Software Update"), this,
                 &frmMain::mnuUpdate_Click);
    addMenuSeparator(mnuHelp, QStringLiteral("mnuFileSep2"));
    addMenuEntry(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About Software"), this,
                 &frmMain::mnuAbout_Click);

    addMenuEntry(bar, QStringLiteral("mnuDonate"), QStringLiteral("&Donate"), this,
                 &frmMain::mnuDonate_Click);
    // Not available to the user: kept, but never shown.
    addMenuEntry(bar, QStringLiteral("mnumakemoney"), QStringLiteral("Make Money &Online"), this,
                 &frmMain::mnumakemoney_Click)
        ->setVisible(false);
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

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != txtFirstName || event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);
    const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
    int keyAscii = keyAsciiOf(keyEvent);
    // Keys that type nothing still move and delete, but an Alt chord's text must not reach the box.
    if (keyAscii < 0)
        return keyEvent.modifiers().testFlag(Qt::AltModifier) && !keyEvent.text().isEmpty();
    const int typed = keyAscii;
    if (!txtFirstName_KeyPress(keyAscii))
        return true;
    // The box types a plain key's own text itself, but nothing that comes with Ctrl (Ctrl+Space's blank).
    if (keyAscii == typed && keyEvent.text() == QString(QChar(keyAscii)) &&
        !keyEvent.modifiers().testFlag(Qt::ControlModifier))
        return false;
    // One key puts in the one character the rule let through, whatever else its event carries.
    if ((keyAscii >= 'A' && keyAscii <= 'Z') || keyAscii == ' ') {
        txtFirstName->insert(QString(QChar(keyAscii)));
        return true;
    }
    return false;
}

bool frmMain::txtFirstName_KeyPress(int &keyAscii)
{
    keyAscii = filterNameKey(keyAscii);
    if (keyAscii == 0) {
        showInformation(QStringLiteral("Please Enter Only Alphabet"));
        return false;
    }
    return true;
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

void frmMain::mnuOnline_Click()
{
    modHelp::OpenHelpPage();
}

void frmMain::mnuVisit_Click()
{
    modHelp::OpenHomePage();
}

void frmMain::mnuUpdate_Click()
{
    modHelp::OpenDownloadPage();
}

void frmMain::mnuAbout_Click()
{
    frmAbout::showModal(this);
}

void frmMain::mnuDonate_Click()
{
    modHelp::OpenDonatePage();
}

void frmMain::mnumakemoney_Click()
{
    modHelp::OpenFullBrandPage();
}

void frmMain::Label61_Click()
{
    modHelp::OpenHomePage();
}

void frmMain::Label2_Click()
{
    modHelp::OpenFullBrandPage();
}

void frmMain::lblCobrand_Click()
{
    modHelp::OpenCoBrandPage();
}

void frmMain::lblFullBrand_Click()
{
    modHelp::OpenFullBrandPage();
}
