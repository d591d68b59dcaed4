#include "settings/userstore.h"

#include "settings/settingsstore.h"

#include <QSettings>

namespace UserStore {

using SettingsStore::isPlainName;

namespace {
// Where Windows keeps the settings of programs that use the per-user settings calls of the platform, so a
// person who ran an earlier Windows version keeps their reminder state.
QString registryPath(const QString &application)
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application;
}
} // namespace

QString read(const QString &application, const QString &section, const QString &key)
{
    if (!isPlainName(application) || !isPlainName(section) || !isPlainName(key))
        return {};
    const QSettings store(registryPath(application), QSettings::NativeFormat);
    const QVariant value = store.value(section + u'/' + key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    if (!isPlainName(application) || !isPlainName(section) || !isPlainName(key))
        return false;
    QSettings store(registryPath(application), QSettings::NativeFormat);
    store.setValue(section + u'/' + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace UserStore
