#include "ui/widgets/keys.h"

#include <QKeyEvent>

int keyAsciiOf(const QKeyEvent &event)
{
    // Shift+Insert and the Paste key type nothing, they paste; only Ctrl+V types a code (22), below.
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    switch (key) {
    case Qt::Key_Backspace:
        // Ctrl+Backspace types DEL (127) on Windows instead of deleting.
        return control && !alt ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Ctrl+Enter types a line feed (10) on Windows, which no box takes as Enter.
        return control && !alt ? 10 : 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        // Ctrl+Space types a blank there, as Space does.
        if (control && !alt)
            return ' ';
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: // X11 reports it as the character 127, yet it only deletes
        return -1;
    default:
        break;
    }
    // Ctrl with a letter types the control code of that letter (Ctrl+V is 22), whatever the layout shows.
    if (control && !alt && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (alt && !control)
        return -1;
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}
