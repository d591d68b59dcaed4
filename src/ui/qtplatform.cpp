#include "ui/qtplatform.h"

#include "settings/settingsstore.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <cstdlib>

QtPlatform::QtPlatform()
{
    reseedRandom();
}

QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::showMessage(const MessageRequest &request)
{
    // Owned by the active window so that the box stays above a window that keeps itself on top.
    QMessageBox box(request.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                    applicationTitle(), request.text, QMessageBox::NoButton, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::YesNo) {
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        QPushButton *no = box.addButton(QMessageBox::No);
        box.setDefaultButton(request.defaultAnswer == MessageAnswer::No ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
    box.exec();
    return MessageAnswer::Ok;
}

void QtPlatform::openUrl(const QUrl &url)
{
    // A missing browser or handler is not the user's business here.
    (void)QDesktopServices::openUrl(url);
}

QString QtPlatform::readSetting(const QString &application, const QString &section, const QString &key)
{
    return SettingsStore::read(application, section, key);
}

bool QtPlatform::writeSetting(const QString &application, const QString &section, const QString &key,
                              const QString &value)
{
    return SettingsStore::write(application, section, key, value);
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
    // Per-user and private (0700), so nobody else can hold our name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return true; // without a place for the guard the program still runs
    auto guard = std::make_unique<QLockFile>(folder + u'/' + application + QStringLiteral(".lock"));
    // Never stale by age: only a lock whose owner has died is taken over.
    guard->setStaleLockTime(0);
    if (guard->tryLock(0)) {
        m_instanceGuard = std::move(guard);
        return true;
    }
    return guard->error() != QLockFile::LockFailedError;
}

QString QtPlatform::applicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void QtPlatform::endProcess()
{
    m_instanceGuard.reset();
    std::_Exit(0);
}
