#include "ui/form.h"

#include "ui/accessibility.h"
#include "ui/style.h"
#include "ui/windowregistry.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// Centres the window's frame on its screen when it is first shown. A window is framed only once it is
// shown, so where its own frame is not known yet (X11) the frame of the program's last framed window
// stands in; only the very first window has no such guide and is centred by its client area.
class FrameCentring final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            const QMargins margins = frameMargins(window);
            QRect frame(QPoint(), window->size().grownBy(margins.isNull() ? s_lastMargins : margins));
            if (const QScreen *screen = window->screen())
                frame.moveCenter(screen->availableGeometry().center());
            // Before the window is shown, move() places its frame.
            window->move(frame.topLeft());
        } else if (m_shown && event->type() == QEvent::Paint && !frameMargins(window).isNull()) {
            s_lastMargins = frameMargins(window);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    static QMargins frameMargins(const QWidget *window)
    {
        return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    }

    static inline QMargins s_lastMargins;
    bool m_shown = false;
};
} // namespace

void centreOnScreen(QWidget *window)
{
    window->installEventFilter(new FrameCentring(window));
}

Form::Form(QSize clientSize, bool withMenuBar, const QColor &background)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    Accessibility::install();
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
    useLayoutLook(m_client, background);
    layout->addWidget(m_client);
    centreOnScreen(this);
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
