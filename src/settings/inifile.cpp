// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/inifile.h"

#include "settings/initext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace IniFile {

// A name holding '/' or '\' would address some other entry of the file, or another file.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

bool isOurText(QByteArrayView bytes)
{
    return !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") && !bytes.contains('\0');
}

namespace {

// Absent reads as empty; what cannot be ours is refused.
FileRead readOurs(const QString &path, QByteArray &bytes)
{
    const FileRead read = readRegularFile(path, LargestFile, bytes);
    return read == FileRead::Read && !isOurText(bytes) ? FileRead::Refused : read;
}
} // namespace

QString read(const QString &path, const QString &section, const QString &key)
{
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        readOurs(path, bytes) != FileRead::Read)
        return {};
    return IniText::value(bytes, section, key);
}

bool write(const QString &path, const QString &section, const QString &key, const QString &value)
{
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        readOurs(path, bytes) == FileRead::Refused)
        return false;
    const QByteArray written = IniText::withValue(bytes, section, key, value);
    // A file the next start would refuse to read loses every setting in it: better not to write at all.
    if (written.size() > LargestFile)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // Written beside the file and renamed over it only once every byte has reached the disk, so that a
    // failure (a full disk) leaves the old file whole; Qt 6.4's commit() does not report a failed flush, so
    // the write and the flush are checked here. No lock file: only one instance runs, and a lock left by
    // someone else must never hold start-up up.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(written) != written.size() || !file.flush()) {
        file.cancelWriting(); // the temporary file goes with the object
        return false;
    }
    return file.commit();
}

} // namespace IniFile
