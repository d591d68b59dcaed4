// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "web/links.h"

#include "siteconfig.h"
#include "ui/system/platform.h"

namespace modHelp {

namespace {
QUrl productSite(const char *path)
{
    return QUrl(QLatin1StringView(KALTRIX_PRODUCT_SITE) + QLatin1StringView(path));
}
QUrl mainSite(const char *path)
{
    return QUrl(QLatin1StringView(KALTRIX_MAIN_SITE) + QLatin1StringView(path));
}
QUrl helpSite(const char *path)
{
    return QUrl(QLatin1StringView(KALTRIX_HELP_SITE) + QLatin1StringView(path));
}
} // namespace

void OpenURL(const QUrl &address)
{
    platform().openUrl(address);
}

// One line a page, so that the catalogue reads as a table.
// clang-format off
QUrl HelpPageURL() { return productSite(KALTRIX_HELP_PAGE); }
QUrl DownloadPageURL() { return productSite(KALTRIX_DOWNLOAD_PAGE); }
QUrl HomePageURL() { return mainSite(""); }
QUrl SoftwarePageURL() { return mainSite("/orvenasoftwares"); }
QUrl DonatePageURL() { return helpSite("/donate.html"); }
QUrl FullBrandPageURL() { return helpSite("/fully-branded.html"); }
QUrl CoBrandPageURL() { return helpSite("/co-brand.html"); }
QUrl ReferAFriendURL() { return mainSite("/ovsw-refer-a-friend.php"); }
QUrl ProductSiteURL() { return productSite("/"); }

void OpenHelpPage() { OpenURL(HelpPageURL()); }
void OpenDownloadPage() { OpenURL(DownloadPageURL()); }
void OpenHomePage() { OpenURL(HomePageURL()); }
void OpenSoftwarePage() { OpenURL(SoftwarePageURL()); }
void OpenDonatePage() { OpenURL(DonatePageURL()); }
void OpenFullBrandPage() { OpenURL(FullBrandPageURL()); }
void OpenCoBrandPage() { OpenURL(CoBrandPageURL()); }
// clang-format on

QString MainSiteDisplayName()
{
    return HomePageURL().toDisplayString(QUrl::RemoveScheme | QUrl::StripTrailingSlash).mid(2);
}

} // namespace modHelp
