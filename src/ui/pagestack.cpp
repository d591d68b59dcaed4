#include "ui/pagestack.h"

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

    // Keep the keyboard on the page the user sees instead of letting it fall to an unrelated control.
    if (focusWasBehind) {
        for (QWidget *next = page->nextInFocusChain(); next && next != page; next = next->nextInFocusChain()) {
            if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                next->isVisibleTo(page->window())) {
                next->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

QWidget *PageStack::front() const
{
    return m_front;
}
