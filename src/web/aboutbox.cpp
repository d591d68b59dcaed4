// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// frmAbout: the About box. The main and test windows show it modally from Help > About Software; it offers
// the maker's home page and the full-branding offer and closes with OK, Enter, Esc or its close box.

#include "web/aboutbox.h"

#include "ui/accessibility/accessibility.h"
#include "ui/look/appearance.h"
#include "ui/system/platform.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/titlebar.h"
#include "ui/windows/form.h"
#include "ui/windows/twips.h"
#include "web/links.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr QSize ClientSize = twipsSize(6825, 3870);
constexpr TwipsRect Picture1Rect{240, 240, 480, 480};
constexpr TwipsRect Label2Rect{960, 360, 5625, 300};
constexpr TwipsRect Label1Rect{240, 840, 6345, 1200};
constexpr TwipsRect lblHomePageRect{2760, 2085, 3825, 255};
constexpr TwipsRect Label3Rect{240, 2400, 6345, 660};
constexpr TwipsRect lblCobrandRect{3420, 3060, 3165, 255};
constexpr TwipsRect Line1Rect{0, 3345, 6825, 30};
constexpr TwipsRect cmdOKRect{5400, 3420, 1185, 375};
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    Accessibility::install();
    named(this, QStringLiteral("frmAbout"));
    setWindowTitle(windowCaption());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(ClientSize);
    useLayoutLook(this, Colors::LightBlue);
    createControls();
    frameForWayland(this);
    // On the screen's centre, not over the window that opened it.
    centreOnScreen(this);
}

void frmAbout::createControls()
{
    auto *Picture1 = named(new QLabel(this), QStringLiteral("Picture1"));
    Picture1->setGeometry(Picture1Rect.toPixels());
    Picture1->setPixmap(programIcon().pixmap(Picture1Rect.toPixels().size()));
    Picture1->setAccessibleName(QStringLiteral("Kaltrix icon"));
    Picture1->setAccessibleDescription(
        QStringLiteral("The Kaltrix program icon: three figures of different builds"));

    auto *Label2 = named(new QLabel(windowCaption(), this), QStringLiteral("Label2"));
    Label2->setGeometry(Label2Rect.toPixels());
    Label2->setFont(verdana(9.75, true));

    auto *Label1 = named(
        new QLabel(
            QStringLiteral(
                "Kaltrix helps you analyze your body type. Everybody has a natural body type. To understand "
                "your body better you need to know your body type so that  you can work on that part of "
                "the body accordingly. Achieve that perfect figure with the help of this software. All "
                "rights to this software are held by ") +
                modHelp::MainSiteDisplayName() + u'.',
            this),
        QStringLiteral("Label1"));
    Label1->setGeometry(Label1Rect.toPixels());
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);

    lblHomePage =
        named(new LinkLabel(QStringLiteral("Click here to visit ") + modHelp::MainSiteDisplayName(), this),
              QStringLiteral("lblHomePage"));
    lblHomePage->setGeometry(lblHomePageRect.toPixels());
    lblHomePage->setFont(verdana(8.25, true, true));
    lblHomePage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fitOneLine(lblHomePage);

    auto *Label3 =
        new QLabel(QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                                  "money online. Get this software fully branded for your website."),
                   this);
    named(Label3, QStringLiteral("Label3"));
    Label3->setGeometry(Label3Rect.toPixels());
    Label3->setFont(verdana(8.25, true));
    Label3->setWordWrap(true);

    lblCobrand = named(new LinkLabel(QStringLiteral("Click here for more details."), this),
                       QStringLiteral("lblCobrand"));
    lblCobrand->setGeometry(lblCobrandRect.toPixels());
    lblCobrand->setFont(verdana(8.25, true, true));
    lblCobrand->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fitOneLine(lblCobrand);

    auto *Line1 = named(new QFrame(this), QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(Line1Rect.toPixels());

    cmdOK =
        named(new QPushButton(QStringLiteral("&OK"), this), QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setGeometry(cmdOKRect.toPixels());
    cmdOK->setFont(verdana(8.25, true));
    setBackground(cmdOK, Colors::Grey);
    // Default button for Enter; QDialog turns Esc and the close box into reject(), which closes it too.
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(lblCobrand, &LinkLabel::clicked, this, &frmAbout::lblCobrand_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::showModal(QWidget *parent)
{
    auto *box = new frmAbout(parent);
    box->exec();
}

void frmAbout::lblHomePage_Click()
{
    modHelp::OpenHomePage();
}

void frmAbout::lblCobrand_Click()
{
    // It sits under the full-branding offer, so it leads to that page.
    modHelp::OpenFullBrandPage();
}

void frmAbout::cmdOK_Click()
{
    accept();
}
