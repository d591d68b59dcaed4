// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "web/sharedlinks.h"

#include "ui/look/appearance.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/pagestack.h"
#include "ui/widgets/textrules.h"
#include "web/aboutbox.h"
#include "web/links.h"

#include <QMenuBar>
#include <array>

namespace {
using Open = void (*)();
enum class Entry { Page, Separator, About };
enum class Place { HelpMenu, MenuBar };

struct MenuRow
{
    Place place;
    Entry entry;
    std::array<const char16_t *, 2> names; // in the main window, in the test window
    std::array<const char16_t *, 2> captions;
    Open open = nullptr;
    bool shown = true;
};

// The main window's Help separators are mnuFileSep1 and mnuFileSep2 as the design names them, though they
// lie in the Help menu; the test window's are mnuSep1 and mnuSep2.
constexpr std::array<MenuRow, 8> MenuRows{{
    {Place::HelpMenu,
     Entry::Page,
     {u"mnuOnline", u"mnuOnline"},
     {u"&Online Help", u"&Online Help"},
     &modHelp::OpenHelpPage},
    {Place::HelpMenu,
     Entry::Page,
     {u"mnuVisit", u"mnuVisit"},
     {u"&Visit Us Online", u"&Visit Us Online"},
     &modHelp::OpenHomePage},
    {Place::HelpMenu, Entry::Separator, {u"mnuFileSep1", u"mnuSep1"}, {}},
    {Place::HelpMenu,
     Entry::Page,
     {u"mnuUpdate", u"mnuUpdate"},
     {u"&Check for Software Update", u"Check for Software &Update"},
     &modHelp::OpenDownloadPage},
    {Place::HelpMenu, Entry::Separator, {u"mnuFileSep2", u"mnuSep2"}, {}},
    {Place::HelpMenu, Entry::About, {u"mnuAbout", u"mnuAbout"}, {u"&About Software", u"&About Software"}},
    {Place::MenuBar,
     Entry::Page,
     {u"mnuDonate", u"mnuDonate"},
     {u"&Donate", u"&Donate"},
     &modHelp::OpenDonatePage},
    // Not available to the user: kept, but never shown.
    {Place::MenuBar,
     Entry::Page,
     {u"mnumakemoney", u"mnumakemoney"},
     {u"Make Money &Online", u"Make Money &Online"},
     &modHelp::OpenFullBrandPage,
     false},
}};

// Label61's text in each window, around the main site's name.
constexpr std::array<std::array<const char16_t *, 2>, 2> Label61Texts{{
    {u"Got a question about fitness or software? Ask it on our free discussion board. Visit us at ",
     u" today!"},
    {u"Free fitness discussion board: visit us at ", u" today!"},
}};

// The runs of two and four blanks belong to the texts.
struct BrandingRow
{
    const char16_t *name;
    const char16_t *text;
    Open open;
};
constexpr std::array<BrandingRow, 2> BrandingRows{{
    {u"lblCobrand",
     u"Co-brand this software for your site.  Increase loyalty and traffic to your site. "
     u"Put your site's name &  link here. See \"Help\" for details.    "
     u"Click Here for more info on co-branding.",
     &modHelp::OpenCoBrandPage},
    {u"lblFullBrand",
     u"Home Business Opportunity. Start your own Internet business and make money online. Get this software "
     u"fully branded for your website. Click here for more details.",
     &modHelp::OpenFullBrandPage},
}};

LinkLabel *offer(const QString &text, const QString &name, QWidget *parent, Open open)
{
    auto *label = named(new LinkLabel(text, parent), name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    setForeground(label, Qt::black);
    QObject::connect(label, &LinkLabel::clicked, parent, open);
    return label;
}
} // namespace

void addSiteMenus(QMenuBar *bar, QWidget *window, LinkWindow layout)
{
    const auto column = std::size_t(layout);
    QMenu *mnuHelp = named(bar->addMenu(QStringLiteral("&Help")), QStringLiteral("mnuHelp"));
    for (const MenuRow &row : MenuRows) {
        const QString name = text(row.names[column]);
        if (row.entry == Entry::Separator) {
            addMenuSeparator(mnuHelp, name);
            continue;
        }
        QWidget *menu = row.place == Place::HelpMenu ? static_cast<QWidget *>(mnuHelp) : bar;
        const QString caption = text(row.captions[column]);
        QAction *action = row.entry == Entry::About ? addMenuEntry(menu, name, caption, window,
                                                                   [window] { frmAbout::showModal(window); })
                                                    : addMenuEntry(menu, name, caption, window, row.open);
        action->setVisible(row.shown);
    }
}

LinkLabel *createLabel61(QWidget *parent, const QRect &rect, LinkWindow layout)
{
    const auto &parts = Label61Texts[std::size_t(layout)];
    LinkLabel *label = offer(text(parts[0]) + modHelp::MainSiteDisplayName() + text(parts[1]),
                             QStringLiteral("Label61"), parent, &modHelp::OpenHomePage);
    label->setGeometry(rect);
    label->setFont(verdana(9, true, true));
    return label;
}

BrandingLabels createBrandingLabels(QWidget *parent, const QRect &rect, PageStack &stack)
{
    std::array<LinkLabel *, 2> labels{};
    for (std::size_t i = 0; i < BrandingRows.size(); ++i) {
        const BrandingRow &row = BrandingRows[i];
        labels[i] = offer(text(row.text), text(row.name), parent, row.open);
        labels[i]->setGeometry(rect);
        labels[i]->setFont(verdana(8.25, true, true));
        setBackground(labels[i], Colors::LightBlue);
        stack.add(labels[i]);
    }
    return {labels[0], labels[1]};
}
