#include "ui/placeholderfield.h"

#include "ui/accessibility.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextDocument>
#include <limits>

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.sliced(first, last - first);
}

namespace {
// Activation moving to a message box or another program, and context menus, leave the field focused as far
// as the window is concerned.
bool movedWithinWindow(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}
} // namespace

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

PlaceholderField::PlaceholderField(const QString &hint, QWidget *parent) : TextBox(parent), m_hint(hint)
{
    setText(hint);
}

void PlaceholderField::clearHint()
{
    if (trimBlanks(text()) == m_hint)
        setText(QString());
}

void PlaceholderField::restoreHint()
{
    if (trimBlanks(text()).isEmpty())
        setText(m_hint);
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
    : QPlainTextEdit(parent), m_hint(hint)
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

void PlaceholderTextField::clearHint()
{
    if (trimBlanks(text()) == m_hint)
        setText(QString());
}

void PlaceholderTextField::restoreHint()
{
    if (trimBlanks(text()).isEmpty())
        setText(m_hint);
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
