// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QRect>

class LinkLabel;
class PageStack;
class QMenuBar;
class QWidget;

// What the main and test windows both carry: the Help, Donate and Make Money Online menus, the discussion
// board link across the top and the two branding offers. Declared once; each row holds the names and
// captions each window's layout gives it, and its page.
enum class LinkWindow { Main, Test };

// Adds Help, Donate and the hidden Make Money Online to the window's menu bar, after its File menu.
void addSiteMenus(QMenuBar *bar, QWidget *window, LinkWindow layout);

// Label61, the discussion board offer.
LinkLabel *createLabel61(QWidget *parent, const QRect &rect, LinkWindow layout);

// The two branding offers, stacked on one rectangle so that only the one in front is seen. The
// full-branding label starts on top.
struct BrandingLabels
{
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;
};

BrandingLabels createBrandingLabels(QWidget *parent, const QRect &rect, PageStack &stack);
