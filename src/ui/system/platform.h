// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/singlebyteset.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QUrl>

// Everything that reaches outside the process goes through this seam, so the windows and rules can be
// driven by tests without real dialogs, browsers, clocks or files.

enum class MessageIcon { Information, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest
{
    QString text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// The per-user settings store: text by application name, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // An absent entry reads as the empty text; a write that does not reach the store returns false.
    virtual QString read(const QString &application, const QString &section, const QString &key) = 0;
    virtual bool write(const QString &application, const QString &section, const QString &key,
                       const QString &value) = 0;
};

class Platform
{
public:
    virtual ~Platform() = default;

    // A modal box captioned with the application title; returns the button the user pressed. A box with
    // Yes and No can be left by those two only.
    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;

    // Hands the address to the desktop and returns at once; failures are not reported.
    virtual void openUrl(const QUrl &url) = 0;

    // The per-user settings store.
    virtual SettingsStore &settings() = 0;

    virtual QDate today() = 0;

    // The user's formats for dates and numbers.
    virtual QLocale locale() { return QLocale::system(); }

    // One process-wide generator of single-precision values in [0, 1).
    virtual float nextRandom() = 0;
    virtual void reseedRandom() = 0;

    // True when this process now holds the one-instance guard (or the guard could not be set up at all);
    // false when another live instance holds it.
    virtual bool acquireInstanceGuard(const QString &application) = 0;

    // The running executable's file name without its extension, read afresh at every call.
    virtual QString applicationName() = 0;

    // The set whose codes stored key names and values are shifted in: the ANSI code page on Windows.
    virtual const SingleByteSet &singleByteSet() { return SingleByteSet::latin1(); }

    // Ends the process at once with status 0. Production never returns; test fakes do.
    virtual void endProcess() = 0;

    static Platform &instance();
    static void install(Platform *platform);
};

inline Platform &platform()
{
    return Platform::instance();
}

// The application title every message box carries.
inline QString applicationTitle()
{
    return QStringLiteral("Kaltrix");
}

// The caption of every program window, which the About box and the exit screen also show as their heading.
inline QString windowCaption()
{
    return QStringLiteral("Kaltrix v1.0");
}
