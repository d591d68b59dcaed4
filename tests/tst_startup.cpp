#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "fakeplatform.h"
#include "ui/form.h"
#include "ui/linklabel.h"
#include "ui/native.h"
#include "ui/qtplatform.h"
#include "ui/windowregistry.h"
#include "web/exitscreen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cmath>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A window that notes when it closes and can run a hook from its close handling.
class RecordingForm : public Form
{
public:
    RecordingForm(QString name, QStringList *log)
        : Form(QSize(10, 10), false), m_name(std::move(name)), m_log(log)
    {}
    std::function<void()> onUnload;

protected:
    void Form_Unload() override
    {
        m_log->append(m_name);
        if (onUnload)
            onUnload();
    }

private:
    QString m_name;
    QStringList *m_log;
};
} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void brandingNumberRoundsHalfToEven_data();
    void brandingNumberRoundsHalfToEven();
    void brandingDrawRaisesOneLabel_data();
    void brandingDrawRaisesOneLabel();

    void startShowsMainWindowAfterSeeding();
    void secondInstanceIsRefusedAndShowsNoWindow();

    void exitClosesEveryWindowInCreationOrder();
    void nestedExitFromACloseHandlingEndsOnce();
    void exitScreenCloseEndsProcessWithoutReturning();

    void instanceGuardLetsExactlyOneThroughWhateverLiesThere_data();
    void instanceGuardLetsExactlyOneThroughWhateverLiesThere();

private:
    FakePlatform m_platform;
};

void tst_Startup::cleanup()
{
    destroyAllWindows();
    m_platform.clearRecords();
    m_platform.draws.clear();
    m_platform.instanceGuardFree = true;
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

void tst_Startup::brandingNumberRoundsHalfToEven_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("n");
    QTest::addRow("zero") << 0.0f << 1;
    QTest::addRow("just below 1/12") << std::nextafter(1.0f / 12.0f, 0.0f) << 1;
    QTest::addRow("1/12 as a float") << 1.0f / 12.0f << 2;
    QTest::addRow("0.2") << 0.2f << 2;
    QTest::addRow("0.25 is 2.5, to even") << 0.25f << 2;
    QTest::addRow("0.3") << 0.3f << 3;
    QTest::addRow("0.5") << 0.5f << 4;
    QTest::addRow("0.75 is 5.5, to even") << 0.75f << 6;
    QTest::addRow("0.9") << 0.9f << 6;
    QTest::addRow("11/12 as a float lies above it") << 11.0f / 12.0f << 7;
    QTest::addRow("0.95") << 0.95f << 7;
    QTest::addRow("largest float below 1") << std::nextafter(1.0f, 0.0f) << 7;
}

void tst_Startup::brandingNumberRoundsHalfToEven()
{
    QFETCH(float, r);
    QFETCH(int, n);
    QCOMPARE(coBrandNumber(r), n);
}

void tst_Startup::brandingDrawRaisesOneLabel_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("front");
    QTest::addRow("n=1") << 0.0f << QStringLiteral("lblCobrand");
    QTest::addRow("n=2") << 0.25f << QStringLiteral("lblFullBrand");
    QTest::addRow("n=3") << 0.3f << QStringLiteral("lblCobrand");
    QTest::addRow("n=6") << 0.75f << QStringLiteral("lblFullBrand");
    // A draw of 7 keeps the layout's stacking, in which the full-branding label lies on top.
    QTest::addRow("n=7") << 0.95f << QStringLiteral("lblFullBrand");
}

void tst_Startup::brandingDrawRaisesOneLabel()
{
    QFETCH(float, r);
    QFETCH(QString, front);
    frmMain &main = Forms::mainWindow();
    main.bringCobrandToFront();
    main.bringFullBrandToFront();
    m_platform.draws = {r};
    CoBrand_Randomize();
    QCOMPARE(intCoBrandRandomNumber, qint16(coBrandNumber(r)));
    const bool cobrandInFront = front == QStringLiteral("lblCobrand");
    QCOMPARE(main.lblCobrand->isVisibleTo(&main), cobrandInFront);
    QCOMPARE(main.lblFullBrand->isVisibleTo(&main), !cobrandInFront);
}

void tst_Startup::startShowsMainWindowAfterSeeding()
{
    m_platform.draws = {0.0f};
    m_platform.onMessage = [](const MessageRequest &) {
        QFAIL("start-up showed a message");
    };
    StartApplication();
    m_platform.onMessage = nullptr;
    frmMain *main = Forms::existingMainWindow();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(m_platform.reseeds, 1);
    QCOMPARE(intCoBrandRandomNumber, qint16(1));
    QVERIFY(main->lblCobrand->isVisibleTo(main));
    QCOMPARE(m_platform.endProcessCalls, 0);
}

