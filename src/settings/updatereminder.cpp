#include "settings/updatereminder.h"

namespace modHelp {

void UpdateReminder()
{
}

} // namespace modHelp
