#pragma once

#include <QRect>

class LinkLabel;
class PageStack;
class QWidget;

// The two branding offers that the main and test windows stack on one rectangle; only the one in front is
// seen. The full-branding label starts on top.
struct BrandingLabels
{
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;
};

BrandingLabels createBrandingLabels(QWidget *parent, const QRect &rect, PageStack &stack);
