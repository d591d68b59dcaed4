#include "settings/settingsstore.h"

#include "settings/initext.h"
#include "ui/native.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace SettingsStore {

// A name holding '/' or '\' would address some other entry of the file, or another file.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

QString filePath(const QString &application)
{
    if (!isPlainName(application))
        return {};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/Orvena/") + application + QStringLiteral(".ini");
}

QString readFile(const QString &path, const QString &section, const QString &key)
{
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        Native::readRegularFile(path, LargestFile, bytes) != Native::FileRead::Read)
        return {};
    return IniText::value(bytes, section, key);
}

bool writeFile(const QString &path, const QString &section, const QString &key, const QString &value)
{
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        Native::readRegularFile(path, LargestFile, bytes) == Native::FileRead::Refused)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // Written beside the file and renamed over it, so that a failure leaves the old file whole. No lock
    // file: only one instance runs, and a lock left by someone else must never hold start-up up.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(IniText::withValue(bytes, section, key, value));
    return file.commit();
}

QString read(const QString &application, const QString &section, const QString &key)
{
    return readFile(filePath(application), section, key);
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    return writeFile(filePath(application), section, key, value);
}

} // namespace SettingsStore
