// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/process.h"

#include <QtGlobal>

namespace Process {

void prepareProcess() {}

QByteArray preferredWindowSystems()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    // Windows are centred, held at their size and kept above others only by a window manager that does
    // what it is asked: X11's, through Xwayland on a Wayland desktop. Wayland where there is no X display.
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        return "xcb;wayland";
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return "wayland;xcb";
    return {};
}

} // namespace Process
