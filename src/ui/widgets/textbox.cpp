// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/widgets/textbox.h"

#include "ui/accessibility/accessibility.h"

#include <QKeyEvent>
#include <limits>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    // Tab selects the whole text, and a placeholder field empties itself: screen readers hear of neither,
    // only of the focus that follows, and read the box afresh then.
    const Accessibility::Quiet quiet;
    QLineEdit::focusInEvent(event);
    takingFocus(event);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Cut:
        cut();
        break;
    case Qt::Key_Copy:
        copy();
        break;
    case Qt::Key_Paste:
        paste();
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}
