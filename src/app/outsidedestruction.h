// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

// On X11, from now on: a window of ours that the X server destroyed at someone else's request (a session
// tool, a crashed window manager, xdotool windowclose) leaves nothing to close. Without the main window, or
// without any window at all, the program would live on unseen and keep every later start out; so it ends,
// as closing would. Another window lost that way is closed as if by its close box.
void endWhenDestroyedFromOutside();
