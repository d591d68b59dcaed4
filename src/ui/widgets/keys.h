// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;

// The character code a key press types, as a text box's key handler sees it on Windows, or -1 for a key
// that types nothing (arrows, Delete, Tab, function keys, shortcuts with Alt, Shift+Insert and the Paste key,
// which paste).
int keyAsciiOf(const QKeyEvent &event);

// Hands every character typed into a text box to the box's KeyPress handler first, as Windows does: plain
// keys, and what dead keys, Compose sequences and input methods make, which reach the box as an input
// method's commit. The handler may change the code, or set it to 0 to refuse the character; a refused one
// never reaches the box, and nothing after it in the same commit does. Keys that type nothing still move
// and delete, but an Alt chord's text never reaches the box. Pasting is no typing and is not handed over.
class KeyPressFilter final : public QObject
{
public:
    using Handler = std::function<void(int &keyAscii)>;
    // Watches box for its lifetime.
    KeyPressFilter(QLineEdit *box, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(const QKeyEvent &event);
    bool inputMethod(QEvent *event);

    QLineEdit *m_box;
    Handler m_handler;
    bool m_forwarding = false; // the commit that is left, on its way to the box
};
