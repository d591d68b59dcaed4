#pragma once

class QKeyEvent;

// The key rule of the first-name box: letters only, in capitals.

// The character code a key press types, as the name box sees it, or -1 for a key that types nothing
// (arrows, Delete, Tab, function keys, shortcuts with Alt).
int keyAsciiOf(const QKeyEvent &event);

// The code the box receives for a typed code: capitals for letters, Backspace, Enter and space unchanged,
// and 0 for every other code, which the box refuses.
int filterNameKey(int keyAscii);
