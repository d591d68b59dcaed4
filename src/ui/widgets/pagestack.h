// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// Pages that share one rectangle; the one brought to the front is the one that is seen. Pages behind it are
// also taken out of the focus chain and of the input and accessibility trees, so that Tab, a click or a
// screen reader can never reach a control the user cannot see.
class PageStack
{
public:
    // Pages added later lie above earlier ones until another is brought to the front.
    void add(QWidget *page);
    void bringToFront(QWidget *page);
    QWidget *front() const;
    const QList<QPointer<QWidget>> &pages() const { return m_pages; }

private:
    QList<QPointer<QWidget>> m_pages;
    QPointer<QWidget> m_front;
};
