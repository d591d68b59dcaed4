#pragma once

#include "ui/widgets/textbox.h"

#include <QPlainTextEdit>

// Input fields whose hint is their real text: it stands in the field until the field gets focus, and comes
// back when the field is left with nothing but blanks. Not Qt's placeholderText, which is never the text.
//
// gotFocus() and lostFocus() report only moves of focus inside the window, as the user sees them: a message
// box or another program taking the window's activation, or a context menu, does not count as leaving.
class PlaceholderField : public TextBox
{
    Q_OBJECT

public:
    explicit PlaceholderField(const QString &hint, QWidget *parent = nullptr);

    const QString &hint() const { return m_hint; }

    // Empties the field when it holds nothing but its hint.
    void clearHint();
    // Puts the hint back when the field holds nothing but blanks.
    void restoreHint();

signals:
    void gotFocus();
    void lostFocus();

protected:
    void takingFocus(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString m_hint;
};

// The multi-line kind. Its text has CR LF line ends, whatever the document holds inside, and it may start
// with a text other than its hint.
class PlaceholderTextField : public QPlainTextEdit
{
    Q_OBJECT

public:
    PlaceholderTextField(const QString &hint, const QString &initialText, QWidget *parent = nullptr);

    const QString &hint() const { return m_hint; }
    QString text() const;
    void setText(const QString &text);

    void clearHint();
    void restoreHint();

signals:
    void gotFocus();
    void lostFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString m_hint;
};
