// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/widgets/titlebar.h"

#include "ui/widgets/controls.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
}

TitleBar::TitleBar(QWidget *window) : QWidget(window)
{
    named(this, QStringLiteral("titleBar"));
    // Frameless alone: Qt puts the frame back for any hint about the title bar's buttons.
    const Qt::WindowFlags kept = window->windowFlags() & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
    window->setWindowFlags(kept | Qt::FramelessWindowHint);
    setFixedHeight(Height);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(46, 52, 54));
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    colours.setColor(QPalette::Button, QColor(46, 52, 54));
    setPalette(colours);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(Height, 0, 2, 0);
    m_caption = new QLabel(window->windowTitle(), this);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    row->addWidget(m_caption, 1);

    auto *close = named(new QToolButton(this), QStringLiteral("titleBarClose"), QStringLiteral("Close"));
    close->setText(QStringLiteral("\u2715"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setFixedSize(Height - 2, Height - 2);
    row->addWidget(close);
    connect(close, &QToolButton::clicked, window, &QWidget::close);
    window->installEventFilter(this);
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        (void)window()->windowHandle()->startSystemMove(); // the desktop may refuse; the window stays
    event->accept();
}

bool TitleBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && event->type() == QEvent::WindowTitleChange)
        m_caption->setText(window()->windowTitle());
    return false;
}

namespace {
// Keeps a bar over the top of a window that has no layout placing it, and lifts the window's fixed size
// again whenever a showing fixes it (message boxes do), so the window can follow any size it is given.
class Framing final : public QObject
{
public:
    Framing(QWidget *window, TitleBar *bar) : QObject(window), m_window(window), m_bar(bar)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            m_bar->setGeometry(0, 0, m_window->width(), TitleBar::Height);
        else if (event->type() == QEvent::Show)
            QTimer::singleShot(0, m_window, [window = m_window] {
                window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            });
        return false;
    }

private:
    QWidget *m_window;
    TitleBar *m_bar;
};
} // namespace

void frameForWayland(QWidget *window)
{
    if (!onWayland())
        return;
    const QList<QWidget *> contents = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    auto *bar = new TitleBar(window);
    if (QLayout *layout = window->layout()) {
        // A layout (its menu bar included) keeps to the window's contents rectangle.
        QMargins margins = window->contentsMargins();
        margins.setTop(margins.top() + TitleBar::Height);
        window->setContentsMargins(margins);
        if (layout->sizeConstraint() == QLayout::SetFixedSize)
            layout->setSizeConstraint(QLayout::SetMinimumSize);
    } else {
        for (QWidget *child : contents)
            child->move(child->x(), child->y() + TitleBar::Height);
        const QSize size = window->size() + QSize(0, TitleBar::Height);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->setMinimumSize(size);
        window->resize(size);
    }
    new Framing(window, bar);
}
