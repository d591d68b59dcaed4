// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QByteArray>
#include <QString>

// The settings file's text, read and edited one line at a time in the INI dialect QSettings writes, so
// that files written by earlier versions read the same. Only the program's own line is ever rewritten:
// comments, other sections and bytes that are no INI at all stay exactly as they were.
namespace IniText {

// The plain text stored under key in section, or a null text when there is none (absent, or a list, byte
// array or serialised value, which this program never writes). The last of repeated entries counts.
QString value(QByteArrayView file, const QString &section, const QString &key);

// The file with key set to value in section: the entry that value() reads is rewritten in place, or a new
// one goes at the end of the section, or a new section at the end of the file.
QByteArray withValue(QByteArrayView file, const QString &section, const QString &key, const QString &value);

} // namespace IniText
