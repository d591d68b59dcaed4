#include "app/forms.h"
#include "fakeplatform.h"
#include "ui/placeholderfield.h"
#include "web/exitscreen.h"
#include "web/links.h"
#include "web/tellafriend.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString NotDistinct = u"Please Enter Distinct Email Addresses"_s;
const QString NotProper = u"Please Enter Proper Email Address"_s;
const QString NoName = u"Please Enter Your Name"_s;
const QString NoMessage = u"Please Enter Your Message"_s;
const QString NoFriendName = u"Please Enter Your Friend's Name"_s;

// The five panel texts; the defaults form a referral that passes every check.
struct Panel
{
    QString name = u"Ann Lee"_s;
    QString email = u"ann@example.com"_s;
    QString message = u"Your Message\r\n"_s;
    QString friendName = u"Bob"_s;
    QString friendEmail = u"bob@example.org"_s;
};

// Reads the query as a form handler on the server does: "&" splits, the first "=" ends the key, "+" is a
// blank, and what is left is percent-decoded as UTF-8.
QList<std::pair<QString, QString>> formDecode(const QByteArray &encodedUrl)
{
    QList<std::pair<QString, QString>> items;
    for (QByteArray part : encodedUrl.mid(encodedUrl.indexOf('?') + 1).split('&')) {
        part.replace('+', ' ');
        const qsizetype equals = part.indexOf('=');
        items.append(
            {QUrl::fromPercentEncoding(part.left(equals)), QUrl::fromPercentEncoding(part.mid(equals + 1))});
    }
    return items;
}

// One key press per character, as typed; a line feed is the Return key.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void retype(QWidget *widget, const QString &text)
{
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
    type(widget, text);
}
} // namespace

Q_DECLARE_METATYPE(Panel)

class tst_ReferAFriend : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void placeholderFollowsFocus_data();
    void placeholderFollowsFocus();
    void spaceIsRefusedOnlyInEmailFields_data();
    void spaceIsRefusedOnlyInEmailFields();
    void submissionStopsAtFirstFailedCheck_data();
    void submissionStopsAtFirstFailedCheck();
    void requestGuardsItsOwnValues_data();
    void requestGuardsItsOwnValues();
    void referralOpensOneAddressThatDecodesToTheFields_data();
    void referralOpensOneAddressThatDecodesToTheFields();

private:
    // Focus the way the user gives it: a click, or Tab for the message field that lies outside the frame.
    bool enter(QWidget *field);
    void submit() { QTest::mouseClick(m_screen->cmdSubmit, Qt::LeftButton); }

    FakePlatform m_platform;
    frmNagScreen2 *m_screen = nullptr;
};

void tst_ReferAFriend::init()
{
    m_screen = &Forms::exitScreen();
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    m_screen->cmdClose->setFocus();
    m_platform.clearRecords();
    m_platform.onMessage = nullptr;
}

