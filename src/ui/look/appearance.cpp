// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/look/appearance.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

QIcon programIcon()
{
    // The sizes are given, so that no picture is opened before one is drawn.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const QString png = QStringLiteral(":/icons/kaltrix-%1.png").arg(size);
        if (QFile::exists(png))
            icon.addFile(png, QSize(size, size));
    }
    return icon.isNull() ? QIcon(QStringLiteral(":/kaltrix.svg")) : icon;
}

void useProgramIcon()
{
    static bool done = false;
    if (!std::exchange(done, true))
        QApplication::setWindowIcon(programIcon());
}

namespace {
class AfterFirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, useProgramIcon);
            deleteLater();
        }
        return false;
    }
};
} // namespace

void useProgramIconAfterFirstPaint(QWidget *window)
{
    window->installEventFilter(new AfterFirstPaint(window));
}

QFont verdana(qreal pointSize, bool bold, bool underline)
{
    // Asked once which one is there: a family that is missing costs a search for fallbacks on every font.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana"))
                                      ? QStringLiteral("Verdana")
                                      : QStringLiteral("DejaVu Sans");
    QFont font;
    font.setFamilies({family});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QPalette fixedPalette(const QColor &window)
{
    struct Role
    {
        QPalette::ColorRole role;
        QColor enabled;
        QColor disabled;
    };
    // The light scheme of Qt's Fusion style, on the window's own background.
    const QColor grey(120, 120, 120);
    const Role roles[] = {
        {QPalette::Window, window, window},
        {QPalette::WindowText, Qt::black, grey},
        {QPalette::Base, Qt::white, QColor(239, 239, 239)},
        {QPalette::AlternateBase, QColor(247, 247, 247), QColor(247, 247, 247)},
        {QPalette::Text, Qt::black, grey},
        {QPalette::PlaceholderText, QColor(0, 0, 0, 128), QColor(0, 0, 0, 128)},
        {QPalette::Button, QColor(239, 239, 239), QColor(239, 239, 239)},
        {QPalette::ButtonText, Qt::black, grey},
        {QPalette::BrightText, Qt::white, Qt::white},
        {QPalette::Light, Qt::white, Qt::white},
        {QPalette::Midlight, QColor(227, 227, 227), QColor(247, 247, 247)},
        {QPalette::Mid, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Dark, QColor(160, 160, 160), QColor(160, 160, 160)},
        {QPalette::Shadow, QColor(105, 105, 105), Qt::black},
        {QPalette::Highlight, QColor(48, 140, 198), QColor(145, 145, 145)},
        {QPalette::HighlightedText, Qt::white, Qt::white},
        {QPalette::Link, QColor(0, 0, 255), QColor(0, 0, 255)},
        {QPalette::LinkVisited, QColor(255, 0, 255), QColor(255, 0, 255)},
        {QPalette::ToolTipBase, QColor(255, 255, 220), QColor(255, 255, 220)},
        {QPalette::ToolTipText, Qt::black, Qt::black},
    };
    QPalette palette;
    for (const Role &role : roles) {
        palette.setColor(QPalette::Active, role.role, role.enabled);
        palette.setColor(QPalette::Inactive, role.role, role.enabled);
        palette.setColor(QPalette::Disabled, role.role, role.disabled);
    }
    return palette;
}

void useLayoutLook(QWidget *area, const QColor &background)
{
    area->setPalette(fixedPalette(background));
    area->setAutoFillBackground(true);
    area->setFont(verdana(8.25));
}

double contrastRatio(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &color) {
        auto channel = [](double value) {
            return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
               0.0722 * channel(color.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, color);
    widget->setPalette(palette);
}

void fitOneLine(QLabel *label)
{
    QFont font = label->font();
    const QString text = label->text();
    const qreal excess = QFontMetricsF(font).horizontalAdvance(text) - label->contentsRect().width();
    if (excess <= 0 || text.size() < 2)
        return;
    // At most one pixel per gap, so the text stays easy to read.
    font.setLetterSpacing(QFont::AbsoluteSpacing, -qMin(1.0, (excess + 1) / (text.size() - 1)));
    label->setFont(font);
}
