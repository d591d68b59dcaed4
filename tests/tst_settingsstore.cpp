// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "fakeplatform.h"
#include "inibytes.h"
#include "settings/inifile.h"
#include "settings/portableorsystem.h"
#include "settings/scramble.h"
#include "settings/updatereminder.h"
#include "ui/system/native.h"
#include "web/links.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {
enum class Occupant { File, Directory, Fifo, FolderIsAFile, LockDirectory, FullDisk };

const QString App = u"kaltrix"_s;
const QString Section = u"Settings"_s;
} // namespace

Q_DECLARE_METATYPE(Occupant)

class tst_SettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
#ifndef Q_OS_WIN
    void systemStoreIsAFileInTheUserConfigFolder();
#endif
    void valuesRoundTripThroughTheFile_data();
    void valuesRoundTripThroughTheFile();
    void namesQSettingsWouldMisreadAreRefused_data();
    void namesQSettingsWouldMisreadAreRefused();
    void reminderKeepsItsEntriesScrambledOnDisk();
    void foreignFileNeitherCrashesNorBlocks_data();
    void foreignFileNeitherCrashesNorBlocks();
    void randomBytesNeverCrashOrHang();

private:
    QString path() const
    {
        return m_config + u"/Orvena/kaltrix.ini"_s;
    }
    QByteArray storedByTheProgram(const QString &application) const;

    QTemporaryDir m_configHome;
    QString m_config; // the user config folder
};

void tst_SettingsStore::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    m_config = m_configHome.path();
#ifndef Q_OS_WIN
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config));
#endif
}

void tst_SettingsStore::init()
{
    QDir(m_config + u"/Orvena"_s).removeRecursively();
    QFile::remove(m_config + u"/Orvena"_s);
}

// What the program's own store holds for it: the settings file on Linux; on Windows, the registry key the
// platform's settings calls use, one "name=value" line per entry.
QByteArray tst_SettingsStore::storedByTheProgram(const QString &application) const
{
#ifdef Q_OS_WIN
    QSettings registry(u"HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\"_s + application +
                           u"\\Settings"_s,
                       QSettings::NativeFormat);
    QByteArray entries;
    for (const QString &key : registry.allKeys())
        entries += (key + u'=' + registry.value(key).toString() + u'\n').toUtf8();
    return entries;
#else
    return fileBytes(PortableOrSystem::systemFile(application));
#endif
}

#ifndef Q_OS_WIN
void tst_SettingsStore::systemStoreIsAFileInTheUserConfigFolder()
{
    QCOMPARE(PortableOrSystem::systemFile(App), path());
    // A relative folder would be another one in every working folder: the default stands in for it.
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "relconfig");
    QCOMPARE(PortableOrSystem::systemFile(App), QDir::homePath() + u"/.config/Orvena/kaltrix.ini"_s);
    qputenv("XDG_CONFIG_HOME", configHome);
    PortableOrSystem store;
    QVERIFY(store.write(App, Section, u"k"_s, u"v"_s));
    QVERIFY(fileBytes(path()).startsWith("[Settings]\n"));
    QCOMPARE(store.read(App, Section, u"k"_s), u"v"_s);
}
#endif

void tst_SettingsStore::valuesRoundTripThroughTheFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QString everyCode;
    for (int code = 0; code < 256; ++code)
        everyCode.append(QChar(char16_t(code)));

    QTest::addRow("scrambled date") << modHelp::ScrambleText(u"Duration"_s)
                                    << modHelp::ScrambleText(u"2026-12-07"_s);
    QTest::addRow("every code as value") << u"k"_s << everyCode;
    QTest::addRow("every code but separators as key")
        << QString(everyCode).remove(u'/').remove(u'\\') << u"v"_s;
    QTest::addRow("list-like value") << u"k"_s << u"a, b,c"_s;
    QTest::addRow("serialised-looking value") << u"k"_s << u"@Variant(\\0\\0)"_s;
    QTest::addRow("blanks around") << u" k "_s << u"  v  "_s;
    QTest::addRow("separators and quotes") << u"a=b;c"_s << u"x=\"y\"; z #w"_s;
    QTest::addRow("beyond ASCII") << u"Zo\u00EB"_s << u"\u00E9t\u00E9 \u2603 \U0001F600"_s;
    QTest::addRow("empty value") << u"k"_s << u""_s;
    QTest::addRow("never written") << u"other"_s << QString();
}

