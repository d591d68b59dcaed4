// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QAccessible>
#include <QList>

class QLabel;
class QWidget;

// What screen readers are told beyond what Qt derives from the widgets themselves. Only windows are frames
// to them: inside a window, frames are groupings, so a reader takes the whole window for the window.
namespace Accessibility {

// Installs the program's accessible interfaces; idempotent. Every window calls it.
void install();

// Qt makes a widget's accessible interface once, the first time the widget reports a change (of its text,
// title, accessible name or description, often in its constructor). The two calls below take effect only
// when made before that.

// The widget reports this role instead of its class's own.
void setRole(QWidget *widget, QAccessible::Role role);

// The widget is named by the label's text (unless it has a name of its own), and screen readers learn the
// label as its label, so they speak it with whatever the user reaches inside the widget.
void labelBy(QWidget *widget, QLabel *label);

// While one lives, nothing the program changes reaches screen readers: for a text box taking the focus,
// whose selection and text move before its focus is announced. A reader that hears of a change to an
// unfocused box first quietly takes it for the focus, and then never announces the box.
class Quiet
{
public:
    Quiet();
    ~Quiet();
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    QAccessible::UpdateHandler m_previous = nullptr;
};

} // namespace Accessibility
