// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/look/programstyle.h"

#include "ui/look/appearance.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {
QColor ringColour(const QColor &ground)
{
    return contrastRatio(ground, Qt::black) >= contrastRatio(ground, Qt::white) ? QColor(Qt::black)
                                                                                : QColor(Qt::white);
}

void drawRing(QPainter *painter, const QRect &rect, const QColor &ground)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(ringColour(ground), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QColor mixed(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// The caption starts where the frame's contents start: at its leftmost child, within reason.
int captionInset(const QWidget *widget)
{
    int inset = 8;
    bool first = true;
    if (widget) {
        for (const QObject *child : widget->children()) {
            const auto *control = qobject_cast<const QWidget *>(child);
            if (!control || control->isWindow())
                continue;
            inset = first ? control->x() : std::min(inset, control->x());
            first = false;
        }
    }
    return std::clamp(inset, 4, 24);
}
} // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    if (element == PE_FrameFocusRect) {
        drawRing(painter, option->rect, option->palette.color(QPalette::Window));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_FrameLineEdit && (option->state & State_HasFocus))
        drawRing(painter, option->rect.adjusted(1, 1, -1, -1), option->palette.color(QPalette::Base));
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // Fusion marks a focused button by a faint outline only.
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            drawRing(painter, subElementRect(SE_PushButtonFocusRect, button, widget),
                     button->palette.color(QPalette::Button));
        }
    }
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || (box->subControls & SC_GroupBoxCheckBox)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QColor ground = box->palette.color(QPalette::Window);
    const QColor text = box->palette.color(QPalette::WindowText);
    const QRect caption = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    painter->save();
    if ((box->subControls & SC_GroupBoxFrame) && !(box->features & QStyleOptionFrame::Flat)) {
        QRegion edge(box->rect);
        if (!box->text.isEmpty())
            edge -= caption;
        painter->setClipRegion(edge);
        painter->setPen(mixed(ground, text));
        painter->drawRect(subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget).adjusted(0, 0, -1, -1));
        painter->setClipping(false);
    }
    // A frame that takes the focus itself (the result view and its panels) shows it inside its edge.
    if (box->state & State_HasFocus)
        drawRing(painter, subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget).adjusted(2, 2, -2, -2),
                 ground);
    if ((box->subControls & SC_GroupBoxLabel) && !box->text.isEmpty()) {
        int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (!proxy()->styleHint(SH_UnderlineShortcut, box, widget))
            alignment |= Qt::TextHideMnemonic;
        proxy()->drawItemText(painter, caption, alignment, box->palette, box->state & State_Enabled,
                              box->text, QPalette::WindowText);
    }
    painter->restore();
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                   SubControl subControl, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || (box->subControls & SC_GroupBoxCheckBox))
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const int captionHeight = box->text.isEmpty() ? 0 : box->fontMetrics.height();
    const QRect frame = box->rect.adjusted(0, captionHeight / 2, 0, 0);
    switch (subControl) {
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxLabel: {
        if (box->text.isEmpty())
            return {};
        // Two pixels of the frame's ground on either side keep the edge off the caption.
        const int width = box->fontMetrics.size(Qt::TextShowMnemonic, box->text).width() + 4;
        return visualRect(
            box->direction, box->rect,
            QRect(box->rect.left() + captionInset(widget) - 2, box->rect.top(), width, captionHeight));
    }
    case SC_GroupBoxContents:
        return frame.adjusted(1, captionHeight - captionHeight / 2 + 1, -1, -1);
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void applyProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}
