#include "app/branding.h"

#include "ui/controls.h"
#include "ui/linklabel.h"
#include "ui/pagestack.h"
#include "ui/style.h"

namespace {
// The runs of two and four blanks belong to the text.
const QString CobrandText =
    QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                   "your site's name &  "
                   "link here. See \"Help\" for details.    Click Here for more info on co-branding.");
const QString FullBrandText = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
    "fully branded for your website. Click here for more details.");
} // namespace

BrandingLabels createBrandingLabels(QWidget *parent, const QRect &rect, PageStack &stack)
{
    BrandingLabels labels{
        named(new LinkLabel(CobrandText, parent), QStringLiteral("lblCobrand")),
        named(new LinkLabel(FullBrandText, parent), QStringLiteral("lblFullBrand")),
    };
    for (LinkLabel *label : {labels.lblCobrand, labels.lblFullBrand}) {
        label->setGeometry(rect);
        label->setFont(verdana(8.25, true, true));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        setBackground(label, Colors::LightBlue);
        setForeground(label, Qt::black);
        stack.add(label);
    }
    return labels;
}
