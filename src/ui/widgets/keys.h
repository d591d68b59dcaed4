#pragma once

class QKeyEvent;

// The character code a key press types, as a text box's key handler sees it on Windows, or -1 for a key
// that types nothing (arrows, Delete, Tab, function keys, shortcuts with Alt, Shift+Insert and the Paste key,
// which paste).
int keyAsciiOf(const QKeyEvent &event);
