#pragma once

#include <QString>

// The INI store: on Linux the system's own per-user store, one file per application name,
// <user config folder>/Orvena/<application>.ini ($XDG_CONFIG_HOME or ~/.config); on every system the file of
// a portable copy (programsettings.h). Nothing here ever blocks or fails loudly: a file that cannot be ours
// reads as empty and refuses writes, and what others put into the file stays as it is.
namespace SettingsStore {

// A name every store takes as one name: not empty, and without a path separator that could lead elsewhere.
bool isPlainName(const QString &name);

// Empty when there is no user config folder or the name cannot be a file name of ours.
QString filePath(const QString &application);

// The stored text, or the empty text when the entry is absent, unreadable or not a plain text.
QString read(const QString &application, const QString &section, const QString &key);

// True only when the entry has reached the disk.
bool write(const QString &application, const QString &section, const QString &key, const QString &value);

// The same for the settings file at path.
QString readFile(const QString &path, const QString &section, const QString &key);
bool writeFile(const QString &path, const QString &section, const QString &key, const QString &value);

// The file is UTF-8 text, as the store writes it. One in UTF-16 or UTF-32 (by its byte-order mark, or the
// zero bytes such text is full of without one) or with binary data in it is somebody else's: it reads as
// empty and is never rewritten.
bool isOurText(QByteArrayView bytes);

// Larger files are never opened: ours holds two short lines.
constexpr qint64 LargestFile = 64 * 1024;

} // namespace SettingsStore
