// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/widgets/pagestack.h"

#include <QApplication>

void PageStack::add(QWidget *page)
{
    Q_ASSERT(page);
    m_pages.append(page);
    bringToFront(page);
}

void PageStack::bringToFront(QWidget *page)
{
    Q_ASSERT(m_pages.contains(page));
    QWidget *focus = QApplication::focusWidget();
    const bool focusWasBehind = focus && m_front && m_front != page && m_front->isAncestorOf(focus);

    page->raise();
    page->setVisible(true);
    for (const QPointer<QWidget> &other : std::as_const(m_pages)) {
        if (other && other != page)
            other->setVisible(false);
    }
    m_front = page;

    // Keep the keyboard on the page the user sees instead of letting it fall to an unrelated control: on the
    // page itself where it takes the focus, else on its first control that does.
    if (focusWasBehind) {
        QWidget *next = page;
        while (next && !((next == page || page->isAncestorOf(next)) && (next->focusPolicy() & Qt::TabFocus) &&
                         next->isEnabled() && next->isVisibleTo(page->window()))) {
            next = next->nextInFocusChain();
            if (next == page)
                next = nullptr;
        }
        if (next)
            next->setFocus(Qt::TabFocusReason);
    }
}

QWidget *PageStack::front() const
{
    return m_front;
}
