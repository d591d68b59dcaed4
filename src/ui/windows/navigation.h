// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

class QWidget;

// What a window asks of the program that owns every window: the layers below app/ know none of the other
// windows. app/'s ProgramNavigation installs itself (in main(), and in the test fixtures) before any window
// is built, as the Platform is installed.
class Navigation
{
public:
    virtual ~Navigation() = default;

    // The main window, created if none is open; shown or not as it was.
    virtual QWidget &mainWindow() = 0;
    // The exit screen, created and loaded the first time either is asked.
    virtual void showExitScreen() = 0;
    virtual void hideExitScreen() = 0;
    // While on, showing the exit screen does not put it on the screen: for a handler that shows and hides
    // it again at once, so that the window manager never hands it the keyboard on the way.
    virtual void keepExitScreenOffScreen(bool on) = 0;
    // Closes every open window in creation order and ends the process.
    virtual void exitApplication() = 0;

    static Navigation &instance();
    static void install(Navigation *navigation);
};

inline Navigation &navigation()
{
    return Navigation::instance();
}

// Keeps the exit screen off the screen for its lifetime.
class ExitScreenOffScreen
{
public:
    ExitScreenOffScreen() { navigation().keepExitScreenOffScreen(true); }
    ~ExitScreenOffScreen() { navigation().keepExitScreenOffScreen(false); }
    ExitScreenOffScreen(const ExitScreenOffScreen &) = delete;
    ExitScreenOffScreen &operator=(const ExitScreenOffScreen &) = delete;
};
