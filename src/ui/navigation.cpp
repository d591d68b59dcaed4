#include "ui/navigation.h"

#include <QtGlobal>

namespace {
Navigation *g_navigation = nullptr;
}

Navigation &Navigation::instance()
{
    Q_ASSERT_X(g_navigation, "Navigation::instance", "no navigation installed");
    return *g_navigation;
}

void Navigation::install(Navigation *navigation)
{
    g_navigation = navigation;
}
