#pragma once

#include <QString>

// The system's own per-user store: the settings file in the user's config folder on Linux (settingsstore.h),
// the registry on Windows. One implementation per system (userstore_unix.cpp, userstore_win.cpp).
namespace UserStore {
QString read(const QString &application, const QString &section, const QString &key);
bool write(const QString &application, const QString &section, const QString &key, const QString &value);
} // namespace UserStore
