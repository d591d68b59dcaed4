// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QLineEdit>

// A one-line text box of the program. It has no maximum length (QLineEdit would cut pasted text at 32,767
// characters), the Cut, Copy and Paste keys of a keyboard work in it, and screen readers announce it whenever
// it takes the focus, whatever it does to its text and selection as it does.
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Runs as the box takes the focus, before screen readers hear of it.
    virtual void takingFocus(QFocusEvent *event) { Q_UNUSED(event); }
};
