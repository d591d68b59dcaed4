#include "settings/programsettings.h"

#include "settings/settingsstore.h"
#include "settings/userstore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString besideProgram(const QString &application, const QString &extension)
{
    if (!SettingsStore::isPlainName(application))
        return {};
    return QCoreApplication::applicationDirPath() + u'/' + application + extension;
}

// The portable file to use, or the empty text where the copy is not portable.
QString portableStore(const QString &application)
{
    const QString file = ProgramSettings::portableFile(application);
    if (file.isEmpty())
        return {};
    return QFileInfo::exists(file) || QFileInfo::exists(ProgramSettings::portableMarker(application))
               ? file
               : QString();
}

} // namespace

QString ProgramSettings::portableFile(const QString &application)
{
    return besideProgram(application, QStringLiteral(".ini"));
}

QString ProgramSettings::portableMarker(const QString &application)
{
    return besideProgram(application, QStringLiteral(".portable"));
}

QString ProgramSettings::read(const QString &application, const QString &section, const QString &key)
{
    const QString portable = portableStore(application);
    if (!portable.isEmpty())
        return SettingsStore::readFile(portable, section, key);
    return UserStore::read(application, section, key);
}

bool ProgramSettings::write(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    // A portable file that cannot be written fails the write like any store; the registry stays untouched.
    const QString portable = portableStore(application);
    if (!portable.isEmpty())
        return SettingsStore::writeFile(portable, section, key, value);
    return UserStore::write(application, section, key, value);
}
