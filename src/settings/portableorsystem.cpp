// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/portableorsystem.h"

#include "settings/inifile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString besideProgram(const QString &application, const QString &extension)
{
    if (!IniFile::isPlainName(application))
        return {};
    return QCoreApplication::applicationDirPath() + u'/' + application + extension;
}
} // namespace

QString PortableOrSystem::portableFile(const QString &application)
{
    return besideProgram(application, QStringLiteral(".ini"));
}

QString PortableOrSystem::portableMarker(const QString &application)
{
    return besideProgram(application, QStringLiteral(".portable"));
}

QString PortableOrSystem::portableFileInUse(const QString &application)
{
    const QString file = portableFile(application);
    if (file.isEmpty())
        return {};
    return QFileInfo::exists(file) || QFileInfo::exists(portableMarker(application)) ? file : QString();
}
