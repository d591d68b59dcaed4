// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/windows/form.h"

#include "ui/accessibility/accessibility.h"
#include "ui/look/appearance.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/titlebar.h"
#include "ui/windows/windowregistry.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// Where a frame of this size goes in a work area: centred where it fits, else at the area's left or top edge,
// so that the title bar and the menus can always be reached.
QPoint placement(const QRect &area, const QSize &frame)
{
    const int x = frame.width() <= area.width() ? area.x() + (area.width() - frame.width()) / 2 : area.x();
    const int y =
        frame.height() <= area.height() ? area.y() + (area.height() - frame.height()) / 2 : area.y();
    return {x, y};
}

// Places the window's frame in its screen's work area when the window is first shown. A window is framed
// only once it is shown, so where its own frame is not known yet (X11) the frame of the program's last
// framed window stands in; once the window's own frame is known, a guess that was off (always the very
// first window's) is put right. The window manager tells the frame without an event of its own: it is looked
// for after the showing, every 20 ms, and for as long as a busy machine takes to put the window on screen.
class FramePlacement final : public QObject
{
public:
    explicit FramePlacement(QWidget *window) : QObject(window), m_window(window)
    {
        m_look.setInterval(20);
        connect(&m_look, &QTimer::timeout, this, &FramePlacement::lookForFrame);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !m_look.isActive() && m_looks == 0) {
            const QMargins margins = frameMargins();
            place(margins.isNull() ? s_lastMargins : margins);
            // Only an X11 window manager tells the frame after the showing (Windows knows it before; a
            // window on Wayland or offscreen has no place of its own to put right).
            if (QGuiApplication::platformName() == QLatin1StringView("xcb")) {
                m_look.start();
            } else {
                m_window->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    // Until the frame has stood where it belongs for a few looks once the window is on screen, or for two
    // seconds of looks on screen: the window manager may place the window again as it maps it, and until
    // then Qt reports the position it asked for, not the one it got. The frame is the window's own frame
    // margins around its position, both as the window system reports them now; the widget's frame geometry
    // may still hold no margins at all, and a window put right by it would end up with its title bar off the
    // work area.
    void lookForFrame()
    {
        QWindow *window = m_window->windowHandle();
        const QMargins margins = frameMargins();
        bool placed = false;
        if (window && window->isExposed() && !margins.isNull()) {
            s_lastMargins = margins;
            const QPoint frame = window->framePosition();
            const bool there = frame == target(margins);
            m_lookedThere = there ? m_lookedThere + 1 : 0;
            placed = m_lookedThere >= 5;
            // Moved by the distance it is off: window managers read a requested position differently.
            if (!there && m_looksOnScreen % 10 == 0)
                window->setPosition(window->position() + target(margins) - frame);
            ++m_looksOnScreen;
        }
        // A window that never comes on screen (a hidden one, a minimised one) is left after ten seconds.
        if (placed || m_looksOnScreen >= 100 || ++m_looks >= 500) {
            m_look.stop();
            m_window->removeEventFilter(this);
            deleteLater();
        }
    }

    QMargins frameMargins() const
    {
        return m_window->windowHandle() ? m_window->windowHandle()->frameMargins() : QMargins();
    }

    QPoint target(const QMargins &margins) const
    {
        const QScreen *screen = m_window->screen();
        return screen ? placement(screen->availableGeometry(), m_window->size().grownBy(margins))
                      : m_window->pos();
    }

    // Before the window is shown, move() places its frame.
    void place(const QMargins &margins) { m_window->move(target(margins)); }

    static inline QMargins s_lastMargins;
    QWidget *m_window;
    QTimer m_look;
    int m_looks = 0;
    int m_looksOnScreen = 0;
    int m_lookedThere = 0;
};
} // namespace

void centreOnScreen(QWidget *window)
{
    window->installEventFilter(new FramePlacement(window));
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
    m_client = named(new QWidget(this), QStringLiteral("clientArea"));
    m_client->setFixedSize(clientSize);
    useLayoutLook(m_client, background);
    layout->addWidget(m_client);
    frameForWayland(this);
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
