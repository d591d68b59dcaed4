#include "settings/userstore.h"

#include "settings/settingsstore.h"

namespace UserStore {

QString read(const QString &application, const QString &section, const QString &key)
{
    return SettingsStore::read(application, section, key);
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    return SettingsStore::write(application, section, key, value);
}

} // namespace UserStore
