#pragma once

#include <QtGlobal>

// The result of the start-up branding draw, 1 to 7.
extern qint16 intCoBrandRandomNumber;

// While one lives (around the construction of the application object): a window platform that cannot start
// ends the process with one line on standard error and status 1, instead of Qt's abort; what Qt and the
// display libraries say of the platforms they try on the way stays quiet.
class PlatformStart
{
public:
    PlatformStart();
    ~PlatformStart();
    PlatformStart(const PlatformStart &) = delete;
    PlatformStart &operator=(const PlatformStart &) = delete;
};

// Runs once at process start, before any window is shown.
void StartApplication();

// Raises one of the main window's two branding labels at random.
void CoBrand_Randomize();

// The branding number for a draw r in [0, 1): 6r + 1 rounded to the nearest whole number, halves to even.
int coBrandNumber(float r);

// Closes every open window in creation order, hidden ones included, and ends the process.
void ExitApplication();