void tst_Startup::secondInstanceIsRefusedAndShowsNoWindow()
{
    m_platform.instanceGuardFree = false;
    // The process must not end while the message is still up.
    m_platform.onMessage = [this](const MessageRequest &) {
        QCOMPARE(m_platform.endProcessCalls, 0);
    };
    StartApplication();
    m_platform.onMessage = nullptr;
    QCOMPARE(m_platform.messages.size(), 1);
    QCOMPARE(m_platform.messages.first().text, QStringLiteral("Application is already running"));
    QCOMPARE(m_platform.messages.first().icon, MessageIcon::Information);
    QCOMPARE(m_platform.messages.first().buttons, MessageButtons::Ok);
    QCOMPARE(m_platform.endProcessCalls, 1);
    QCOMPARE(m_platform.reseeds, 0);
    QVERIFY(!Forms::existingMainWindow());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Startup::exitClosesEveryWindowInCreationOrder()
{
    QStringList log;
    auto *first = new RecordingForm(QStringLiteral("first"), &log);
    auto *hidden = new RecordingForm(QStringLiteral("hidden"), &log);
    auto *last = new RecordingForm(QStringLiteral("last"), &log);
    first->show();
    last->show();
    Q_UNUSED(hidden);
    ExitApplication();
    QCOMPARE(log, (QStringList{QStringLiteral("first"), QStringLiteral("hidden"), QStringLiteral("last")}));
    QCOMPARE(m_platform.endProcessCalls, 1);
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

void tst_Startup::nestedExitFromACloseHandlingEndsOnce()
{
    QStringList log;
    auto *a = new RecordingForm(QStringLiteral("a"), &log);
    auto *exitLike = new RecordingForm(QStringLiteral("exit"), &log);
    auto *b = new RecordingForm(QStringLiteral("b"), &log);
    // Like the exit screen: its close handling starts a nested walk, and that walk ends the process.
    exitLike->onUnload = [&] {
        ExitApplication();
        log.append(QStringLiteral("after nested"));
    };
    // A window that tries to close one whose close is under way must not close it a second time.
    a->onUnload = [&] {
        QVERIFY(!exitLike->isClosing());
    };
    b->onUnload = [&] {
        exitLike->close();
    };
    ExitApplication();
    QCOMPARE(log, (QStringList{QStringLiteral("a"), QStringLiteral("exit"), QStringLiteral("b"),
                               QStringLiteral("after nested")}));
    QCOMPARE(m_platform.endProcessCalls, 1);
    Q_UNUSED(a);
}

void tst_Startup::exitScreenCloseEndsProcessWithoutReturning()
{
    frmMain &main = Forms::mainWindow();
    main.show();
    main.close();
    QVERIFY(Forms::existingExitScreen());
    QVERIFY(Forms::existingExitScreen()->isVisible());
    QCOMPARE(m_platform.endProcessCalls, 0);
    Forms::existingExitScreen()->close();
    QCOMPARE(m_platform.endProcessCalls, 1);
    QVERIFY(WindowRegistry::openWindows().isEmpty());
}

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

// One start of the guard in a process of its own: it reports "held", "refused" or "unavailable" and how
// long the decision took, and a holder keeps its guard until it is killed.
QProcess *startGuard(const QString &name, QObject *parent, const QString &workingFolder = QString())
{
    auto *process = new QProcess(parent);
    process->setWorkingDirectory(workingFolder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KALTRIX_TRY_GUARD"), name);
    process->setProcessEnvironment(environment);
    process->start(QCoreApplication::applicationFilePath(), {});
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

void tst_Startup::instanceGuardLetsExactlyOneThroughWhateverLiesThere_data()
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
void tst_Startup::instanceGuardLetsExactlyOneThroughWhateverLiesThere()
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
    const QString name = QStringLiteral("kaltrix-guard-test");
    const QString lock = runtimeFolder.path() + u'/' + name + QStringLiteral(".lock");

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
        QVERIFY(QDir().mkpath(lock +
                              (occupant == Occupant::FullDirectory ? QStringLiteral("/inside") : QString())));
    if (occupant == Occupant::DanglingLink || occupant == Occupant::LinkToDevice)
        QVERIFY(QFile::link(occupant == Occupant::LinkToDevice ? QStringLiteral("/dev/zero") : lock + u'x',
                            lock));
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

// Started with KALTRIX_TRY_GUARD set, the test binary only tries the guard, says how it went, and keeps a
// guard it got until it is killed.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("KALTRIX_TRY_GUARD")) {
        QCoreApplication app(argc, argv);
        QElapsedTimer clock;
        clock.start();
        Native::InstanceGuard guard;
        const Native::InstanceGuard::Result result = guard.acquire(qEnvironmentVariable("KALTRIX_TRY_GUARD"));
        const char *said = result == Native::InstanceGuard::Result::Held            ? "held"
                           : result == Native::InstanceGuard::Result::HeldByAnother ? "refused"
                                                                                    : "unavailable";
        std::printf("%s %lld\n", said, static_cast<long long>(clock.elapsed()));
        std::fflush(stdout);
        if (result == Native::InstanceGuard::Result::Held)
            QThread::sleep(60);
        return 0;
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    tst_Startup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
