// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/accessibility/bridgewatcher.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

namespace Accessibility {

namespace {

// Mends two ways in which Qt's screen reader bridge leaves a reader or a keyboard user stuck.
class BridgeWatcher final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the two events below may ask whether a reader listens: asking starts the bridge, and the
        // bridge sends events of its own while it starts. Qt tells screen readers only that a widget shown
        // again is "showing"; the bridge has no word for it becoming "visible" again, which a reader needs as
        // well once it has read the widget while it was hidden.
        if (event->type() == QEvent::Show && watched->isWidgetType() && QAccessible::isActive())
            announceVisible(watched);
        // The bridge holds every key press and release back while it asks the screen reader, then posts it
        // again; the chord itself has already acted by then, through the window system's own shortcut
        // check. An Alt that comes back after the rest of its chord (Alt+B, Alt+H) does harm wherever it
        // lands: it arms the menu bar once more, whose release then takes the focus from the window, and on
        // a busy machine it reaches the menu the chord has just opened, which an Alt closes. The real Alt
        // did its part before the chord, so that copy is dropped, press and release. A lone Alt opens the
        // menu bar by its real release; a late copy of its press would arm the menu bar again, and the copy
        // of its release close the menu just opened. The bridge's copies carry no timestamp, unlike the
        // window system's keys and the shortcut checks Qt derives from them, so every such copy is dropped.
        const QEvent::Type type = event->type();
        if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
            QAccessible::isActive()) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            const bool alt = key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
            if (!event->spontaneous())
                return alt && (m_altInChord || key->timestamp() == 0);
            if (type == QEvent::ShortcutOverride)
                m_altInChord = !alt && (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier));
        }
        return false;
    }

private:
    bool m_altInChord = false;
};

} // namespace

void watchBridge()
{
    qApp->installEventFilter(new BridgeWatcher(qApp));
}

} // namespace Accessibility
