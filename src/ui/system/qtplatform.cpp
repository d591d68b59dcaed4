// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/system/qtplatform.h"

#include "ui/look/appearance.h"
#include "ui/widgets/titlebar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>

namespace {
// A Yes/No question can be left by its two answers only, as on Windows: Esc and the close box give none.
class QuestionBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};
} // namespace

QtPlatform::QtPlatform(SettingsStore &settings) : m_settings(settings)
{
    reseedRandom();
}

QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::showMessage(const MessageRequest &request)
{
    useProgramIcon();
    const QMessageBox::Icon icon =
        request.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information;
    // Owned by the active window, so that it stays above a window that keeps itself on top. A box without
    // one (at start-up) comes up above every window on the desktop, another instance's topmost exit screen
    // included: whoever waits for the answer must see the question.
    QWidget *owner = QApplication::activeWindow();
    const Qt::WindowFlags ownerless = owner ? Qt::WindowFlags() : Qt::WindowStaysOnTopHint;
    if (request.buttons == MessageButtons::YesNo) {
        QuestionBox box(icon, applicationTitle(), request.text, QMessageBox::NoButton, owner);
        // Flags after the modality: setting that gives a message box the flags of a plain dialog again.
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | ownerless);
        box.setTextFormat(Qt::PlainText);
        frameForWayland(&box);
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        QPushButton *no = box.addButton(QMessageBox::No);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? no : yes);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QMessageBox box(icon, applicationTitle(), request.text, QMessageBox::NoButton, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlags(box.windowFlags() | ownerless);
    box.setTextFormat(Qt::PlainText);
    frameForWayland(&box);
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
    box.exec();
    return MessageAnswer::Ok;
}

void QtPlatform::openUrl(const QUrl &url)
{
    // A missing browser or handler is not the user's business here. What a failed launch would report, Qt's
    // warning or the launcher's complaint, carries the whole address, and a referral's names and e-mail
    // addresses must not end up in a session log: nothing said during the launch goes anywhere.
    const Native::QuietStandardError quiet;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    (void)QDesktopServices::openUrl(url);
    qInstallMessageHandler(previous);
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

float QtPlatform::nextRandom()
{
    // 24 random bits fill a float's mantissa exactly, so every value lies in [0, 1).
    return float(m_generator() >> 8) * 0x1p-24f;
}

void QtPlatform::reseedRandom()
{
    const auto now = QDateTime::currentDateTimeUtc().toMSecsSinceEpoch();
    m_generator.seed(std::uint32_t(now ^ (now >> 32)));
}

bool QtPlatform::acquireInstanceGuard(const QString &application)
{
    auto guard = std::make_unique<Native::InstanceGuard>();
    const Native::InstanceGuard::Result result = guard->acquire(application);
    if (result == Native::InstanceGuard::Result::Held)
        m_instanceGuard = std::move(guard);
    return result != Native::InstanceGuard::Result::HeldByAnother;
}

QString QtPlatform::applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

const SingleByteSet &QtPlatform::singleByteSet()
{
    return Native::ansiSet();
}

void QtPlatform::endProcess()
{
    m_instanceGuard.reset();
    std::_Exit(0);
}
