#pragma once

namespace modHelp {
// Once per start: offers the download page when the last reminder lies more than 14 days away.
void UpdateReminder();
} // namespace modHelp
