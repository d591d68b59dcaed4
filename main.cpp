// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/application.h"
#include "app/forms.h"
#include "app/startup.h"
#include "settings/portableorsystem.h"
#include "ui/system/qtplatform.h"

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> app = createApplication(argc, argv);
    PortableOrSystem settings;
    QtPlatform platform(settings);
    Platform::install(&platform);
    ProgramNavigation navigation;
    StartApplication();
    return app->exec();
}
