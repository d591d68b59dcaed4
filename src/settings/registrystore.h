// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QString>

// Windows' own per-user store for the program: the registry key where the platform's per-user settings calls
// keep such entries, so a person who ran an earlier Windows version keeps their reminder state.
namespace RegistryStore {
QString read(const QString &application, const QString &section, const QString &key);
bool write(const QString &application, const QString &section, const QString &key, const QString &value);
} // namespace RegistryStore
