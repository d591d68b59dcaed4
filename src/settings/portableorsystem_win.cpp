// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/portableorsystem.h"

#include "settings/inifile.h"
#include "settings/registrystore.h"

QString PortableOrSystem::read(const QString &application, const QString &section, const QString &key)
{
    const QString portable = portableFileInUse(application);
    return portable.isEmpty() ? RegistryStore::read(application, section, key)
                              : IniFile::read(portable, section, key);
}

bool PortableOrSystem::write(const QString &application, const QString &section, const QString &key,
                             const QString &value)
{
    // A portable file that cannot be written fails the write like any store; the registry stays untouched.
    const QString portable = portableFileInUse(application);
    return portable.isEmpty() ? RegistryStore::write(application, section, key, value)
                              : IniFile::write(portable, section, key, value);
}
