// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "formdecode.h"
#include "inibytes.h"
#include "settings/inifile.h"
#include "settings/scramble.h"
#include "settings/updatereminder.h"
#include "ui/widgets/placeholderfield.h"
#include "ui/widgets/textrules.h"
#include "web/exitscreen.h"
#include "web/links.h"
#include "web/tellafriend.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Every suite draws from its own fixed seed, so a failure names a case that replays exactly.

enum class Expect {
    Capital, // the box gains the typed letter as a capital, or the blank
    Refused, // one message, box unchanged
    Nothing, // no message, box unchanged
    Editing, // no message; the box only loses characters
    Pasted,  // no message; the clipboard's text arrives as it is, unfiltered
    Any,     // only the box's own rules hold
};

struct Press
{
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
    Expect expect = Expect::Any;
};

enum class KeyMix { Typed, Chords, Editing, Everything };

QString randomCharacter(QRandomGenerator &random)
{
    switch (random.bounded(6)) {
    case 0:
        return QString(QChar(char16_t(random.bounded(0x20, 0x7f))));
    case 1:
        return QString(QChar(char16_t((random.bounded(2) ? 'a' : 'A') + random.bounded(26))));
    case 2:
        return QString(QChar(char16_t(random.bounded(0xa0, 0x100))));
    case 3: {
        const int code = random.bounded(33);
        return QString(QChar(char16_t(code == 32 ? 0x7f : code)));
    }
    case 4: {
        const int code = random.bounded(0x100, 0xfffe - 0x800);
        return QString(QChar(char16_t(code < 0xd800 ? code : code + 0x800))); // no lone surrogates
    }
    default: {
        const char32_t code = char32_t(random.bounded(0x10000, 0x110000));
        return QString::fromUcs4(&code, 1);
    }
    }
}

