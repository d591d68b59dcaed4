// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QByteArray>

// How the process starts, as each system wants it: one implementation per system (process_unix.cpp,
// process_win.cpp), chosen when the program is built.
namespace Process {

// Hardening that must happen before the application object loads any plugin.
void prepareProcess();

// The window systems (Qt's platform plugins) to try, in order, for Qt's -platform option; empty where Qt's
// own choice stands (the user set QT_QPA_PLATFORM, or the system has one platform only).
QByteArray preferredWindowSystems();

} // namespace Process
