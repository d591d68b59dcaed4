#include "test/scoring.h"

qint16 intMesomorphScore = 0;
qint16 intEndomorphScore = 0;
qint16 intEctomorphScore = 0;

void resetScores()
{
    intMesomorphScore = 0;
    intEndomorphScore = 0;
    intEctomorphScore = 0;
}
