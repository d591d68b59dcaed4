// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

// The one-instance lock, raced by real processes over whatever a crash, a killed write or a stranger left
// at its place.
class tst_InstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    void letsExactlyOneThroughWhateverLiesThere_data();
    void letsExactlyOneThroughWhateverLiesThere();
};

namespace {
enum class Occupant {
    Nothing,
    LiveHolder,
    DeadHolder,
    EmptyFile,
    Garbage,
    Unreadable,
    Directory,
    FullDirectory,
    DanglingLink,
    LinkToDevice,
    Fifo
};

// The session's runtime folder, where the lock lives when it is the user's own and closed to others.
// RelativeCache: no runtime folder and a relative XDG_CACHE_HOME, with starts from two working folders.
enum class Runtime { Own, Unset, Strangers, OpenToAll, RelativeCache };

// One start of the guard in a process of its own (guardprobe, built beside this suite): it reports "held",
// "refused" or "unavailable" and how long the decision took, and a holder keeps its guard until it is killed.
QProcess *startGuard(const QString &name, QObject *parent, const QString &workingFolder = QString())
{
    auto *process = new QProcess(parent);
    process->setWorkingDirectory(workingFolder);
    process->start(QCoreApplication::applicationDirPath() + u"/guardprobe"_s, {name});
    return process;
}

QByteArray verdict(QProcess *process)
{
    if (!process->canReadLine() && !process->waitForReadyRead(20000))
        return "silent";
    return process->readLine().trimmed();
}
} // namespace

Q_DECLARE_METATYPE(Occupant)
Q_DECLARE_METATYPE(Runtime)

void tst_InstanceGuard::letsExactlyOneThroughWhateverLiesThere_data()
{
    QTest::addColumn<Occupant>("occupant");
    QTest::addColumn<Runtime>("runtime");
    QTest::addColumn<int>("held");
    QTest::addRow("nothing") << Occupant::Nothing << Runtime::Own << 1;
    QTest::addRow("a live holder") << Occupant::LiveHolder << Runtime::Own << 0;
    QTest::addRow("a killed holder's file") << Occupant::DeadHolder << Runtime::Own << 1;
#ifdef Q_OS_UNIX
    QTest::addRow("an empty file") << Occupant::EmptyFile << Runtime::Own << 1;
    QTest::addRow("garbage") << Occupant::Garbage << Runtime::Own << 1;
    QTest::addRow("a file of mode 000") << Occupant::Unreadable << Runtime::Own << 1;
    QTest::addRow("a directory") << Occupant::Directory << Runtime::Own << 1;
    QTest::addRow("a directory with contents") << Occupant::FullDirectory << Runtime::Own << 1;
    QTest::addRow("a dangling symlink") << Occupant::DanglingLink << Runtime::Own << 1;
    QTest::addRow("a symlink to /dev/zero") << Occupant::LinkToDevice << Runtime::Own << 1;
    QTest::addRow("a FIFO") << Occupant::Fifo << Runtime::Own << 1;
    // Without a runtime folder of the user's own the lock moves to the cache home: still one at a time.
    QTest::addRow("no runtime folder") << Occupant::Nothing << Runtime::Unset << 1;
    QTest::addRow("no runtime folder, a live holder") << Occupant::LiveHolder << Runtime::Unset << 0;
    QTest::addRow("a stranger's runtime folder") << Occupant::Nothing << Runtime::Strangers << 1;
    QTest::addRow("a stranger's runtime folder, a live holder")
        << Occupant::LiveHolder << Runtime::Strangers << 0;
    QTest::addRow("a runtime folder open to all") << Occupant::Nothing << Runtime::OpenToAll << 1;
    QTest::addRow("a relative cache home, two working folders")
        << Occupant::Nothing << Runtime::RelativeCache << 1;
#endif
}

