// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/windows/messages.h"

void showInformation(const QString &text)
{
    platform().showMessage({text, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
}

void showCritical(const QString &text)
{
    platform().showMessage({text, MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok});
}

MessageAnswer askYesNo(const QString &text, MessageIcon icon, MessageAnswer defaultAnswer)
{
    return platform().showMessage({text, icon, MessageButtons::YesNo, defaultAnswer});
}
