#include "ui/form.h"

#include "ui/style.h"
#include "ui/windowregistry.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// Without this a plain QWidget window reaches screen readers as a "filler".
QAccessibleInterface *accessibleForm(const QString &, QObject *object)
{
    auto *form = qobject_cast<Form *>(object);
    return form ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

// Centres the window's frame when it is first shown and, should the window manager frame it differently
// from the guess, once more when the frame is known; then it lets the window be.
class FrameCentring final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && !m_placed) {
            m_placed = true;
            place(window, frameMargins(window));
        } else if (event->type() == QEvent::Move && m_placed) {
            const QMargins actual = frameMargins(window);
            if (!actual.isNull()) {
                if (actual != m_margins)
                    place(window, actual);
                window->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    static QMargins frameMargins(const QWidget *window)
    {
        return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    }

    void place(QWidget *window, QMargins margins)
    {
        const QScreen *screen = window->screen();
        if (!screen)
            return;
        // Before the window is framed, its frame is guessed from another window's.
        for (const QWindow *other : QGuiApplication::topLevelWindows()) {
            if (margins.isNull() && other->isVisible())
                margins = other->frameMargins();
        }
        m_margins = margins;
        QRect frame(QPoint(), window->size().grownBy(margins));
        frame.moveCenter(screen->availableGeometry().center());
        // For a window, move() places the frame.
        window->move(frame.topLeft());
    }

    bool m_placed = false;
    QMargins m_margins;
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
    static const bool accessibleAsFrames = (QAccessible::installFactory(accessibleForm), true);
    Q_UNUSED(accessibleAsFrames);
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
