// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/windows/twips.h"

#include <QColor>

#include <QWidget>

class QMenuBar;

// A program window: fixed size with a close box only, a client area laid out in twips below an optional
// menu bar, centred when first shown, and listed as open from creation until it has closed. The client
// area has the layout's background, a complete fixed palette and the layout's Verdana; the menu bar keeps
// the desktop's font and colours, as the menus do. To screen readers it is a frame named by its caption.
class Form : public QWidget
{
    Q_OBJECT

public:
    Form(QSize clientSize, bool withMenuBar, const QColor &background = Qt::white);
    ~Form() override;

    QWidget *client() const { return m_client; }
    QMenuBar *menuBar() const { return m_menuBar; }
    bool isClosing() const { return m_closing; }
    bool isClosed() const { return m_closed; }

protected:
    // Runs whenever the window closes, whatever closed it; the close is never cancelled.
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_client = nullptr;
    QMenuBar *m_menuBar = nullptr;
    bool m_closing = false;
    bool m_closed = false;
};

// Centres the window's frame (title bar and borders included) in its screen's work area when it is first
// shown, and again once the window manager has told the frame's size, if the first guess was off. A frame
// larger than the work area goes to the area's left or top edge instead, so that it can be reached.
void centreOnScreen(QWidget *window);
