// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QUrl>

// The fixed catalogue of web pages. Windows and menus call the open routines by name and never hold an
// address; every routine ends in OpenURL.
namespace modHelp {

void OpenURL(const QUrl &address);

void OpenHelpPage();
void OpenDownloadPage();
void OpenHomePage();
void OpenSoftwarePage();
void OpenDonatePage();
void OpenFullBrandPage();
void OpenCoBrandPage();

QUrl HelpPageURL();
QUrl DownloadPageURL();
QUrl HomePageURL();
QUrl SoftwarePageURL();
QUrl DonatePageURL();
QUrl FullBrandPageURL();
QUrl CoBrandPageURL();
QUrl ReferAFriendURL();
QUrl ProductSiteURL();

// The main site's address as a person would read it, without the scheme.
QString MainSiteDisplayName();

} // namespace modHelp
