// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QByteArray>
#include <QString>

// One settings file in the INI dialect QSettings writes: the system's own store on Linux (in the user's
// config folder), and on every system the file of a portable copy (portableorsystem.h). Nothing here ever
// blocks or fails loudly: a file that cannot be ours reads as empty and refuses writes, and what others put
// into the file stays as it is (initext.h).
namespace IniFile {

// A name every store takes as one name: not empty, and without a path separator that could lead elsewhere.
bool isPlainName(const QString &name);

// The stored text, or the empty text when the entry is absent, unreadable or not a plain text.
QString read(const QString &path, const QString &section, const QString &key);

// True only when the entry has reached the disk. A write reaches the file only whole: the new file goes
// beside the old one and is renamed over it once every byte is on the disk.
bool write(const QString &path, const QString &section, const QString &key, const QString &value);

// The file is UTF-8 text, as the store writes it. One in UTF-16 or UTF-32 (by its byte-order mark, or the
// zero bytes such text is full of without one) or with binary data in it is somebody else's: it reads as
// empty and is never rewritten.
bool isOurText(QByteArrayView bytes);

// Larger files are never opened: ours holds two short lines.
constexpr qint64 LargestFile = 64 * 1024;

// How a settings file is read, as each system allows (inifile_unix.cpp, inifile_win.cpp). The checks are
// made on the opened file, not the path, and opening cannot block: a FIFO, a device or a file larger than
// largest is refused at once instead of hanging or filling memory.
enum class FileRead { Absent, Read, Refused };
FileRead readRegularFile(const QString &path, qint64 largest, QByteArray &bytes);

} // namespace IniFile
