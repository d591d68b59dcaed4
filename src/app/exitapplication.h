// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

// Closes every open window in creation order, hidden ones included, and ends the process.
void ExitApplication();

// True while ExitApplication closes the windows: whatever a close handling shows then never reaches the user.
bool applicationEnding();
