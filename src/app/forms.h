#pragma once

class frmMain;
class frmDisplay;
class frmNagScreen2;

// The program's windows, created on first use, one of each at a time.
namespace Forms {
frmMain &mainWindow();
frmMain *existingMainWindow();

// A closed test window counts as gone, so every test starts on a new one.
frmDisplay &testWindow();
frmDisplay *existingTestWindow();

// Created and loaded the first time anything shows or hides it.
frmNagScreen2 &exitScreen();
frmNagScreen2 *existingExitScreen();
void showExitScreen();
void hideExitScreen();

// While one lives, showing the exit screen does not put it on the screen: for a handler that shows and
// hides it again at once, so that the window manager never hands it the keyboard on the way.
class ExitScreenOffScreen
{
public:
    ExitScreenOffScreen();
    ~ExitScreenOffScreen();
    ExitScreenOffScreen(const ExitScreenOffScreen &) = delete;
    ExitScreenOffScreen &operator=(const ExitScreenOffScreen &) = delete;
};
} // namespace Forms
