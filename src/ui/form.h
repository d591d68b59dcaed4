#pragma once

#include "ui/twips.h"

#include <QWidget>

class QMenuBar;

// A program window: fixed size with a close box only, a client area laid out in twips below an optional
// menu bar, centred when first shown, and listed as open from creation until it has closed.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QSize clientSize, bool withMenuBar);
    ~Form() override;

    QWidget *client() const { return m_client; }
    QMenuBar *menuBar() const { return m_menuBar; }
    bool isClosing() const { return m_closing; }
    bool isClosed() const { return m_closed; }

protected:
    // Runs whenever the window closes, whatever closed it; the close is never cancelled.
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *m_client = nullptr;
    QMenuBar *m_menuBar = nullptr;
    bool m_placed = false;
    bool m_closing = false;
    bool m_closed = false;
};
