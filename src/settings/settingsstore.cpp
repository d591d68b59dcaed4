#include "settings/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace SettingsStore {

namespace {
// QSettings takes '/' and '\' as group separators, so such a name would address some other entry.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

// QSettings reads the whole file as soon as it is constructed: a FIFO there would hang start-up and a
// device or huge file would be read into memory. Only a small regular file, or none yet, is opened.
bool isSafeToOpen(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    return info.isFile() && info.size() <= LargestFile;
}

QString entryKey(const QString &section, const QString &key)
{
    return section + u'/' + key;
}
} // namespace

QString filePath(const QString &application)
{
    if (!isPlainName(application))
        return {};
#ifdef Q_OS_WIN
    // The roaming folder, where QSettings keeps user-scope INI files on Windows.
    const QString folder = qEnvironmentVariable("APPDATA");
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/Orvena/") + application + QStringLiteral(".ini");
}

QString read(const QString &application, const QString &section, const QString &key)
{
    const QString path = filePath(application);
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) || !isSafeToOpen(path))
        return {};
    const QSettings store(path, QSettings::IniFormat);
    const QVariant value = store.value(entryKey(section, key));
    // A list, byte array or serialised value was not written by this program.
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    const QString path = filePath(application);
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) || !isSafeToOpen(path))
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings store(path, QSettings::IniFormat);
    store.setValue(entryKey(section, key), value);
    store.sync();
    // A damaged file leaves FormatError standing even after it has been rewritten cleanly, so only an
    // AccessError means the entry did not get there.
    return store.status() != QSettings::AccessError;
}

} // namespace SettingsStore
