#include "settings/programsettings.h"

#include "settings/settingsstore.h"
#include "settings/userstore.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ProgramSettings::portableFile(const QString &application)
{
    if (!SettingsStore::isPlainName(application))
        return {};
    return QCoreApplication::applicationDirPath() + u'/' + application + QStringLiteral(".ini");
}

QString ProgramSettings::read(const QString &application, const QString &section, const QString &key)
{
    const QString portable = portableFile(application);
    if (!portable.isEmpty() && QFileInfo::exists(portable))
        return SettingsStore::readFile(portable, section, key);
    return UserStore::read(application, section, key);
}

bool ProgramSettings::write(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    // A portable file that cannot be written fails the write like any store; the registry stays untouched.
    const QString portable = portableFile(application);
    if (!portable.isEmpty() && QFileInfo::exists(portable))
        return SettingsStore::writeFile(portable, section, key, value);
    return UserStore::write(application, section, key, value);
}
