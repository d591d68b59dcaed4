#include "ui/form.h"

#include "ui/windowregistry.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

Form::Form(QSize clientSize, bool withMenuBar)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The window takes exactly the menu bar's height plus the client area and cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (withMenuBar) {
        m_menuBar = new QMenuBar(this);
        layout->setMenuBar(m_menuBar);
    }
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setFixedSize(clientSize);
    layout->addWidget(m_client);
    WindowRegistry::add(this);
}

Form::~Form()
{
    WindowRegistry::remove(this);
}

void Form::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closing = true;
        Form_Unload();
        m_closing = false;
        m_closed = true;
        WindowRegistry::remove(this);
    }
    event->accept();
}

void Form::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}