void tst_ReferAFriend::cleanup()
{
    destroyAllWindows();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

bool tst_ReferAFriend::enter(QWidget *field)
{
    if (field == m_screen->txtMessage) {
        QTest::mouseClick(m_screen->txtFriendName, Qt::LeftButton);
        QTest::keyClick(m_screen->txtFriendName, Qt::Key_Tab);
    } else {
        QTest::mouseClick(field, Qt::LeftButton);
    }
    return QApplication::focusWidget() == field;
}

namespace {
QString fieldText(QWidget *field)
{
    if (auto *lines = qobject_cast<PlaceholderTextField *>(field))
        return lines->text();
    return qobject_cast<QLineEdit *>(field)->text();
}
} // namespace

void tst_ReferAFriend::placeholderFollowsFocus_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("onFocus");
    QTest::addColumn<bool>("retyped");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("onLeaving");

    QTest::addRow("name hint cleared, back when left empty")
        << u"txtName"_s << u"Your Name"_s << QString() << false << QString() << u"Your Name"_s;
    QTest::addRow("hint with blanks around counts as hint")
        << u"txtName"_s << u"  Your Name "_s << QString() << false << QString() << u"Your Name"_s;
    QTest::addRow("hint in other case is text")
        << u"txtName"_s << u"your name"_s << u"your name"_s << false << QString() << u"your name"_s;
    QTest::addRow("blanks only bring the hint back")
        << u"txtName"_s << u"Ann"_s << u"Ann"_s << true << u"   "_s << u"Your Name"_s;
    QTest::addRow("typed text kept untrimmed")
        << u"txtFriendName"_s << u"Friend's Name"_s << QString() << true << u" Bob "_s << u" Bob "_s;
    QTest::addRow("own e-mail hint") << u"txtEmail"_s << u"Your Email Address"_s << QString() << false
                                     << QString() << u"Your Email Address"_s;
    QTest::addRow("friend's e-mail hint") << u"txtFriendEmail"_s << u"Friend's Email Address"_s << QString()
                                          << false << QString() << u"Friend's Email Address"_s;
    QTest::addRow("untouched message is not its hint")
        << u"txtMessage"_s << u"Your Message\r\n"_s << u"Your Message\r\n"_s << false << QString()
        << u"Your Message\r\n"_s;
    QTest::addRow("emptied message comes back without line end")
        << u"txtMessage"_s << u"Your Message\r\n"_s << u"Your Message\r\n"_s << true << QString()
        << u"Your Message"_s;
    QTest::addRow("message hint cleared, lines joined by CR LF")
        << u"txtMessage"_s << u"Your Message"_s << QString() << true << u"Hi\nthere"_s << u"Hi\r\nthere"_s;
}

void tst_ReferAFriend::placeholderFollowsFocus()
{
    QFETCH(QString, field);
    QFETCH(QString, initial);
    QFETCH(QString, onFocus);
    QFETCH(bool, retyped);
    QFETCH(QString, replacement);
    QFETCH(QString, onLeaving);
    auto *widget = m_screen->findChild<QWidget *>(field);
    QVERIFY(widget);
    if (auto *lines = qobject_cast<PlaceholderTextField *>(widget))
        lines->setText(initial);
    else
        qobject_cast<QLineEdit *>(widget)->setText(initial);

    QVERIFY(enter(widget));
    QCOMPARE(fieldText(widget), onFocus);
    if (retyped)
        retype(widget, replacement);
    QTest::keyClick(widget, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != widget);
    QCOMPARE(fieldText(widget), onLeaving);
    QVERIFY(m_platform.messages.isEmpty());
}

void tst_ReferAFriend::spaceIsRefusedOnlyInEmailFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("refused");
    QTest::addRow("own e-mail") << u"txtEmail"_s << u"ann"_s << true;
    QTest::addRow("own e-mail, empty") << u"txtEmail"_s << QString() << true;
    QTest::addRow("friend's e-mail") << u"txtFriendEmail"_s << u"bob"_s << true;
    QTest::addRow("name") << u"txtName"_s << u"Ann"_s << false;
    QTest::addRow("friend's name") << u"txtFriendName"_s << u"Bob"_s << false;
}

void tst_ReferAFriend::spaceIsRefusedOnlyInEmailFields()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(bool, refused);
    auto *edit = m_screen->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QVERIFY(enter(edit));
    type(edit, before);
    // A real box takes the focus while it is up; the field must get it back.
    m_platform.onMessage = [this](const MessageRequest &) {
        m_screen->cmdClose->setFocus();
    };

    QTest::keyClick(edit, Qt::Key_Space);
    type(edit, u"x"_s);

    QCOMPARE(edit->text(), before + (refused ? QString() : u" "_s) + u"x"_s);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(m_platform.messageTexts(),
             refused ? QStringList{u"Email Address Cannot Contain Space"_s} : QStringList());
    if (refused)
        QCOMPARE(m_platform.messages.first().icon, MessageIcon::Critical);
}

