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
        // The bridge holds every key back while it asks the screen reader, then posts it again. An Alt that
        // comes back after the rest of its chord (Alt+B) would arm the menu bar once more, and its release
        // would then put the menu bar into keyboard mode and take the focus from the window. The real Alt
        // armed the menu bar before the chord, so that copy is dropped; a lone Alt still opens the menu bar.
        if (event->type() == QEvent::ShortcutOverride && QAccessible::isActive()) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            const bool alt = key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
            if (event->spontaneous())
                m_altInChord = !alt && (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier));
            else
                return alt && m_altInChord;
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
