// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QDir>
#include <QString>

// A user folder of the XDG base directory rules (Linux and other Unix systems): the variable's value where
// it is an absolute path, as the rules say, else the folder under the home folder. Qt 6.4 takes a relative
// value as it is, which would give each working folder a settings store and a lock of its own.
inline QString xdgUserFolder(const char *variable, const QString &underHome)
{
    const QString folder = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(folder) ? folder : QDir::homePath() + u'/' + underHome;
}