void tst_ReferAFriend::submissionStopsAtFirstFailedCheck_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QString>("expected"); // empty: the referral is sent

    QTest::addRow("both e-mails emptied, before the name")
        << Panel{.name = u"Your Name"_s, .email = {}, .friendEmail = {}} << NotDistinct;
    QTest::addRow("same e-mail") << Panel{.friendEmail = u"ann@example.com"_s} << NotDistinct;
    QTest::addRow("same e-mail once trimmed")
        << Panel{.email = u"  ann@example.com"_s, .friendEmail = u"ann@example.com "_s} << NotDistinct;
    QTest::addRow("both e-mails at their hints")
        << Panel{.email = u"Your Email Address"_s, .friendEmail = u"Friend's Email Address"_s} << NotProper;
    QTest::addRow("own e-mail without @") << Panel{.email = u"ann.example.com"_s} << NotProper;
    QTest::addRow("friend's e-mail without @") << Panel{.friendEmail = u"bob.example.org"_s} << NotProper;
    QTest::addRow("own e-mail without dot") << Panel{.email = u"ann@example"_s} << NotProper;
    QTest::addRow("friend's e-mail without dot") << Panel{.friendEmail = u"bob@example"_s} << NotProper;
    QTest::addRow("e-mails checked before the name")
        << Panel{.name = u"Your Name"_s, .email = u"ann"_s} << NotProper;
    QTest::addRow("name at its hint") << Panel{.name = u"Your Name"_s} << NoName;
    QTest::addRow("name of blanks only") << Panel{.name = u"   "_s} << NoName;
    QTest::addRow("name before message")
        << Panel{.name = u" Your Name "_s, .message = u"Your Message"_s} << NoName;
    QTest::addRow("message at its hint") << Panel{.message = u"Your Message"_s} << NoMessage;
    QTest::addRow("message of blanks only") << Panel{.message = u"  "_s} << NoMessage;
    QTest::addRow("friend's name at its hint") << Panel{.friendName = u"Friend's Name"_s} << NoFriendName;
    QTest::addRow("friend's name emptied") << Panel{.friendName = {}} << NoFriendName;
    QTest::addRow("e-mails differing only in case")
        << Panel{.email = u"Bob@Example.org"_s, .friendEmail = u"bob@example.org"_s} << QString();
    QTest::addRow("name differing from its hint only in case") << Panel{.name = u"your name"_s} << QString();
    QTest::addRow("dot before @ is enough") << Panel{.email = u"a.b@c"_s} << QString();
}

void tst_ReferAFriend::submissionStopsAtFirstFailedCheck()
{
    QFETCH(Panel, panel);
    QFETCH(QString, expected);
    m_screen->txtName->setText(panel.name);
    m_screen->txtEmail->setText(panel.email);
    m_screen->txtMessage->setText(panel.message);
    m_screen->txtFriendName->setText(panel.friendName);
    m_screen->txtFriendEmail->setText(panel.friendEmail);

    submit();

    QCOMPARE(m_platform.messageTexts(), expected.isEmpty() ? QStringList() : QStringList{expected});
    for (const MessageRequest &message : std::as_const(m_platform.messages))
        QCOMPARE(message.icon, MessageIcon::Critical);
    QCOMPARE(m_platform.openedUrls.size(), expected.isEmpty() ? 1 : 0);
    // Stored trimmed before any check, while the fields keep what was typed.
    QCOMPARE(modTellAFriend::tafName, trimBlanks(panel.name));
    QCOMPARE(modTellAFriend::tafFriendEmail, trimBlanks(panel.friendEmail));
    QCOMPARE(m_screen->txtName->text(), panel.name);
    QCOMPARE(m_screen->txtEmail->text(), panel.email);
    QCOMPARE(m_screen->txtFriendEmail->text(), panel.friendEmail);
}

void tst_ReferAFriend::requestGuardsItsOwnValues_data()
{
    QTest::addColumn<QString *>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addRow("own e-mail empty")
        << &modTellAFriend::tafEmail << QString() << u"Please Enter Your Email"_s;
    QTest::addRow("own e-mail at its hint")
        << &modTellAFriend::tafEmail << u"Your Email Address"_s << u"Please Enter Your Email"_s;
    QTest::addRow("friend's e-mail empty")
        << &modTellAFriend::tafFriendEmail << u" "_s << u"Please Enter Your Friend's Email"_s;
    QTest::addRow("friend's e-mail at its hint")
        << &modTellAFriend::tafFriendEmail << u"Friend's Email Address"_s
        << u"Please Enter Your Friend's Email"_s;
}

