// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/widgets/keys.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

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

namespace {
// A code the box can show as a character (control codes are the box's own keys: Backspace, Enter, Ctrl+V).
bool isCharacter(int keyAscii)
{
    return keyAscii >= ' ' && keyAscii != 127;
}

QString characterOf(int keyAscii)
{
    const char32_t code = char32_t(keyAscii);
    return QString::fromUcs4(&code, 1);
}
} // namespace

KeyPressFilter::KeyPressFilter(QLineEdit *box, Handler handler)
    : QObject(box), m_box(box), m_handler(std::move(handler))
{
    box->installEventFilter(this);
}

bool KeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (m_forwarding)
        return false;
    if (watched == m_box && event->type() == QEvent::KeyPress)
        return keyPress(static_cast<const QKeyEvent &>(*event));
    if (watched == m_box && event->type() == QEvent::InputMethod)
        return inputMethod(event);
    return false;
}

bool KeyPressFilter::keyPress(const QKeyEvent &event)
{
    int keyAscii = keyAsciiOf(event);
    if (keyAscii < 0)
        return event.modifiers().testFlag(Qt::AltModifier) && !event.text().isEmpty();
    const int typed = keyAscii;
    m_handler(keyAscii);
    if (keyAscii == 0)
        return true;
    // The box types a plain key's own text itself, but nothing that comes with Ctrl (Ctrl+Space's blank).
    if (keyAscii == typed && event.text() == characterOf(keyAscii) &&
        !event.modifiers().testFlag(Qt::ControlModifier))
        return false;
    // One key puts in the one character the handler let through, whatever else its event carries.
    if (isCharacter(keyAscii)) {
        m_box->insert(characterOf(keyAscii));
        return true;
    }
    return false;
}

bool KeyPressFilter::inputMethod(QEvent *event)
{
    const auto *commit = static_cast<const QInputMethodEvent *>(event);
    if (commit->commitString().isEmpty())
        return false; // what is being composed is shown, not typed
    QString passed;
    for (const char32_t code : commit->commitString().toUcs4()) {
        int keyAscii = int(code);
        m_handler(keyAscii);
        if (keyAscii == 0)
            break;
        if (isCharacter(keyAscii))
            passed += characterOf(keyAscii);
    }
    if (passed == commit->commitString())
        return false;
    QInputMethodEvent filtered(commit->preeditString(), commit->attributes());
    filtered.setCommitString(passed, commit->replacementStart(), commit->replacementLength());
    const QScopedValueRollback forwarding(m_forwarding, true);
    QCoreApplication::sendEvent(m_box, &filtered);
    return true;
}