// The key a layout reports for a character: Qt's codes follow ASCII and Latin-1 capitals.
Qt::Key keyFor(QChar c)
{
    const char16_t code = c.toUpper().unicode();
    return code >= 0x20 && code <= 0xff && code != 0x7f ? Qt::Key(code) : Qt::Key_unknown;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

Press typed(QRandomGenerator &random)
{
    const QString text = randomCharacter(random);
    const QChar c = text.at(0);
    static const Qt::KeyboardModifiers Layouts[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                    Qt::GroupSwitchModifier, Qt::KeypadModifier};
    Expect expect = Expect::Refused;
    if (isAsciiLetter(c) || c == u' ')
        expect = Expect::Capital;
    else if (c == u'\b' || c == u'\r')
        expect = Expect::Nothing; // Backspace and Enter pass, but as bare characters they edit nothing
    return {keyFor(c), Layouts[random.bounded(4)], text, expect};
}

Press chord(QRandomGenerator &random)
{
    switch (random.bounded(4)) {
    case 0: {
        // Ctrl with a letter types that letter's control code; Ctrl+H and Ctrl+M are Backspace and Enter.
        const int letter = random.bounded(26);
        const Qt::KeyboardModifiers modifiers =
            random.bounded(2) ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier;
        const QString texts[] = {QString(QChar(char16_t(letter + 1))), QString(),
                                 QString(QChar(char16_t('a' + letter)))};
        const bool passes = letter == 'H' - 'A' || letter == 'M' - 'A';
        return {Qt::Key(Qt::Key_A + letter), modifiers, texts[random.bounded(3)],
                passes ? Expect::Nothing : Expect::Refused};
    }
    case 1: {
        // Alt chords are menu keys, never typing.
        const QString text = randomCharacter(random);
        const Qt::KeyboardModifiers modifiers =
            random.bounded(2) ? Qt::AltModifier : Qt::AltModifier | Qt::ShiftModifier;
        return {keyFor(text.at(0)), modifiers, text, Expect::Nothing};
    }
    case 2: {
        const QString text = randomCharacter(random);
        return {keyFor(text.at(0)), Qt::ControlModifier | Qt::AltModifier, text, Expect::Any};
    }
    default: {
        const QString text = randomCharacter(random);
        return {keyFor(text.at(0)), Qt::MetaModifier, text, Expect::Any};
    }
    }
}

Press editing(QRandomGenerator &random)
{
    static const Press Keys[] = {
        {Qt::Key_Backspace, {}, u"\b"_s, Expect::Editing},
        {Qt::Key_Backspace, Qt::ControlModifier, u"\b"_s, Expect::Refused}, // types DEL on Windows
        {Qt::Key_Delete, {}, u"\x7f"_s, Expect::Editing}, // the character X11 reports with Delete
        {Qt::Key_Delete, {}, {}, Expect::Editing},
        {Qt::Key_Delete, Qt::ControlModifier, {}, Expect::Editing},
        {Qt::Key_Delete, Qt::ShiftModifier, u"\x7f"_s, Expect::Editing}, // cut
        {Qt::Key_Left, {}, {}, Expect::Editing},
        {Qt::Key_Right, {}, {}, Expect::Editing},
        {Qt::Key_Home, {}, {}, Expect::Editing},
        {Qt::Key_End, {}, {}, Expect::Editing},
        {Qt::Key_Left, Qt::ShiftModifier, {}, Expect::Editing},
        {Qt::Key_Right, Qt::ShiftModifier, {}, Expect::Editing},
        {Qt::Key_Home, Qt::ShiftModifier, {}, Expect::Editing},
        {Qt::Key_Left, Qt::ControlModifier, {}, Expect::Editing},
        {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, {}, Expect::Editing},
        {Qt::Key_Up, {}, {}, Expect::Editing},
        {Qt::Key_PageDown, {}, {}, Expect::Editing},
        {Qt::Key_Insert, {}, {}, Expect::Editing},
        {Qt::Key_Insert, Qt::ControlModifier, {}, Expect::Editing}, // copy
        {Qt::Key_F1, {}, {}, Expect::Editing},
        {Qt::Key_F12, Qt::ShiftModifier, {}, Expect::Editing},
        {Qt::Key_Return, {}, u"\r"_s, Expect::Nothing},
        {Qt::Key_Enter, Qt::KeypadModifier, u"\r"_s, Expect::Nothing},
        {Qt::Key_Tab, {}, u"\t"_s, Expect::Nothing},
        {Qt::Key_Backtab, Qt::ShiftModifier, {}, Expect::Nothing},
        {Qt::Key_Escape, {}, u"\x1b"_s, Expect::Refused},
        // Ctrl+V types code 22 and is refused; the other paste keys type nothing and paste.
        {Qt::Key_V, Qt::ControlModifier, u"\x16"_s, Expect::Refused},
        {Qt::Key_Insert, Qt::ShiftModifier, {}, Expect::Pasted},
        {Qt::Key_F18, {}, {}, Expect::Any},
        {Qt::Key_Paste, {}, {}, Expect::Pasted},
    };
    return Keys[random.bounded(int(std::size(Keys)))];
}

Press randomPress(QRandomGenerator &random, KeyMix mix)
{
    switch (mix) {
    case KeyMix::Typed:
        return typed(random);
    case KeyMix::Chords:
        return chord(random);
    case KeyMix::Editing:
        return random.bounded(3) ? editing(random) : typed(random);
    case KeyMix::Everything:
        break;
    }
    switch (random.bounded(4)) {
    case 0:
        return typed(random);
    case 1:
        return chord(random);
    case 2:
        return editing(random);
    default: {
        // Several characters in one event, as auto-repeat or an input method delivers them.
        Press press = typed(random);
        for (int i = random.bounded(1, 4); i > 0; --i)
            press.text += randomCharacter(random);
        press.expect = Expect::Any;
        return press;
    }
    }
}

QString describe(const Press &press)
{
    QStringList codes;
    for (const QChar c : press.text)
        codes << QString::number(c.unicode(), 16);
    return u"key 0x%1 modifiers 0x%2 text [%3]"_s.arg(int(press.key), 0, 16)
        .arg(int(press.modifiers), 0, 16)
        .arg(codes.join(u' '));
}

bool onlyCapitalsAndBlanks(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return (c >= u'A' && c <= u'Z') || c == u' '; });
}

