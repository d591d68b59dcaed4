// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// frmNagScreen2: the exit screen. The main window and the test window show it when the user leaves them
// (and the first start of a test loads it, hidden). It asks for support with one of four messages drawn at
// load, offers the maker's pages and the refer-a-friend panel, stays above other programs' windows, and
// every way of closing it ends the program (ExitApplication).

#include "web/exitscreen.h"

#include "ui/look/appearance.h"
#include "ui/system/platform.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/keys.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/placeholderfield.h"
#include "ui/widgets/textrules.h"
#include "ui/windows/messages.h"
#include "ui/windows/navigation.h"
#include "web/links.h"
#include "web/tellafriend.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFocusRect>

namespace {
constexpr QSize ClientSize = twipsSize(11115, 4725);
constexpr TwipsRect Picture1Rect{360, 120, 540, 540};
constexpr TwipsRect Label1Rect{1080, 240, 3660, 435};
constexpr TwipsRect Label2Rect{120, 840, 6975, 1095};
constexpr TwipsRect Check1Rect{30, 2040, 7185, 555};
constexpr TwipsRect cmdCloseRect{6000, 2760, 1245, 375};
constexpr TwipsRect Frame2Rect{120, 3240, 7065, 1455};
constexpr TwipsRect txtNameRect{85, 360, 3375, 285};
constexpr TwipsRect txtEmailRect{3600, 360, 3375, 285};
constexpr TwipsRect txtFriendNameRect{85, 720, 3375, 285};
constexpr TwipsRect txtFriendEmailRect{3600, 720, 3375, 285};
constexpr TwipsRect cmdSubmitRect{1920, 1080, 3375, 285};
// Below the frame's bottom edge on purpose: clipped and never seen, yet still in the tab order.
constexpr TwipsRect txtMessageRect{4800, 3600, 1815, 495};
constexpr TwipsRect Frame6Rect{7320, 120, 3735, 4575};
constexpr TwipsRect Label3Rect{120, 360, 3495, 3855};
constexpr TwipsRect lblGoToHomeRect{75, 4250, 3585, 210};

// The picture takes its turn in the tab order, so it shows the focus ring as the buttons do.
class FocusablePicture final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
};
} // namespace

QStringList supportMessages()
{
    const QString site = modHelp::MainSiteDisplayName();
    return {
        QStringLiteral("Programs like Kaltrix can be created and maintained only with your support. The best "
                       "support is to visit ") +
            site + QStringLiteral(" regularly and take part in the discussions and other activities there."),
        QStringLiteral("Please visit ") + site +
            QStringLiteral(
                " regularly and support it by taking part in the discussions and other activities. "
                "We cannot support and maintain our programs without your regular visits."),
        site + QStringLiteral(
                   " is a free online discussion forum. To help us develop and maintain this program, "
                   "please visit it regularly."),
        site +
            QStringLiteral(" needs your help! Visiting it regularly and taking part in its discussions and "
                           "activities helps us maintain this program and develop more."),
    };
}

frmNagScreen2::frmNagScreen2() : Form(ClientSize, false, Qt::white)
{
    named(this, QStringLiteral("frmNagScreen2"));
    setWindowTitle(windowCaption());
    createControls();
    setTabOrder();
}

void frmNagScreen2::createControls()
{
    QWidget *area = client();

    Picture1 = named(new FocusablePicture(area), QStringLiteral("Picture1"));
    Picture1->setGeometry(Picture1Rect.toPixels());
    Picture1->setPixmap(programIcon().pixmap(Picture1Rect.toPixels().size()));
    Picture1->setFocusPolicy(Qt::TabFocus);
    Picture1->setAccessibleName(QStringLiteral("Kaltrix icon"));
    Picture1->setAccessibleDescription(
        QStringLiteral("The Kaltrix program icon: three figures of different builds"));

    auto *Label1 = named(new QLabel(windowCaption(), area), QStringLiteral("Label1"));
    Label1->setGeometry(Label1Rect.toPixels());
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("DejaVu Sans")});
    titleFont.setPointSizeF(18);
    Label1->setFont(titleFont);

    Label2 = named(new QLabel(supportMessages().at(1), area), QStringLiteral("Label2"));
    Label2->setGeometry(Label2Rect.toPixels());
    Label2->setFont(verdana(9.75, true));
    Label2->setWordWrap(true);
    Label2->setTextFormat(Qt::PlainText);

    Check1 = named(new QPushButton(QStringLiteral("Click Here To Visit ") + modHelp::MainSiteDisplayName() +
                                       QStringLiteral(" Now"),
                                   area),
                   QStringLiteral("Check1"));
    Check1->setGeometry(Check1Rect.toPixels());
    Check1->setCheckable(true);
    Check1->setFont(verdana(14.25));
    Check1->setCursor(Qt::PointingHandCursor);
    setForeground(Check1, Colors::DarkBlue);
    // A check box drawn as a button: Space presses it, Enter does not.
    Check1->setAutoDefault(false);

    cmdClose = named(new QPushButton(QStringLiteral("E&xit"), area), QStringLiteral("cmdClose"),
                     QStringLiteral("Exit"));
    cmdClose->setGeometry(cmdCloseRect.toPixels());
    cmdClose->setAutoDefault(true);

    createReferAFriendPanel();
    createCataloguePanel();

    connect(Check1, &QPushButton::clicked, this, &frmNagScreen2::Check1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
}

