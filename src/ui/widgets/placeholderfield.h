// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/widgets/textbox.h"

#include <QPlainTextEdit>

// The hint rule of the fields below: their hint is their real text (not Qt's placeholderText, which is never
// the text). It stands in the field until the field gets focus, and comes back when the field is left with
// nothing but blanks.
class HintRule
{
public:
    explicit HintRule(QString hint) : m_hint(std::move(hint)) {}
    virtual ~HintRule() = default;

    const QString &hint() const { return m_hint; }
    // Empties the field when it holds nothing but its hint.
    void clearHint();
    // Puts the hint back when the field holds nothing but blanks.
    void restoreHint();

protected:
    virtual QString fieldText() const = 0;
    virtual void setFieldText(const QString &text) = 0;

private:
    QString m_hint;
};

// gotFocus() and lostFocus() report only moves of focus inside the window, as the user sees them: a message
// box or another program taking the window's activation, or a context menu, does not count as leaving.
class PlaceholderField : public TextBox, public HintRule
{
    Q_OBJECT

public:
    explicit PlaceholderField(const QString &hint, QWidget *parent = nullptr);

signals:
    void gotFocus();
    void lostFocus();

protected:
    void takingFocus(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    QString fieldText() const override { return text(); }
    void setFieldText(const QString &text) override { setText(text); }
};

// The multi-line kind. Its text has CR LF line ends, whatever the document holds inside, and it may start
// with a text other than its hint.
class PlaceholderTextField : public QPlainTextEdit, public HintRule
{
    Q_OBJECT

public:
    PlaceholderTextField(const QString &hint, const QString &initialText, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

signals:
    void gotFocus();
    void lostFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    QString fieldText() const override { return text(); }
    void setFieldText(const QString &text) override { setText(text); }
};
