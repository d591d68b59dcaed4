// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/platform.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

// A platform that records everything and answers from a script: no real box, browser or clock, and settings
// in memory unless a real store is handed over (disk).
class FakePlatform final : public Platform, private SettingsStore
{
public:
    FakePlatform();
    ~FakePlatform() override;

    MessageAnswer showMessage(const MessageRequest &request) override;
    void openUrl(const QUrl &url) override;
    SettingsStore &settings() override { return disk ? *disk : *this; }
    QDate today() override;
    QLocale locale() override { return userLocale; }
    float nextRandom() override;
    void reseedRandom() override;
    bool acquireInstanceGuard(const QString &application) override;
    QString applicationName() override;
    const SingleByteSet &singleByteSet() override { return *codePage; }
    void endProcess() override;

    // Recorded calls.
    QList<MessageRequest> messages;
    QList<QUrl> openedUrls;
    int reseeds = 0;
    int endProcessCalls = 0;
    QStringList writes; // "section/key=value" in order

    // Script. Answers are used in order; once they run out every box gets its default button.
    QList<MessageAnswer> answers;
    QList<float> draws; // used in order; 0 once they run out
    bool instanceGuardFree = true;
    bool refuseWrites = false;
    QDate todayDate{2026, 12, 7};
    QLocale userLocale{QLocale::English, QLocale::UnitedStates}; // short dates M/d/yy
    QString appName = QStringLiteral("kaltrix");
    QMap<QString, QString> store;  // "application/section/key" -> value
    SettingsStore *disk = nullptr; // where set, the settings live there instead
    const SingleByteSet *codePage = &SingleByteSet::latin1();
    std::function<void(const MessageRequest &)> onMessage;

    QStringList messageTexts() const;
    void clearRecords();

private:
    QString read(const QString &application, const QString &section, const QString &key) override;
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
};

// Closes and deletes every program window still around, so each test starts with none.
void destroyAllWindows();
// The text of a one-line or a multi-line field, whichever it is.
QString fieldText(QWidget *field);
void setFieldText(QWidget *field, const QString &text);

// The base of the suites whose tests build windows: after each test no window is left, the records are
// cleared and the script is back as it started.
class WindowSuite : public QObject
{
    Q_OBJECT

protected:
    FakePlatform m_platform;

private slots:
    void cleanup();
};
