#include "settings/settingsstore.h"

#include "settings/initext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace SettingsStore {

namespace {
// A name holding '/' or '\' would address some other entry of the file.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\');
}

enum class Contents { Absent, Read, Refused };

// Only a small regular file is read. The checks are made on the opened file, not the path, and the open
// itself cannot block: a FIFO, a device or a huge file put there (even in the moment between two starts'
// reads) is refused at once instead of hanging start-up or filling memory.
Contents readFile(const QString &path, QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Contents::Absent : Contents::Refused;
    QFile file;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > LargestFile ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Contents::Refused;
    }
#else
    QFile file(path);
    if (!QFileInfo::exists(path))
        return Contents::Absent;
    if (!QFileInfo(path).isFile() || file.size() > LargestFile || !file.open(QIODevice::ReadOnly))
        return Contents::Refused;
#endif
    bytes = file.read(LargestFile + 1);
    return bytes.size() <= LargestFile ? Contents::Read : Contents::Refused;
}
} // namespace

QString filePath(const QString &application)
{
    if (!isPlainName(application))
        return {};
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/Orvena/") + application + QStringLiteral(".ini");
}

QString read(const QString &application, const QString &section, const QString &key)
{
    const QString path = filePath(application);
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        readFile(path, bytes) != Contents::Read)
        return {};
    return IniText::value(bytes, section, key);
}

bool write(const QString &application, const QString &section, const QString &key, const QString &value)
{
    const QString path = filePath(application);
    QByteArray bytes;
    if (path.isEmpty() || !isPlainName(section) || !isPlainName(key) ||
        readFile(path, bytes) == Contents::Refused)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // Written beside the file and renamed over it, so that a failure leaves the old file whole. No lock
    // file: only one instance runs, and a lock left by someone else must never hold start-up up.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(IniText::withValue(bytes, section, key, value));
    return file.commit();
}

} // namespace SettingsStore
