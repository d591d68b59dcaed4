// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/system/native.h"
#include "ui/system/xdg.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Native {

namespace {
constexpr int Attempts = 8;

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Serialises the repair of the lock's path among starting instances, for a bounded time. Only a repair
// removes anything, so no instance can remove a lock file another has just created.
class FolderLock
{
public:
    explicit FolderLock(const QByteArray &folder)
        : m_fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        for (int wait = 0; m_fd >= 0 && wait < 50; ++wait) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                m_held = true;
                return;
            }
            QThread::msleep(10);
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool held() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

// Clears the lock's path of whatever is not a lock file of ours: a symlink, FIFO, socket, directory, or a
// file of another user's. A file of ours that has lost its permissions gets them back instead; it may still
// be held, so it is never removed.
bool repair(const QByteArray &path)
{
    struct stat status = {};
    if (::lstat(path.constData(), &status) != 0)
        return errno == ENOENT;
    if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
        return ::chmod(path.constData(), S_IRUSR | S_IWUSR) == 0;
    if (S_ISDIR(status.st_mode)) {
        if (::rmdir(path.constData()) == 0)
            return true;
        // Not ours to empty: moved aside, under a name no start looks for.
        const QByteArray aside = path + ".broken-" + QByteArray::number(::getpid());
        return ::rename(path.constData(), aside.constData()) == 0;
    }
    return ::unlink(path.constData()) == 0;
}

// A folder of this user's own that nobody else can write to (a symlink does not count).
bool isPrivateFolder(const QByteArray &path)
{
    struct stat status = {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Where the lock lives: the session's runtime folder where it is the user's own and closed to others;
// else a folder of the program's under the user's cache home, which no other user can create first. (Qt's
// fallback for a missing runtime folder, /tmp/runtime-<user>, is one that anybody can take.)
QString lockFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && runtime.startsWith('/') && isPrivateFolder(runtime))
        return QFile::decodeName(runtime);
    const QString cache = xdgUserFolder("XDG_CACHE_HOME", QStringLiteral(".cache"));
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QByteArray folder = QFile::encodeName(cache + QStringLiteral("/Orvena"));
    if (::mkdir(folder.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return {};
    struct stat status = {};
    if (::lstat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == ::geteuid() && (status.st_mode & 077) != 0)
        (void)::chmod(folder.constData(), S_IRWXU); // ours, so ours to close
    return isPrivateFolder(folder) ? QFile::decodeName(folder) : QString();
}
} // namespace

InstanceGuard::~InstanceGuard()
{
    release();
}

InstanceGuard::Result InstanceGuard::acquire(const QString &application)
{
    release();
    // Per user and private, so nobody else can hold our name.
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return Result::Unavailable; // without a home of its own the program still runs
    const QByteArray path = QFile::encodeName(folder + u'/' + application + QStringLiteral(".lock"));

    for (int attempt = 0; attempt < Attempts; ++attempt) {
        // Never follows a link and never waits: a FIFO or device planted there cannot hold start-up.
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                   S_IRUSR | S_IWUSR);
        struct stat opened = {};
        if (fd >= 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid()) {
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                const int error = errno;
                ::close(fd);
                return error == EWOULDBLOCK ? Result::HeldByAnother : Result::Unavailable;
            }
            // The last holder removes the file while it still holds it: if that happened between our open
            // and our lock, ours is a lock on a file nobody else will find. Start over.
            struct stat current = {};
            if (::lstat(path.constData(), &current) == 0 && sameFile(current, opened)) {
                m_path = path;
                m_handle = fd;
                return Result::Held;
            }
            ::close(fd);
            continue;
        }
        if (fd >= 0)
            ::close(fd);
        const FolderLock folderLock(QFile::encodeName(folder));
        if (!folderLock.held() || !repair(path))
            return Result::Unavailable;
    }
    return Result::Unavailable;
}

void InstanceGuard::release()
{
    if (m_handle < 0)
        return;
    (void)::unlink(m_path.constData());
    ::close(int(m_handle));
    m_handle = -1;
}

const SingleByteSet &ansiSet()
{
    return SingleByteSet::latin1();
}

QuietStandardError::QuietStandardError()
{
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    ::fflush(stderr);
    m_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (m_saved >= 0)
        (void)::dup2(null, STDERR_FILENO);
    ::close(null);
}

QuietStandardError::~QuietStandardError()
{
    if (m_saved < 0)
        return;
    ::fflush(stderr);
    (void)::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

} // namespace Native
