#pragma once

#include <QByteArray>
#include <QString>

// Where the settings file lies and how it is read, as each system allows: one implementation per system
// (settingsfiles_unix.cpp, settingsfiles_win.cpp), chosen when the program is built.
namespace SettingsFiles {

enum class FileRead { Absent, Read, Refused };
// Reads a small regular file whole. The checks are made on the opened file, not the path, and opening
// cannot block: a FIFO, a device or a file larger than largest is refused at once instead of hanging or
// filling memory.
FileRead readRegularFile(const QString &path, qint64 largest, QByteArray &bytes);

// The user's config folder: on Linux and other Unix systems the XDG one ($XDG_CONFIG_HOME or ~/.config); on
// Windows, Qt's own location.
QString configHome();

} // namespace SettingsFiles
