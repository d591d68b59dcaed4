// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/singlebyteset.h"

#include <QString>

// What QtPlatform needs from the operating system beyond Qt, the one-instance lock, the ANSI code page and a
// standard error kept quiet: one implementation per system (native_unix.cpp, native_win.cpp), chosen when the
// program is built.
namespace Native {

// The one-instance lock, held from a successful acquire() until the object goes away. Kernel-held, so it
// dies with its process, whatever is left on disk.
class InstanceGuard
{
public:
    enum class Result { Held, HeldByAnother, Unavailable };

    InstanceGuard() = default;
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    Result acquire(const QString &application);

private:
    void release();

    QByteArray m_path;
    qintptr m_handle = -1;
};

// The ANSI character set of the system.
const SingleByteSet &ansiSet();

// While one lives, nothing this process or a program it starts writes to standard error reaches it.
class QuietStandardError
{
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError &) = delete;
    QuietStandardError &operator=(const QuietStandardError &) = delete;

private:
    int m_saved = -1;
};

} // namespace Native
