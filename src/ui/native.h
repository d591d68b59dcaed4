#pragma once

#include "ui/singlebyteset.h"

#include <QString>

class QObject;

// What QtPlatform needs from the operating system beyond Qt: one implementation per system
// (native_unix.cpp, native_win.cpp), chosen when the program is built.
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

enum class FileRead { Absent, Read, Refused };
// Reads a small regular file whole. The checks are made on the opened file, not the path, and opening
// cannot block: a FIFO, a device or a file larger than largest is refused at once instead of hanging or
// filling memory.
FileRead readRegularFile(const QString &path, qint64 largest, QByteArray &bytes);

// The user's config folder: on Linux and other Unix systems $XDG_CONFIG_HOME where it is an absolute path,
// as the XDG base directory rules say, else ~/.config (Qt 6.4 takes a relative one as it is, so that each
// working folder would get a store of its own); on Windows, Qt's own location.
QString configHome();
// The user's cache folder, by the same rules ($XDG_CACHE_HOME, else ~/.cache).
QString cacheHome();

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

// Tells screen readers that a widget shown again is visible as well as showing (Qt says only the latter).
void announceVisible(QObject *object);

// Hardening that must happen before the application object loads any plugin.
void prepareProcess();

// The window platforms to try, in order, for Qt's -platform option; empty where Qt's own choice stands (the
// user set QT_QPA_PLATFORM, or the system has one platform only).
QByteArray preferredPlatforms();

} // namespace Native
