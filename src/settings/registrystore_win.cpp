// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/registrystore.h"

#include "settings/inifile.h"

#include <QSettings>

namespace RegistryStore {

using IniFile::isPlainName;

namespace {
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

} // namespace RegistryStore
