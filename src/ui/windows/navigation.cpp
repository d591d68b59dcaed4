// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/windows/navigation.h"

#include <QtGlobal>

namespace {
Navigation *g_navigation = nullptr;
}

Navigation &Navigation::instance()
{
    Q_ASSERT_X(g_navigation, "Navigation::instance",
               "no Navigation installed: main() and every test fixture that builds windows make a "
               "ProgramNavigation (app/forms.h)");
    return *g_navigation;
}

void Navigation::install(Navigation *navigation)
{
    g_navigation = navigation;
}