bool isSubsequence(const QString &part, const QString &whole)
{
    qsizetype at = 0;
    for (const QChar c : part) {
        at = whole.indexOf(c, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

// Field texts rich in what the checks and the address care about.
QString randomFieldText(QRandomGenerator &random, int maxTokens)
{
    // The panel's hints, then what an address or a form handler reads specially.
    static const QStringList Tokens =
        QStringList{u"Your Name"_s, u"Your Email Address"_s, u"Your Message"_s, u"Friend's Name"_s,
                    u"Friend's Email Address"_s} +
        QStringList{u"@"_s,    u"."_s,  u" "_s,     u"  "_s,  u"&"_s,          u"="_s,  u"#"_s,
                    u"+"_s,    u"%"_s,  u"%20"_s,   u"?"_s,   u"/"_s,          u"\r"_s, u"\n"_s,
                    u"\r\n"_s, u"\t"_s, u"taf2="_s, u"ann"_s, u"example.org"_s};
    QString text;
    for (int i = random.bounded(maxTokens + 1); i > 0; --i)
        text += random.bounded(2) ? Tokens.at(random.bounded(int(Tokens.size()))) : randomCharacter(random);
    return text;
}

bool missing(const QString &trimmed, const QString &hint)
{
    return trimmed.isEmpty() || trimmed == hint;
}

// What the panel must answer for five trimmed texts: the first failing check's message, or nothing.
QString expectedRefusal(const QStringList &t)
{
    const QString &email = t[1], &friendEmail = t[4];
    if (email == friendEmail)
        return u"Please Enter Distinct Email Addresses"_s;
    if (!email.contains(u'@') || !friendEmail.contains(u'@') || !email.contains(u'.') ||
        !friendEmail.contains(u'.'))
        return u"Please Enter Proper Email Address"_s;
    if (missing(t[0], u"Your Name"_s))
        return u"Please Enter Your Name"_s;
    if (missing(email, u"Your Email Address"_s))
        return u"Please Enter Your Email"_s;
    if (missing(t[2], u"Your Message"_s))
        return u"Please Enter Your Message"_s;
    if (missing(t[3], u"Friend's Name"_s))
        return u"Please Enter Your Friend's Name"_s;
    if (missing(friendEmail, u"Friend's Email Address"_s))
        return u"Please Enter Your Friend's Email"_s;
    // Percent-encoded, every UTF-8 byte but the unreserved ones takes three characters.
    qsizetype length = modHelp::ReferAFriendURL().toEncoded().size() + 6 * 6;
    for (const QString &text : t + QStringList{modHelp::ProductSiteURL().toString()}) {
        for (const char byte : text.toUtf8()) {
            const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                                    (byte >= '0' && byte <= '9') || QByteArrayView("-._~").contains(byte);
            length += unreserved ? 1 : 3;
        }
    }
    if (length > 32000)
        return u"Your Referral Is Too Long To Send"_s;
    return {};
}

// Settings files of one folder, one per application name, as the program keeps its own.
class FolderStore final : public SettingsStore
{
public:
    explicit FolderStore(QString folder) : m_folder(std::move(folder)) {}
    QString file(const QString &application) const { return m_folder + u'/' + application + u".ini"_s; }
    QString read(const QString &application, const QString &section, const QString &key) override
    {
        return IniFile::read(file(application), section, key);
    }
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value) override
    {
        return IniFile::write(file(application), section, key, value);
    }

private:
    QString m_folder;
};

enum class FileKind { RandomBytes, DamagedOwnFile };

// Flips, inserts, deletes, repeats and cuts bytes of a file the program wrote itself.
QByteArray damaged(QByteArray bytes, QRandomGenerator &random)
{
    static const QByteArray Significant = "[]=\\\"@%,;#\n\r\t Settings()\x00\xff\xc3"_ba;
    for (int i = random.bounded(5); i > 0; --i) {
        const qsizetype at = bytes.isEmpty() ? 0 : random.bounded(bytes.size());
        switch (random.bounded(5)) {
        case 0:
            if (!bytes.isEmpty())
                bytes[at] = char(random.bounded(256));
            break;
        case 1:
            bytes.insert(at, Significant.at(random.bounded(Significant.size())));
            break;
        case 2:
            bytes.remove(at, random.bounded(1, 8));
            break;
        case 3:
            bytes.insert(at, bytes.mid(at, random.bounded(1, 40)));
            break;
        default:
            bytes.truncate(at);
            break;
        }
    }
    return bytes;
}
} // namespace

Q_DECLARE_METATYPE(KeyMix)
Q_DECLARE_METATYPE(FileKind)

class tst_Fuzz : public WindowSuite
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nameBoxHoldsOnlyCapitalsAndBlanks_data();
    void nameBoxHoldsOnlyCapitalsAndBlanks();
    void referralAnswersOrSendsEveryValueIntact_data();
    void referralAnswersOrSendsEveryValueIntact();
    void reminderHealsAnySettingsFile_data();
    void reminderHealsAnySettingsFile();

private:
    ProgramNavigation m_navigation;
    QTemporaryDir m_configHome{QFileInfo::exists(u"/dev/shm"_s)
                                   ? u"/dev/shm/kaltrix-fuzz-XXXXXX"_s
                                   : QDir::tempPath() + u"/kaltrix-fuzz-XXXXXX"_s};
};

