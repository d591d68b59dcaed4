// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

namespace modHelp {
// Once per start, before the main window: offers the download page when the day last stored lies more than
// 14 days away from today, in either direction. Reports nothing; start-up goes on whatever happens.
void UpdateReminder();
} // namespace modHelp
