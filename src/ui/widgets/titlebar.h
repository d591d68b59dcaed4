// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QWidget>

class QLabel;

// On Wayland Qt draws every window's title bar itself, with maximize and minimize buttons that a window of
// fixed size cannot honour (Weston ends a program whose window does not fill the screen after it asked to
// be maximized). There the program's windows are frameless and carry a title bar of their own instead: the
// caption, moving by drag, and a close box. They also take whatever size the desktop gives them after all,
// their contents staying at the top left.

// True on Qt's Wayland platform.
bool onWayland();

class TitleBar final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 26;

    // A bar for window, which becomes frameless; place it at the window's top.
    explicit TitleBar(QWidget *window);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_caption = nullptr;
};

// On Wayland: the window frameless, with a title bar above its contents (a layout's, or those it placed
// itself), and free in size once shown. Elsewhere nothing. Call once the window has its layout or contents.
void frameForWayland(QWidget *window);
