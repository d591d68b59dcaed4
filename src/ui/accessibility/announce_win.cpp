// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/accessibility/bridgewatcher.h"

namespace Accessibility {

// Windows' readers ask a shown window afresh; nothing is left to say.
void announceVisible(QObject *) {}

} // namespace Accessibility
