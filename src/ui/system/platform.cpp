// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/system/platform.h"

namespace {
Platform *g_platform = nullptr;
}

Platform &Platform::instance()
{
    Q_ASSERT_X(g_platform, "Platform::instance", "no platform installed");
    return *g_platform;
}

void Platform::install(Platform *platform)
{
    g_platform = platform;
}
