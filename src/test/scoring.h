#pragma once

#include <QtGlobal>

// The running scores of one test, one per body type; the main window sets them to 0 when a test starts.
extern qint16 intMesomorphScore;
extern qint16 intEndomorphScore;
extern qint16 intEctomorphScore;

void resetScores();
