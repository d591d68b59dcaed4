#include "ui/style.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QWidget>

QFont verdana(qreal pointSize, bool bold, bool underline)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
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