// Several starts at the same moment, on whatever a crash, a killed write or a stranger left at the lock's
// place: exactly one runs, at once, unless a live instance holds the guard.
void tst_InstanceGuard::letsExactlyOneThroughWhateverLiesThere()
{
    QFETCH(Occupant, occupant);
    QFETCH(Runtime, runtime);
    QFETCH(int, held);
    QTemporaryDir folder;
    QTemporaryDir cache;
    QTemporaryDir tmp;
    QVERIFY(folder.isValid() && cache.isValid() && tmp.isValid());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray previousCache = qgetenv("XDG_CACHE_HOME");
    const QByteArray previousTmp = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", previous);
        qputenv("XDG_CACHE_HOME", previousCache);
        qputenv("TMPDIR", previousTmp);
    });
#ifdef Q_OS_UNIX
    if (runtime == Runtime::Unset || runtime == Runtime::Strangers) {
        if (::geteuid() != 0)
            QSKIP("only root can hand folders to another user");
        // Another user took the folder Qt falls back to, <tmp>/runtime-<user>, and the runtime folder.
        const QByteArray taken =
            QFile::encodeName(tmp.path()) + "/runtime-" + ::getpwuid(::geteuid())->pw_name;
        QVERIFY(::mkdir(taken.constData(), 0700) == 0 && ::chown(taken.constData(), 65534, 65534) == 0);
        QVERIFY(::chown(QFile::encodeName(folder.path()).constData(), 65534, 65534) == 0);
    }
    if (runtime == Runtime::Unset || runtime == Runtime::RelativeCache)
        qunsetenv("XDG_RUNTIME_DIR");
    if (runtime == Runtime::RelativeCache)
        qputenv("XDG_CACHE_HOME", "relcache");
    if (runtime == Runtime::OpenToAll)
        QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0777) == 0);
#else
    Q_UNUSED(runtime);
#endif
    const QTemporaryDir &runtimeFolder = folder;
    const QString name = u"kaltrix-guard-test"_s;
    const QString lock = runtimeFolder.path() + u'/' + name + u".lock"_s;

    QProcess *holder = nullptr;
    if (occupant == Occupant::LiveHolder || occupant == Occupant::DeadHolder) {
        holder = startGuard(name, this);
        QVERIFY(verdict(holder).startsWith("held "));
        if (occupant == Occupant::DeadHolder) {
            holder->kill();
            QVERIFY(holder->waitForFinished());
        }
    }
    if (occupant == Occupant::EmptyFile || occupant == Occupant::Garbage ||
        occupant == Occupant::Unreadable) {
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(occupant == Occupant::Garbage ? QByteArray("\x00\xff not a pid\n", 13) : QByteArray());
        file.close();
        if (occupant == Occupant::Unreadable)
            QVERIFY(file.setPermissions({}));
    }
    if (occupant == Occupant::Directory || occupant == Occupant::FullDirectory)
        QVERIFY(QDir().mkpath(lock + (occupant == Occupant::FullDirectory ? u"/inside"_s : QString())));
    if (occupant == Occupant::DanglingLink || occupant == Occupant::LinkToDevice)
        QVERIFY(QFile::link(occupant == Occupant::LinkToDevice ? u"/dev/zero"_s : lock + u'x', lock));
#ifdef Q_OS_UNIX
    if (occupant == Occupant::Fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
#endif

    QList<QProcess *> crowd;
    for (int i = 0; i < 8; ++i)
        crowd.append(startGuard(name, this, i % 2 ? folder.path() : tmp.path()));
    int holding = 0;
    for (QProcess *start : std::as_const(crowd)) {
        const QByteArray said = verdict(start);
        QVERIFY2(said.startsWith("held ") || said.startsWith("refused "), said.constData());
        holding += said.startsWith("held ") ? 1 : 0;
        QVERIFY2(said.split(' ').value(1).toInt() < 500, said.constData());
    }
    QCOMPARE(holding, held);
    for (QProcess *process : std::as_const(crowd) + QList<QProcess *>{holder}) {
        if (process) {
            process->kill();
            process->waitForFinished();
            delete process;
        }
    }
}

QTEST_GUILESS_MAIN(tst_InstanceGuard)
#include "tst_instanceguard.moc"
