// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/accessibility/lineedittext.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QTextBoundaryFinder>

namespace Accessibility {

namespace {

// The item of text of the given kind that holds offset: [start, end). The text is one line.
std::pair<int, int> itemAt(const QString &text, QAccessible::TextBoundaryType boundary, int offset)
{
    const int length = int(text.size());
    QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        kind = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        kind = QTextBoundaryFinder::Sentence;
        break;
    default:
        return {0, length};
    }
    QTextBoundaryFinder finder(kind, text);
    finder.setPosition(offset);
    int start = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
    start = std::max(start, 0);
    finder.setPosition(start);
    const int end = start < length ? int(finder.toNextBoundary()) : length;
    return {start, end < 0 ? length : end};
}

class LineEditText final : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit LineEditText(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !edit()->isReadOnly())
            edit()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // QAccessibleTextInterface
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + edit()->selectionLength();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        const QString text = shown();
        start = std::clamp(start, 0, int(text.size()));
        end = std::clamp(end, start, int(text.size()));
        return text.sliced(start, end - start);
    }
    int characterCount() const override { return int(shown().size()); }

    QRect characterRect(int offset) const override
    {
        const QString text = shown();
        if (offset < 0 || offset >= text.size())
            return {};
        // Measured from the caret, which already counts the box's frame, margins and scrolling.
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect rect(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)), caret.height());
        return {edit()->mapToGlobal(rect.topLeft()), rect.size()};
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = edit()->mapFromGlobal(point);
        return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
    }

    void scrollToSubstring(int start, int end) override
    {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }

    QString attributes(int offset, int *start, int *end) const override
    {
        Q_UNUSED(offset);
        *start = 0;
        *end = characterCount();
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                             int *end) const override
    {
        return neighbour(offset, boundary, -1, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                         int *end) const override
    {
        return neighbour(offset, boundary, 0, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                            int *end) const override
    {
        return neighbour(offset, boundary, 1, start, end);
    }

    // QAccessibleEditableTextInterface: what a reader types arrives like pasted text.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (edit()->isReadOnly())
            return;
        QString value = edit()->text();
        start = std::clamp(start, 0, int(value.size()));
        end = std::clamp(end, start, int(value.size()));
        edit()->setText(value.replace(start, end - start, text));
    }

private:
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }

    QString shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : QString(); }

    // The item holding offset (direction 0), or the one before (-1) or after (1) it.
    QString neighbour(int offset, QAccessible::TextBoundaryType boundary, int direction, int *start,
                      int *end) const
    {
        const QString text = shown();
        const int length = int(text.size());
        if (offset == -2)
            offset = edit()->cursorPosition();
        else if (offset == -1)
            offset = length;
        *start = *end = -1;
        if (offset < 0 || offset > length || (boundary == QAccessible::NoBoundary && direction != 0))
            return {};
        auto [first, last] = itemAt(text, boundary, offset);
        if (direction < 0) {
            if (first == 0)
                return {};
            std::tie(first, last) = itemAt(text, boundary, first - 1);
        } else if (direction > 0) {
            if (last >= length)
                return {};
            std::tie(first, last) = itemAt(text, boundary, last);
        }
        *start = first;
        *end = last;
        return text.sliced(first, last - first);
    }
};

} // namespace

QAccessibleInterface *lineEditText(QLineEdit *edit)
{
    return new LineEditText(edit);
}

} // namespace Accessibility