void tst_ReferAFriend::requestGuardsItsOwnValues()
{
    QFETCH(QString *, value);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Panel valid;
    modTellAFriend::tafName = valid.name;
    modTellAFriend::tafEmail = valid.email;
    modTellAFriend::tafMessage = valid.message;
    modTellAFriend::tafFriendName = valid.friendName;
    modTellAFriend::tafFriendEmail = valid.friendEmail;
    *value = text;

    modTellAFriend::TellAFriend();

    QCOMPARE(m_platform.messageTexts(), QStringList{expected});
    QVERIFY(m_platform.openedUrls.isEmpty());
}

void tst_ReferAFriend::referralOpensOneAddressThatDecodesToTheFields_data()
{
    QTest::addColumn<Panel>("typed"); // a message equal to the default is left untouched
    QTest::addColumn<QStringList>("sent");
    const QString untouched = Panel().message;

    QTest::addRow("plain, message untouched")
        << Panel{}
        << QStringList{u"Ann Lee"_s, u"ann@example.com"_s, untouched, u"Bob"_s, u"bob@example.org"_s};
    QTest::addRow("outer blanks dropped, inner kept")
        << Panel{.name = u"  Ann  Lee "_s, .friendName = u" Bob  "_s}
        << QStringList{u"Ann  Lee"_s, u"ann@example.com"_s, untouched, u"Bob"_s, u"bob@example.org"_s};
    QTest::addRow("query delimiters, line ends and accents")
        << Panel{.name = u"Jo&taf2=x#y"_s,
                 .email = u"a+b%20c@ex.org"_s,
                 .message = u"50% & more\nline 2 é"_s,
                 .friendName = u"Zoë + Chloé = 2"_s,
                 .friendEmail = u"z#&=@ex.org"_s}
        << QStringList{u"Jo&taf2=x#y"_s, u"a+b%20c@ex.org"_s, u"50% & more\r\nline 2 é"_s,
                       u"Zoë + Chloé = 2"_s, u"z#&=@ex.org"_s};
}

void tst_ReferAFriend::referralOpensOneAddressThatDecodesToTheFields()
{
    QFETCH(Panel, typed);
    QFETCH(QStringList, sent);
    const QList<std::pair<QWidget *, QString>> fields{{m_screen->txtName, typed.name},
                                                      {m_screen->txtEmail, typed.email},
                                                      {m_screen->txtFriendName, typed.friendName},
                                                      {m_screen->txtFriendEmail, typed.friendEmail},
                                                      {m_screen->txtMessage, typed.message}};
    for (const auto &[field, text] : fields) {
        if (field == m_screen->txtMessage && text == Panel().message)
            continue;
        QVERIFY(enter(field));
        retype(field, text);
    }

    submit();
    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(m_platform.openedUrls.size(), 1);
    const QUrl address = m_platform.openedUrls.first();
    QCOMPARE(address.adjusted(QUrl::RemoveQuery), modHelp::ReferAFriendURL());
    QVERIFY(!address.hasFragment());
    QList<std::pair<QString, QString>> expected;
    for (qsizetype i = 0; i < sent.size(); ++i)
        expected.append({u"taf%1"_s.arg(i + 1), sent.at(i)});
    expected.append({u"taf6"_s, modHelp::ProductSiteURL().toString()});
    QCOMPARE(formDecode(address.toEncoded()), expected);

    QCOMPARE(m_screen->txtName->text(), typed.name);
    QCOMPARE(m_screen->txtFriendEmail->text(), typed.friendEmail);
    QVERIFY(m_screen->isVisible());

    submit();
    QCOMPARE(m_platform.openedUrls, QList<QUrl>({address, address}));
}

QTEST_MAIN(tst_ReferAFriend)
#include "tst_referafriend.moc"
