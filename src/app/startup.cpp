// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/startup.h"

#include "app/branding.h"
#include "app/exitapplication.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/outsidedestruction.h"
#include "settings/updatereminder.h"
#include "ui/look/appearance.h"
#include "ui/system/platform.h"
#include "ui/windows/messages.h"

void StartApplication()
{
    if (!platform().acquireInstanceGuard(platform().applicationName())) {
        showInformation(QStringLiteral("Application is already running"));
        ExitApplication();
        return;
    }
    platform().reseedRandom();
    endWhenDestroyedFromOutside();
    modHelp::UpdateReminder();
    frmMain &main = Forms::mainWindow();
    useProgramIconAfterFirstPaint(&main);
    main.show();
    CoBrand_Randomize();
}
