#pragma once

#include <QString>

// Leading and trailing blanks (code 32) removed; tabs and line ends stay.
QString trimBlanks(const QString &text);