// Text from scripts no installed font shapes draws anyway; the warning for each says nothing here.
QtMessageHandler g_testlibHandler = nullptr;

void quietAboutMissingShaping(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(u"OpenType support missing"_s))
        g_testlibHandler(type, context, message);
}

void tst_Fuzz::initTestCase()
{
    g_testlibHandler = qInstallMessageHandler(quietAboutMissingShaping);
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    // Whatever a paste would bring in is no name.
    QApplication::clipboard()->setText(u"x1 é-"_s);
}

void tst_Fuzz::nameBoxHoldsOnlyCapitalsAndBlanks_data()
{
    QTest::addColumn<KeyMix>("mix");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("presses");
    QTest::addRow("typed characters") << KeyMix::Typed << 71u << 4000;
    QTest::addRow("ctrl, alt and meta chords") << KeyMix::Chords << 72u << 3000;
    QTest::addRow("editing keys between typing") << KeyMix::Editing << 73u << 3000;
    QTest::addRow("everything") << KeyMix::Everything << 74u << 4000;
}

void tst_Fuzz::nameBoxHoldsOnlyCapitalsAndBlanks()
{
    QFETCH(KeyMix, mix);
    QFETCH(quint32, seed);
    QFETCH(int, presses);
    frmMain &main = Forms::mainWindow();
    main.show();
    QLineEdit *box = main.txtFirstName;
    QRandomGenerator random(seed);

    for (int i = 0; i < presses; ++i) {
        if (box->text().size() > 24)
            box->clear();
        const Press press = randomPress(random, mix);
        const QString before = box->text();
        const int from = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        const int to = box->hasSelectedText() ? box->selectionEnd() : from;
        const qsizetype messagesBefore = m_platform.messages.size();
        const QString pasted = before.left(from) + QApplication::clipboard()->text() + before.mid(to);

        // Straight to the box, as the keyboard delivers it once no shortcut has claimed the key.
        QKeyEvent down(QEvent::KeyPress, press.key, press.modifiers, press.text);
        QApplication::sendEvent(box, &down);
        QKeyEvent up(QEvent::KeyRelease, press.key, press.modifiers, press.text);
        QApplication::sendEvent(box, &up);

        const QString after = box->text();
        const qsizetype shown = m_platform.messages.size() - messagesBefore;
        const QString where = u"case %1: %2, \"%3\" -> \"%4\", %5 message(s)"_s.arg(i)
                                  .arg(describe(press), before, after)
                                  .arg(shown);
        if (press.expect == Expect::Pasted || (press.key == Qt::Key_F18 && after == pasted)) {
            QVERIFY2(shown == 0 && after == pasted, qPrintable(where));
            box->clear(); // what was pasted stands outside the rule for typed keys
            continue;
        }
        QVERIFY2(onlyCapitalsAndBlanks(after), qPrintable(where));
        QVERIFY2(shown <= 1, qPrintable(where));
        if (shown == 1) {
            QVERIFY2(after == before, qPrintable(where));
            QCOMPARE(m_platform.messages.last().text, u"Please Enter Only Alphabet"_s);
        }
        switch (press.expect) {
        case Expect::Capital: {
            const QString expected = before.left(from) + press.text.toUpper() + before.mid(to);
            QVERIFY2(shown == 0 && after == expected, qPrintable(where));
            break;
        }
        case Expect::Refused:
            QVERIFY2(shown == 1, qPrintable(where));
            break;
        case Expect::Nothing:
            QVERIFY2(shown == 0 && after == before, qPrintable(where));
            break;
        case Expect::Editing:
            QVERIFY2(shown == 0 && isSubsequence(after, before), qPrintable(where));
            break;
        case Expect::Pasted:
        case Expect::Any:
            break;
        }
    }
    QVERIFY(main.isVisible());
}

