// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/widgets/placeholderfield.h"

#include "ui/accessibility/accessibility.h"
#include "ui/widgets/textrules.h"

#include <QFocusEvent>
#include <QTextDocument>

namespace {
// Activation moving to a message box or another program, and context menus, leave the field focused as far
// as the window is concerned.
bool movedWithinWindow(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}
} // namespace

void HintRule::clearHint()
{
    if (trimBlanks(fieldText()) == m_hint)
        setFieldText(QString());
}

void HintRule::restoreHint()
{
    if (trimBlanks(fieldText()).isEmpty())
        setFieldText(m_hint);
}

PlaceholderField::PlaceholderField(const QString &hint, QWidget *parent) : TextBox(parent), HintRule(hint)
{
    setText(hint);
}

void PlaceholderField::takingFocus(QFocusEvent *event)
{
    if (movedWithinWindow(event))
        emit gotFocus();
}

void PlaceholderField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (movedWithinWindow(event))
        emit lostFocus();
}

PlaceholderTextField::PlaceholderTextField(const QString &hint, const QString &initialText, QWidget *parent)
    : QPlainTextEdit(parent), HintRule(hint)
{
    setText(initialText);
}

QString PlaceholderTextField::text() const
{
    // The document keeps a line break as a paragraph or line separator; callers see CR LF.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    raw.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return raw;
}

void PlaceholderTextField::setText(const QString &text)
{
    // CR LF, CR and LF each become one line break.
    setPlainText(text);
}

void PlaceholderTextField::focusInEvent(QFocusEvent *event)
{
    const Accessibility::Quiet quiet;
    QPlainTextEdit::focusInEvent(event);
    if (movedWithinWindow(event))
        emit gotFocus();
}

void PlaceholderTextField::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (movedWithinWindow(event))
        emit lostFocus();
}
