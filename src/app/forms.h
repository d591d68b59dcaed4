#pragma once

class frmMain;
class frmDisplay;
class frmNagScreen2;

// The program's windows, created on first use, one of each at a time. The windows below reach them through
// the Navigation this file installs.
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