void tst_SettingsStore::valuesRoundTripThroughTheFile()
{
    QFETCH(QString, key);
    QFETCH(QString, value);

    const bool written = QTest::currentDataTag() != "never written"_ba;
    // Another program's section, as QSettings writes it, around ours.
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    {
        QSettings other(path(), QSettings::IniFormat);
        other.setValue(u"Other/kept"_s, u"a, b = c"_s);
    }
    if (written)
        QVERIFY(IniFile::write(path(), Section, key, value));
    QVERIFY(IniFile::write(path(), Section, u"neighbour"_s, u"n"_s));
    QCOMPARE(IniFile::read(path(), Section, key), value);
    QCOMPARE(IniFile::read(path(), Section, u"neighbour"_s), u"n"_s);

    // The dialect is Qt's own: QSettings reads what the store wrote, and the store what QSettings writes.
    QSettings settings(path(), QSettings::IniFormat);
    QCOMPARE(settings.value(Section + u'/' + key).toString(), value);
    QCOMPARE(settings.value(u"Other/kept"_s).toString(), u"a, b = c"_s);
    if (!written)
        return;
    settings.remove(Section);
    settings.setValue(Section + u'/' + key, value);
    settings.sync();
    QCOMPARE(IniFile::read(path(), Section, key), value);
}

void tst_SettingsStore::namesQSettingsWouldMisreadAreRefused_data()
{
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::addRow("empty key") << App << Section << QString();
    QTest::addRow("key with a slash") << App << Section << u"a/b"_s;
    QTest::addRow("key with a backslash") << App << Section << u"a\\b"_s;
    QTest::addRow("empty section") << App << QString() << u"k"_s;
    QTest::addRow("application with a slash") << u"../kaltrix"_s << Section << u"k"_s;
    QTest::addRow("no application name") << QString() << Section << u"k"_s;
}

