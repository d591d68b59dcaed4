#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// Verdana where it is installed, otherwise a close substitute of the same width.
QFont verdana(qreal pointSize, bool bold = false, bool underline = false);

namespace Colors {
inline const QColor LightBlue{192, 192, 255};
inline const QColor Grey{128, 128, 128};
inline const QColor Silver{192, 192, 192};
inline const QColor Navy{0, 0, 128};
inline const QColor DarkBlue{0, 0, 192};
inline const QColor Yellow{255, 255, 0};
} // namespace Colors

void setBackground(QWidget *widget, const QColor &color);

class QLabel;
// Tightens the letter spacing of a one-line label just enough for its text to fit its fixed width, for
// machines whose substitute font runs a little wider than the one the layout was drawn with.
void fitOneLine(QLabel *label);
void setForeground(QWidget *widget, const QColor &color);
