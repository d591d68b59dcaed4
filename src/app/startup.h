// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

// Runs once at process start, before any window is shown: refuses a second instance, seeds the random
// source, runs the update reminder, shows the main window and draws its branding.
void StartApplication();
