// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/process.h"

#include <windows.h>

namespace Process {

QByteArray preferredWindowSystems()
{
    return {};
}

void prepareProcess()
{
    // Libraries loaded at run time (Qt's plugins, the system's) come from the program's folder and the
    // system folder only, never from the current folder or PATH.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32 |
                               LOAD_LIBRARY_SEARCH_USER_DIRS);
}

} // namespace Process
