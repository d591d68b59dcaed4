// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "fakeplatform.h"
#include "formdecode.h"
#include "ui/widgets/placeholderfield.h"
#include "ui/widgets/textrules.h"
#include "web/exitscreen.h"
#include "web/links.h"
#include "web/tellafriend.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The five panel texts; the defaults form a referral that passes every check.
struct Panel
{
    QString name = u"Ann Lee"_s;
    QString email = u"ann@example.com"_s;
    QString message = u"Your Message\r\n"_s;
    QString friendName = u"Bob"_s;
    QString friendEmail = u"bob@example.org"_s;
};

// Replaces the text with one key press per character; a line feed is the Return key.
void retype(QWidget *widget, const QString &text)
{
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
} // namespace

Q_DECLARE_METATYPE(Panel)

class tst_ReferAFriend : public WindowSuite
{
    Q_OBJECT

private slots:
    void init();
    void placeholderFollowsFocus_data();
    void placeholderFollowsFocus();
    void spaceIsRefusedInEmailFields_data();
    void spaceIsRefusedInEmailFields();
    void submissionStopsAtFirstFailedCheck_data();
    void submissionStopsAtFirstFailedCheck();
    void referralOpensOneAddressThatDecodesToTheFields_data();
    void referralOpensOneAddressThatDecodesToTheFields();

private:
    // Focus as the user gives it: a click, or Tab for the message field that lies outside the frame.
    bool enter(QWidget *field)
    {
        const bool message = field == m_screen->txtMessage;
        QTest::mouseClick(message ? m_screen->txtFriendName : field, Qt::LeftButton);
        if (message)
            QTest::keyClick(m_screen->txtFriendName, Qt::Key_Tab);
        return QApplication::focusWidget() == field;
    }
    void submit() { QTest::mouseClick(m_screen->cmdSubmit, Qt::LeftButton); }

    ProgramNavigation m_navigation;
    frmNagScreen2 *m_screen = nullptr;
};

void tst_ReferAFriend::init()
{
    m_screen = &Forms::exitScreen();
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    m_platform.clearRecords();
}

void tst_ReferAFriend::placeholderFollowsFocus_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("onFocus");
    QTest::addColumn<QString>("typed"); // null: left as it is
    QTest::addColumn<QString>("onLeaving");
    auto row = [](const char *tag, const QString &field, const QString &initial, const QString &onFocus,
                  const QString &typed, const QString &onLeaving) {
        QTest::addRow("%s", tag) << field << initial << onFocus << typed << onLeaving;
    };
    const QString name = u"txtName"_s, friendName = u"txtFriendName"_s, message = u"txtMessage"_s;
    const QString untouched = Panel().message;
    row("hint cleared and restored", name, u"Your Name"_s, u""_s, QString(), u"Your Name"_s);
    row("padded hint", name, u"  Your Name "_s, u""_s, QString(), u"Your Name"_s);
    row("hint in other case", name, u"your name"_s, u"your name"_s, QString(), u"your name"_s);
    row("blanks only", friendName, u"Bob"_s, u"Bob"_s, u"   "_s, u"Friend's Name"_s);
    row("kept untrimmed", friendName, u"Friend's Name"_s, u""_s, u" Bo "_s, u" Bo "_s);
    row("message untouched", message, untouched, untouched, QString(), untouched);
    row("message emptied", message, untouched, untouched, u""_s, u"Your Message"_s);
    row("message lines", message, u"Your Message"_s, u""_s, u"Hi\nyou"_s, u"Hi\r\nyou"_s);
}

void tst_ReferAFriend::placeholderFollowsFocus()
{
    QFETCH(QString, field);
    QFETCH(QString, initial);
    QFETCH(QString, onFocus);
    QFETCH(QString, typed);
    QFETCH(QString, onLeaving);
    auto *widget = m_screen->findChild<QWidget *>(field);
    setFieldText(widget, initial);

    QVERIFY(enter(widget));
    QCOMPARE(fieldText(widget), onFocus);
    if (!typed.isNull())
        retype(widget, typed);
    QTest::keyClick(widget, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != widget);
    QCOMPARE(fieldText(widget), onLeaving);
}

void tst_ReferAFriend::spaceIsRefusedInEmailFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("composed"); // arriving as an input method's commit, as dead keys make it
    QTest::addRow("own e-mail, empty") << u"txtEmail"_s << u""_s << false;
    QTest::addRow("friend's e-mail") << u"txtFriendEmail"_s << u"bob"_s << false;
    QTest::addRow("friend's e-mail, composed") << u"txtFriendEmail"_s << u"bob"_s << true;
}

// Names take blanks: the referral test types them.
void tst_ReferAFriend::spaceIsRefusedInEmailFields()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(bool, composed);
    auto *edit = m_screen->findChild<QLineEdit *>(field);
    QVERIFY(enter(edit));
    retype(edit, before);
    // A real box takes the focus while it is up; the field must get it back, with its text as it was.
    m_platform.onMessage = [this](const MessageRequest &) {
        m_screen->cmdClose->setFocus();
    };

    if (composed) {
        QInputMethodEvent commit;
        commit.setCommitString(u" y"_s); // nothing after the refused blank arrives
        QCoreApplication::sendEvent(edit, &commit);
    } else {
        QTest::keyClick(edit, Qt::Key_Space);
    }
    QTest::keyClick(edit, Qt::Key_X);

    QCOMPARE(edit->text(), before + u"x"_s);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(m_platform.messageTexts(), QStringList{u"Email Address Cannot Contain Space"_s});
    QCOMPARE(m_platform.messages.first().icon, MessageIcon::Critical);
}

