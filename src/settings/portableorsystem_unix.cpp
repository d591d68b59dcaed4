// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/portableorsystem.h"

#include "settings/inifile.h"
#include "ui/system/xdg.h"

// The system's own store is an INI file as well: the choice is only which one.

QString PortableOrSystem::systemFile(const QString &application)
{
    if (!IniFile::isPlainName(application))
        return {};
    return xdgUserFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/Orvena/") +
           application + QStringLiteral(".ini");
}

QString PortableOrSystem::read(const QString &application, const QString &section, const QString &key)
{
    const QString portable = portableFileInUse(application);
    return IniFile::read(portable.isEmpty() ? systemFile(application) : portable, section, key);
}

bool PortableOrSystem::write(const QString &application, const QString &section, const QString &key,
                             const QString &value)
{
    const QString portable = portableFileInUse(application);
    return IniFile::write(portable.isEmpty() ? systemFile(application) : portable, section, key, value);
}