void frmNagScreen2::createReferAFriendPanel()
{
    Frame2 = named(new QGroupBox(QStringLiteral("Refer A Friend"), client()), QStringLiteral("Frame2"));
    Frame2->setGeometry(Frame2Rect.toPixels());
    Frame2->setFont(verdana(9.75, true));
    setBackground(Frame2, Colors::Navy);
    setForeground(Frame2, Qt::white);

    // The hint doubles as the accessible name, so a screen reader still names a field the user has filled.
    auto field = [this](const QString &name, const QString &hint, const TwipsRect &rect) {
        auto *edit = named(new PlaceholderField(hint, Frame2), name, hint);
        edit->setGeometry(rect.toPixels());
        edit->setFont(verdana(8.25));
        setBackground(edit, Qt::white);
        setForeground(edit, Qt::black);
        return edit;
    };
    txtName = field(QStringLiteral("txtName"), QStringLiteral("Your Name"), txtNameRect);
    txtEmail = field(QStringLiteral("txtEmail"), QStringLiteral("Your Email Address"), txtEmailRect);
    txtFriendName =
        field(QStringLiteral("txtFriendName"), QStringLiteral("Friend's Name"), txtFriendNameRect);
    txtFriendEmail =
        field(QStringLiteral("txtFriendEmail"), QStringLiteral("Friend's Email Address"), txtFriendEmailRect);
    new KeyPressFilter(txtEmail, [this](int &keyAscii) { txtEmail_KeyPress(keyAscii); });
    new KeyPressFilter(txtFriendEmail, [this](int &keyAscii) { txtFriendEmail_KeyPress(keyAscii); });

    cmdSubmit = named(new QPushButton(QStringLiteral("Refer A Friend &Now"), Frame2),
                      QStringLiteral("cmdSubmit"), QStringLiteral("Refer A Friend Now"));
    cmdSubmit->setGeometry(cmdSubmitRect.toPixels());
    cmdSubmit->setFont(verdana(8.25, true));
    setBackground(cmdSubmit, Colors::Silver);
    setForeground(cmdSubmit, Qt::black);
    cmdSubmit->setAutoDefault(true);

    // Starts one line end longer than its hint, so tabbing into it untouched does not clear it.
    txtMessage = named(
        new PlaceholderTextField(QStringLiteral("Your Message"), QStringLiteral("Your Message\r\n"), Frame2),
        QStringLiteral("txtMessage"), QStringLiteral("Your Message"));
    txtMessage->setGeometry(txtMessageRect.toPixels());
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setTabChangesFocus(true);

    connect(txtName, &PlaceholderField::gotFocus, this, &frmNagScreen2::txtName_GotFocus);
    connect(txtEmail, &PlaceholderField::gotFocus, this, &frmNagScreen2::txtEmail_GotFocus);
    connect(txtMessage, &PlaceholderTextField::gotFocus, this, &frmNagScreen2::txtMessage_GotFocus);
    connect(txtFriendName, &PlaceholderField::gotFocus, this, &frmNagScreen2::txtFriendName_GotFocus);
    connect(txtFriendEmail, &PlaceholderField::gotFocus, this, &frmNagScreen2::txtFriendEmail_GotFocus);
    connect(txtName, &PlaceholderField::lostFocus, this, &frmNagScreen2::txtName_LostFocus);
    connect(txtEmail, &PlaceholderField::lostFocus, this, &frmNagScreen2::txtEmail_LostFocus);
    connect(txtMessage, &PlaceholderTextField::lostFocus, this, &frmNagScreen2::txtMessage_LostFocus);
    connect(txtFriendName, &PlaceholderField::lostFocus, this, &frmNagScreen2::txtFriendName_LostFocus);
    connect(txtFriendEmail, &PlaceholderField::lostFocus, this, &frmNagScreen2::txtFriendEmail_LostFocus);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
}