void tst_SettingsStore::namesQSettingsWouldMisreadAreRefused()
{
    QFETCH(QString, application);
    QFETCH(QString, section);
    QFETCH(QString, key);

    PortableOrSystem store;
    QVERIFY(!store.write(application, section, key, u"v"_s));
    QCOMPARE(store.read(application, section, key), QString());
    QVERIFY(QDir(m_config).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(!QFile::exists(path()));
}

void tst_SettingsStore::reminderKeepsItsEntriesScrambledOnDisk()
{
    // The real store, code page and application name, with boxes, clock and browser scripted.
    FakePlatform platform;
    PortableOrSystem store;
    platform.disk = &store;
    platform.codePage = &Native::ansiSet();
    platform.appName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString application = platform.applicationName();
    const SingleByteSet &set = platform.singleByteSet();

    modHelp::UpdateReminder();
    const QByteArray firstRun = storedByTheProgram(application);
    QVERIFY(!firstRun.isEmpty());
    for (const char *plain : {"duration", "install", "2026-12-07", "=1"})
        QVERIFY2(!firstRun.toLower().contains(plain), plain);
    QVERIFY(platform.messages.isEmpty());
#ifdef Q_OS_WIN
    // What the ANSI settings calls store on Western Windows: the key name shifted in Windows-1252.
    QVERIFY(firstRun.contains((u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3="_s).toUtf8()));
#endif

    platform.todayDate = platform.todayDate.addDays(15);
    platform.answers = {MessageAnswer::Yes};
    modHelp::UpdateReminder();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.openedUrls, QList<QUrl>{modHelp::DownloadPageURL()});
    QVERIFY(storedByTheProgram(application) != firstRun);

    modHelp::UpdateReminder();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(store.read(application, Section, modHelp::ScrambleText(u"Duration"_s, set)),
             modHelp::ScrambleText(u"2026-12-22"_s, set));
#ifdef Q_OS_WIN
    QSettings(u"HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings"_s, QSettings::NativeFormat)
        .remove(application);
#else
    QFile::remove(PortableOrSystem::systemFile(application));
#endif
}

void tst_SettingsStore::foreignFileNeitherCrashesNorBlocks_data()
{
    QTest::addColumn<Occupant>("occupant");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("after"); // the whole file after writing "new"; empty: not compared
    QTest::addColumn<QString>("readsAs");
    auto row = [](const char *tag, Occupant occupant, const QByteArray &content = {}, bool accepted = false,
                  const QByteArray &after = {}, const QString &readsAs = {}) {
        QTest::addRow("%s", tag) << occupant << content << accepted << after << readsAs;
    };

    // Files that are no text of ours stay as they are, as one too large does.
    row("binary bytes", Occupant::File, QByteArray("\x00\xff\xfe[\x01=\x02\n\x80", 9));
    row("UTF-16 with a byte-order mark", Occupant::File, "\xFF\xFE[\0S\0e\0t\0]\0\n\0k\0=\0o\0l\0d\0\n\0"_ba);
    row("byte array under our key", Occupant::File, "[Settings]\nk=@ByteArray(old)\n"_ba, true,
        "[Settings]\nk=new\n"_ba);
    row("list under our key", Occupant::File, "[Settings]\nk=a,b\n"_ba, true);
    row("serialised garbage", Occupant::File, "[Settings]\nk=@Variant(\\0\\0\\0\\x7f\\xff)\n"_ba, true);
    row("another program's data around ours", Occupant::File,
        "; kept by hand\r\n[Other]\r\nquoted=\"a, b\"\r\n\r\n[Settings]\r\nk = \"old\" \r\nz=1\r\n\r\n[Last]\r\n"_ba,
        true,
        "; kept by hand\r\n[Other]\r\nquoted=\"a, b\"\r\n\r\n[Settings]\r\nk=new\r\nz=1\r\n\r\n[Last]\r\n"_ba,
        u"old"_s);
    row("new entry at the end of its section", Occupant::File,
        "\xEF\xBB\xBF[Settings]\nz=1\n\n[Other]\nk=theirs"_ba, true,
        "\xEF\xBB\xBF[Settings]\nz=1\nk=new\n\n[Other]\nk=theirs"_ba);
    row("a write that would pass the size read back", Occupant::File,
        "[Other]\n"_ba + QByteArray(IniFile::LargestFile - 12, ';'));
    row("oversized file", Occupant::File, "[Settings]\nk=old\n"_ba + QByteArray(IniFile::LargestFile, ';'));
    row("directory", Occupant::Directory);
    row("config folder is a file", Occupant::FolderIsAFile);
#ifdef Q_OS_UNIX
    row("fifo", Occupant::Fifo);
    // The disk fills up while the new file is written: the old one stays whole, other sections included.
    row("a full disk", Occupant::FullDisk, "[Other]\nimportant=keep me\n[Settings]\nforeign=1\n"_ba);
#endif
    row("a lock left as a directory", Occupant::LockDirectory, {}, true, "[Settings]\nk=new\n"_ba);
}

void tst_SettingsStore::foreignFileNeitherCrashesNorBlocks()
{
    QFETCH(Occupant, occupant);
    QFETCH(QByteArray, content);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, after);
    QFETCH(QString, readsAs);

    const QString folder = QFileInfo(path()).absolutePath();
    if (occupant == Occupant::FolderIsAFile) {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(folder));
    }
    if (occupant == Occupant::File || occupant == Occupant::FullDisk) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
#ifdef Q_OS_UNIX
    if (occupant == Occupant::Fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    // No more room than the old file takes: a larger write fails as on a full disk (EFBIG for ENOSPC).
    struct rlimit unlimited = {};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        (void)::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, signalBefore);
    });
    if (occupant == Occupant::FullDisk) {
        const struct rlimit full = {rlim_t(content.size()), unlimited.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
    }
#endif
    if (occupant == Occupant::Directory)
        QVERIFY(QDir().mkpath(path()));
    if (occupant == Occupant::LockDirectory)
        QVERIFY(QDir().mkpath(path() + u".lock/inside"_s));

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(IniFile::read(path(), Section, u"k"_s), readsAs);
    QCOMPARE(IniFile::write(path(), Section, u"k"_s, u"new"_s), accepted);
    QVERIFY(clock.elapsed() < 1000);
    if (!after.isEmpty())
        QCOMPARE(fileBytes(path()), after);
    if (accepted) {
        QCOMPARE(IniFile::read(path(), Section, u"k"_s), u"new"_s);
    } else if (occupant == Occupant::File || occupant == Occupant::FullDisk) {
        QCOMPARE(fileBytes(path()), content);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"kaltrix.ini"_s}); // no temporary left
    }
}

void tst_SettingsStore::randomBytesNeverCrashOrHang()
{
    QRandomGenerator random(20261207);
    QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
    for (int round = 0; round < 120; ++round) {
        QByteArray bytes = randomIniBytes(random, 4096);
        if (round % 2 != 0)
            bytes.replace('\0', '\x01'); // text, if not INI
        const bool text = IniFile::isOurText(bytes);
        {
            QFile file(path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        (void)IniFile::read(path(), Section, u"k"_s);
        const QString value = QString::number(round);
        QCOMPARE(IniFile::write(path(), Section, u"k"_s, value), text);
        if (text)
            QCOMPARE(IniFile::read(path(), Section, u"k"_s), value);
        else
            QCOMPARE(fileBytes(path()), bytes);
    }
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
