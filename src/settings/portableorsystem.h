// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include "ui/system/platform.h"

// Where the program's settings live, chosen afresh at every access. A portable copy keeps them in a settings
// file named after the program beside the program itself (inifile.h), and leaves nothing on the machine;
// any other copy uses the system's own per-user store: on Linux an INI file in the user's config folder
// (systemFile), on Windows the registry (registrystore.h). One implementation per system
// (portableorsystem_unix.cpp, portableorsystem_win.cpp). A copy is portable when that settings file is there,
// or the marker file named after the program (the zip ships the marker, never the settings file, so that
// unpacking a newer zip over a used copy keeps its settings).
class PortableOrSystem final : public SettingsStore
{
public:
    // <the program's folder>/<application>.ini, whether or not it is there.
    static QString portableFile(const QString &application);
    // <the program's folder>/<application>.portable, whether or not it is there.
    static QString portableMarker(const QString &application);
#ifndef Q_OS_WIN
    // <user config folder>/Orvena/<application>.ini ($XDG_CONFIG_HOME or ~/.config); empty when the name
    // cannot be a file name of ours.
    static QString systemFile(const QString &application);
#endif

    QString read(const QString &application, const QString &section, const QString &key) override;
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;

private:
    // The portable file where the copy is portable, else the empty text.
    static QString portableFileInUse(const QString &application);
};