void tst_Fuzz::referralAnswersOrSendsEveryValueIntact_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("maxTokens");
    QTest::addRow("short texts") << 81u << 4000 << 6;
    QTest::addRow("longer texts") << 82u << 1500 << 60;
    QTest::addRow("a few very long texts") << 83u << 40 << 1200;
}

void tst_Fuzz::referralAnswersOrSendsEveryValueIntact()
{
    QFETCH(quint32, seed);
    QFETCH(int, cases);
    QFETCH(int, maxTokens);
    frmNagScreen2 &screen = Forms::exitScreen();
    screen.show();
    const QList<QWidget *> fields{screen.txtName, screen.txtEmail, screen.txtMessage, screen.txtFriendName,
                                  screen.txtFriendEmail};
    QRandomGenerator random(seed);
    int sent = 0;

    for (int i = 0; i < cases; ++i) {
        QStringList texts;
        for (int f = 0; f < fields.size(); ++f)
            texts << randomFieldText(random, maxTokens);
        switch (random.bounded(4)) {
        case 0: // addresses that pass the panel's own checks
            texts[1] += u"@a.b"_s;
            texts[4] += u"@c.d"_s;
            break;
        case 1:
            texts[4] = u"  "_s + texts[1];
            break;
        default:
            break;
        }
        for (int f = 0; f < fields.size(); ++f)
            setFieldText(fields[f], texts[f]);
        QStringList trimmed;
        for (QWidget *field : fields)
            trimmed << trimBlanks(fieldText(field));
        m_platform.clearRecords();

        screen.cmdSubmit->click();

        const QString refusal = expectedRefusal(trimmed);
        const QString where = u"case %1: [%2]"_s.arg(i).arg(trimmed.join(u"] ["_s).left(300));
        QVERIFY2(m_platform.messageTexts() == (refusal.isEmpty() ? QStringList() : QStringList{refusal}),
                 qPrintable(where + u" got "_s + m_platform.messageTexts().join(u", "_s)));
        QVERIFY2(m_platform.openedUrls.size() == (refusal.isEmpty() ? 1 : 0), qPrintable(where));
        if (!refusal.isEmpty())
            continue;
        ++sent;
        // What reaches the browser is the encoded form; it must parse back to the very same address.
        const QByteArray encoded = m_platform.openedUrls.first().toEncoded();
        QCOMPARE(QUrl::fromEncoded(encoded, QUrl::StrictMode), m_platform.openedUrls.first());
        const qsizetype question = encoded.indexOf('?');
        QVERIFY2(question > 0, qPrintable(where));
        QCOMPARE(QUrl::fromEncoded(encoded.left(question)), modHelp::ReferAFriendURL());
        QList<std::pair<QString, QString>> expected;
        for (int f = 0; f < trimmed.size(); ++f)
            expected.append({u"taf%1"_s.arg(f + 1), trimmed[f]});
        expected.append({u"taf6"_s, modHelp::ProductSiteURL().toString()});
        QVERIFY2(formDecode(encoded) == expected, qPrintable(where));
    }
    QVERIFY2(sent > cases / 20, "too few cases reach the address to prove the encoding");
    QVERIFY(screen.isVisible());
}

