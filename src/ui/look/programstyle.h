// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QProxyStyle>

// The look of every window, on every system: Qt's Fusion style, which draws the layout's own button and
// frame colours (native Windows styles ignore them), with two changes.
//  - Frames with a caption get a visible edge in a tone between their background and their text, and the
//    caption sits on that edge, inset to line up with the frame's contents.
//  - The keyboard focus is a solid ring, black or white, whichever stands out more from the ground it is
//    drawn on, so that it reaches at least 3:1 on every background of the layout.
class ProgramStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
};

// Makes ProgramStyle the application's style; call once the application object exists.
void applyProgramStyle();
