// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/inifile.h"

#include <QFile>
#include <QFileInfo>

namespace IniFile {

FileRead readRegularFile(const QString &path, qint64 largest, QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileRead::Absent;
    QFile file(path);
    if (!info.isFile() || info.size() > largest || !file.open(QIODevice::ReadOnly))
        return FileRead::Refused;
    bytes = file.read(largest + 1);
    return bytes.size() <= largest ? FileRead::Read : FileRead::Refused;
}

} // namespace IniFile
