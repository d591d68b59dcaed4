#include "settings/settingsstore.h"

#include <QSettings>

namespace SettingsStore {


QString read(const QString &application, const QString &section, const QString &key)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvena"), application);
    return store.value(section + u'/' + key).toString();
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvena"), application);
    store.setValue(section + u'/' + key, value);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace SettingsStore
