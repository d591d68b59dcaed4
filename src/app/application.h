// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QList>

#include <memory>

// The application object, made on the window system the program prefers (X11, through Xwayland on a Wayland
// desktop, before Wayland itself; a -platform argument or QT_QPA_PLATFORM the user gives still wins), with
// the process prepared first and the program's look. A window system that cannot start ends the process
// with one line on standard error and status 1, instead of Qt's abort. Only ExitApplication ends the
// program, never the last window going away.
std::unique_ptr<QApplication> createApplication(int argc, char *argv[]);

// The arguments the application object gets: the preferred window systems (as -platform) ahead of the
// program's own arguments, so that one the user gives still wins, and a program name where the program was
// started without any argument at all (Qt needs one).
QList<QByteArray> applicationArguments(int argc, char *argv[], const QByteArray &windowSystems);
