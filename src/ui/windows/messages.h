// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/platform.h"

// The program's message boxes, all captioned with the application title.
void showInformation(const QString &text);
void showCritical(const QString &text);
MessageAnswer askYesNo(const QString &text, MessageIcon icon, MessageAnswer defaultAnswer);
