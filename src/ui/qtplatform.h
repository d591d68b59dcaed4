#pragma once

#include "ui/platform.h"

#include <QLockFile>
#include <memory>
#include <random>

// The real desktop: Qt's message boxes, the desktop's URL handler, QSettings, the system clock and a
// lock file in the per-user runtime folder.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

    MessageAnswer showMessage(const MessageRequest &request) override;
    void openUrl(const QUrl &url) override;
    QString readSetting(const QString &application, const QString &section, const QString &key) override;
    bool writeSetting(const QString &application, const QString &section, const QString &key,
                      const QString &value) override;
    QDate today() override;
    float nextRandom() override;
    void reseedRandom() override;
    bool acquireInstanceGuard(const QString &application) override;
    QString applicationName() override;
    [[noreturn]] void endProcess() override;

private:
    std::mt19937 m_generator;
    std::unique_ptr<QLockFile> m_instanceGuard;
};