void frmNagScreen2::createCataloguePanel()
{
    auto *Frame6 =
        named(new QGroupBox(QStringLiteral("Download Orvena Softwares"), client()), QStringLiteral("Frame6"));
    Frame6->setGeometry(Frame6Rect.toPixels());
    Frame6->setFont(verdana(9.75, true));
    setBackground(Frame6, Colors::Navy);
    setForeground(Frame6, Qt::white);

    auto *Label3 = named(
        new QLabel(
            QStringLiteral(
                "If you enjoyed Kaltrix, you will like the other programs from Orvena Softwares too. What "
                "began as a single program has grown into a large collection covering many fields. Every "
                "one of them is simple, informative and fun to use.\n\nTry them out, and share the "
                "experience with your friends and family!"),
            Frame6),
        QStringLiteral("Label3"));
    Label3->setGeometry(Label3Rect.toPixels());
    Label3->setFont(verdana(9));
    Label3->setWordWrap(true);
    Label3->setTextFormat(Qt::PlainText);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblGoToHome = named(new LinkLabel(QStringLiteral("Click Here To Visit Orvena Softwares"), Frame6),
                        QStringLiteral("lblGoToHome"));
    lblGoToHome->setGeometry(lblGoToHomeRect.toPixels());
    lblGoToHome->setFont(verdana(9, true, true));
    fitOneLine(lblGoToHome);
    setForeground(lblGoToHome, Colors::Yellow);
}

void frmNagScreen2::setTabOrder()
{
    const QList<QWidget *> chain{cmdClose, Check1,         Picture1,      txtName,   cmdSubmit,
                                 txtEmail, txtFriendEmail, txtFriendName, txtMessage};
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    cmdClose->setFocus();
}

void frmNagScreen2::Form_Load()
{
    platform().reseedRandom();
    const int k = int(4.0f * platform().nextRandom());
    Label2->setText(supportMessages().value(qBound(0, k, 3)));
    // Above every other program's window from now on, including the browser windows our links open.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmNagScreen2::Form_Unload()
{
    navigation().exitApplication();
}

void frmNagScreen2::Check1_Click()
{
    // Drawn as a button that never stays down: set it back first, then open the page once.
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenSoftwarePage();
}

void frmNagScreen2::cmdClose_Click()
{
    navigation().exitApplication();
}

void frmNagScreen2::txtName_GotFocus()
{
    txtName->clearHint();
}

void frmNagScreen2::txtEmail_GotFocus()
{
    txtEmail->clearHint();
}

void frmNagScreen2::txtMessage_GotFocus()
{
    txtMessage->clearHint();
}

void frmNagScreen2::txtFriendName_GotFocus()
{
    txtFriendName->clearHint();
}

void frmNagScreen2::txtFriendEmail_GotFocus()
{
    txtFriendEmail->clearHint();
}

void frmNagScreen2::txtName_LostFocus()
{
    txtName->restoreHint();
}

void frmNagScreen2::txtEmail_LostFocus()
{
    txtEmail->restoreHint();
}

void frmNagScreen2::txtMessage_LostFocus()
{
    txtMessage->restoreHint();
}

void frmNagScreen2::txtFriendName_LostFocus()
{
    txtFriendName->restoreHint();
}

void frmNagScreen2::txtFriendEmail_LostFocus()
{
    txtFriendEmail->restoreHint();
}

void frmNagScreen2::txtEmail_KeyPress(int &keyAscii)
{
    refuseSpace(txtEmail, keyAscii);
}

void frmNagScreen2::txtFriendEmail_KeyPress(int &keyAscii)
{
    refuseSpace(txtFriendEmail, keyAscii);
}

void frmNagScreen2::refuseSpace(PlaceholderField *field, int &keyAscii)
{
    if (keyAscii != u' ')
        return;
    showCritical(QStringLiteral("Email Address Cannot Contain Space"));
    keyAscii = 0;
    field->setFocus();
}

void frmNagScreen2::cmdSubmit_Click()
{
    using namespace modTellAFriend;
    tafName = trimBlanks(txtName->text());
    tafEmail = trimBlanks(txtEmail->text());
    tafMessage = trimBlanks(txtMessage->text());
    tafFriendName = trimBlanks(txtFriendName->text());
    tafFriendEmail = trimBlanks(txtFriendEmail->text());
    if (const QString problem = checkAddresses(tafEmail, tafFriendEmail); !problem.isEmpty()) {
        showCritical(problem);
        return;
    }
    TellAFriend();
}