void tst_ReferAFriend::submissionStopsAtFirstFailedCheck_data()
{
    QTest::addColumn<Panel>("panel");
    QTest::addColumn<QString>("expected"); // empty: the referral goes out
    const QString distinct = u"Please Enter Distinct Email Addresses"_s;
    const QString proper = u"Please Enter Proper Email Address"_s;
    const QString noName = u"Please Enter Your Name"_s;
    const QString hint = u"Your Name"_s;

    QTest::addRow("both e-mails emptied") << Panel{.name = hint, .email = {}, .friendEmail = {}} << distinct;
    QTest::addRow("same once trimmed") << Panel{.email = u" a@b.c"_s, .friendEmail = u"a@b.c "_s} << distinct;
    QTest::addRow("both at hints") << Panel{.name = hint,
                                            .email = u"Your Email Address"_s,
                                            .friendEmail = u"Friend's Email Address"_s}
                                   << proper;
    QTest::addRow("own without @") << Panel{.email = u"ann.example.com"_s} << proper;
    QTest::addRow("friend's without @") << Panel{.friendEmail = u"bob.example.org"_s} << proper;
    QTest::addRow("own without dot") << Panel{.email = u"ann@example"_s} << proper;
    QTest::addRow("friend's without dot") << Panel{.friendEmail = u"bob@example"_s} << proper;
    QTest::addRow("name and message at hints") << Panel{.name = hint, .message = u"Your Message"_s} << noName;
    QTest::addRow("name of blanks") << Panel{.name = u"   "_s} << noName;
    QTest::addRow("message at hint") << Panel{.message = u" Your Message"_s}
                                     << u"Please Enter Your Message"_s;
    QTest::addRow("friend's name emptied") << Panel{.friendName = {}} << u"Please Enter Your Friend's Name"_s;
    QTest::addRow("e-mails differ in case") << Panel{.email = u"Bob@Example.org"_s} << QString();
    QTest::addRow("name differs from hint in case") << Panel{.name = u"your name"_s} << QString();
    QTest::addRow("dot before @") << Panel{.email = u"a.b@c"_s} << QString();
    // No field cuts its text; an address no desktop can hand to a browser is refused instead of lost unseen.
    QTest::addRow("texts beyond 32,767 characters")
        << Panel{.name = QString(40000, u'n'), .friendEmail = QString(40000, u'f') + u"@ex.org"_s}
        << u"Your Referral Is Too Long To Send"_s;
    QTest::addRow("a long message that still fits") << Panel{.message = QString(10000, u'm')} << QString();
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
    if (!expected.isEmpty())
        QCOMPARE(m_platform.messages.first().icon, MessageIcon::Critical);
    QCOMPARE(m_platform.openedUrls.size(), expected.isEmpty() ? 1 : 0);
    QCOMPARE(modTellAFriend::tafEmail, trimBlanks(panel.email)); // stored before any check
    QCOMPARE(modTellAFriend::tafName, trimBlanks(panel.name));
    QCOMPARE(modTellAFriend::tafFriendEmail, trimBlanks(panel.friendEmail));
    QCOMPARE(m_screen->txtEmail->text(), panel.email);
}

void tst_ReferAFriend::referralOpensOneAddressThatDecodesToTheFields_data()
{
    QTest::addColumn<Panel>("typed"); // the default message is left untouched
    QTest::addColumn<QStringList>("sent");
    const Panel plain;
    QTest::addRow("plain") << plain
                           << QStringList{plain.name, plain.email, plain.message, plain.friendName,
                                          plain.friendEmail};
    QTest::addRow("delimiters, blanks, line ends, accents")
        << Panel{.name = u"  Jo&taf2=x#y  "_s,
                 .email = u"a+b%20c@ex.org"_s,
                 .message = u"50% & more\nline 2 é"_s,
                 .friendName = u" Zoë + Chloé = 2"_s,
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
        if (text != fieldText(field)) {
            QVERIFY(enter(field));
            retype(field, text);
        }
    }

    submit();
    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(m_platform.openedUrls.size(), 1);
    const QUrl address = m_platform.openedUrls.first();
    QCOMPARE(address.adjusted(QUrl::RemoveQuery), modHelp::ReferAFriendURL());
    QList<std::pair<QString, QString>> expected;
    sent.append(modHelp::ProductSiteURL().toString());
    for (qsizetype i = 0; i < sent.size(); ++i)
        expected.append({u"taf%1"_s.arg(i + 1), sent.at(i)});
    QCOMPARE(formDecode(address.toEncoded()), expected);
    QCOMPARE(m_screen->txtName->text(), typed.name);
    QVERIFY(m_screen->isVisible());

    submit();
    QCOMPARE(m_platform.openedUrls, QList<QUrl>({address, address}));
}

QTEST_MAIN(tst_ReferAFriend)
#include "tst_referafriend.moc"
