#pragma once

#include <QtGlobal>

// The result of the start-up branding draw, 1 to 7.
extern qint16 intCoBrandRandomNumber;

// Runs once at process start, before any window is shown.
void StartApplication();

// Raises one of the main window's two branding labels at random.
void CoBrand_Randomize();

// The branding number for a draw r in [0, 1): 6r + 1 rounded to the nearest whole number, halves to even.
int coBrandNumber(float r);

// Closes every open window in creation order, hidden ones included, and ends the process.
void ExitApplication();
