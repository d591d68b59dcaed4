#pragma once

#include <QString>

// The per-user INI store behind the platform seam: one file per application name.
namespace SettingsStore {
QString read(const QString &application, const QString &section, const QString &key);
bool write(const QString &application, const QString &section, const QString &key, const QString &value);
} // namespace SettingsStore
