// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/windows/navigation.h"

class frmMain;
class frmDisplay;
class frmNagScreen2;

// What the windows of the layers below ask of the program, answered by the windows below. It installs itself
// for its lifetime: main() makes one for the program, each test fixture that builds windows one of its own.
class ProgramNavigation final : public Navigation
{
public:
    ProgramNavigation();
    ~ProgramNavigation() override;
    ProgramNavigation(const ProgramNavigation &) = delete;
    ProgramNavigation &operator=(const ProgramNavigation &) = delete;

    QWidget &mainWindow() override;
    void showExitScreen() override;
    void hideExitScreen() override;
    void keepExitScreenOffScreen(bool on) override;
    void exitApplication() override;
};

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
} // namespace Forms
