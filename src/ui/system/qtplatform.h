// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/native.h"
#include "ui/system/platform.h"

#include <memory>
#include <random>

// The real desktop: Qt's message boxes, the desktop's URL handler, the system clock, the instance lock of
// the system (native.h), and the settings store it is given.
class QtPlatform final : public Platform
{
public:
    explicit QtPlatform(SettingsStore &settings);
    ~QtPlatform() override;

    MessageAnswer showMessage(const MessageRequest &request) override;
    void openUrl(const QUrl &url) override;
    SettingsStore &settings() override { return m_settings; }
    QDate today() override;
    float nextRandom() override;
    void reseedRandom() override;
    bool acquireInstanceGuard(const QString &application) override;
    QString applicationName() override;
    const SingleByteSet &singleByteSet() override;
    [[noreturn]] void endProcess() override;

private:
    SettingsStore &m_settings;
    std::mt19937 m_generator;
    std::unique_ptr<Native::InstanceGuard> m_instanceGuard;
};