void tst_Fuzz::reminderHealsAnySettingsFile_data()
{
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("cases");
    QTest::addRow("random bytes") << FileKind::RandomBytes << 91u << 2000;
    QTest::addRow("damaged file of our own") << FileKind::DamagedOwnFile << 92u << 2000;
}

void tst_Fuzz::reminderHealsAnySettingsFile()
{
    QFETCH(FileKind, kind);
    QFETCH(quint32, seed);
    QFETCH(int, cases);
    FolderStore store(m_configHome.path());
    FakePlatform &disk = m_platform;
    disk.disk = &store;
    const auto restore = qScopeGuard([this] {
        m_platform.disk = nullptr;
        m_platform.appName = u"kaltrix"_s;
        m_platform.answers.clear();
    });
    const QString durationKey = modHelp::ScrambleText(u"Duration"_s);
    const QString installKey = modHelp::ScrambleText(u"Install"_s);
    auto plain = [&](const QString &key) {
        return modHelp::UnscrambleText(store.read(disk.appName, u"Settings"_s, key));
    };
    QRandomGenerator random(seed);

    // A file as the program leaves it after a stale reminder; the damage below starts from it.
    disk.appName = u"template"_s;
    QVERIFY(store.write(disk.appName, u"Settings"_s, installKey, modHelp::ScrambleText(u"12"_s)));
    QVERIFY(store.write(disk.appName, u"Settings"_s, durationKey, modHelp::ScrambleText(u"2026-10-01"_s)));
    const QByteArray own = fileBytes(store.file(disk.appName));
    QVERIFY(!own.isEmpty());

    int asked = 0;
    for (int i = 0; i < cases; ++i) {
        // A fresh name per case: a file whose size and time repeat could otherwise be taken from the cache.
        disk.appName = u"case%1-%2"_s.arg(seed).arg(i);
        const QString path = store.file(disk.appName);
        QByteArray bytes =
            kind == FileKind::RandomBytes ? randomIniBytes(random, 2048) : damaged(own, random);
        if (i % 2 != 0)
            bytes.replace('\0', '\x01'); // text, if damaged: the kind the store heals
        const bool healed = IniFile::isOurText(bytes);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }
        const MessageAnswer answer = random.bounded(2) ? MessageAnswer::Yes : MessageAnswer::No;
        disk.answers = {answer};
        disk.clearRecords();
        const QString where =
            u"case %1: %2"_s.arg(i).arg(QString::fromLatin1(bytes.toPercentEncoding().left(400)));

        QElapsedTimer clock;
        clock.start();
        (void)plain(durationKey);
        (void)plain(installKey);
        modHelp::UpdateReminder();
        const bool askedFirst = !disk.messages.isEmpty();
        if (!healed) {
            // Somebody else's file: read as empty, a first run, and left exactly as it was.
            QVERIFY2(!askedFirst && fileBytes(path) == bytes, qPrintable(where));
            QVERIFY(QFile::remove(path));
            continue;
        }
        QVERIFY2(QDate::fromString(plain(durationKey), u"yyyy-MM-dd").isValid(), qPrintable(where));
        if (askedFirst) {
            ++asked;
            bool number = false;
            QVERIFY2(plain(installKey).toUInt(&number) < 0x80000000u && number, qPrintable(where));
            QCOMPARE(disk.openedUrls.size(), answer == MessageAnswer::Yes ? 1 : 0);
        }
        // Healed: the next start on the same day asks nothing.
        modHelp::UpdateReminder();
        QVERIFY2(disk.messages.size() == (askedFirst ? 1 : 0), qPrintable(where));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(where));
        QVERIFY(QFile::remove(path));
    }
    if (kind == FileKind::DamagedOwnFile)
        QVERIFY2(asked > cases / 10, "too few damaged files keep a stale day to reach the question");
}

QTEST_MAIN(tst_Fuzz)
#include "tst_fuzz.moc"
