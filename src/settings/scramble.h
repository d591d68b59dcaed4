#pragma once

#include <QString>

// The fixed shift that keeps stored key names and values out of plain sight. Each character is taken by
// its ISO 8859-1 code (0-255); one outside that set counts as '?'. The shift wraps around within 0-255,
// so UnscrambleText(ScrambleText(t)) == t for every text of that set, of any length.
namespace modHelp {
QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);
} // namespace modHelp
