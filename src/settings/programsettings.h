#pragma once

#include "ui/platform.h"

// The one place that chooses where the program's settings live: in a settings file named after the program
// beside the program itself, where one is there (a portable copy, unpacked from the zip, keeps its settings
// with it and leaves nothing on the machine); else in the system's own per-user store (userstore.h).
class ProgramSettings final : public SettingsBackend
{
public:
    // <the program's folder>/<application>.ini, whether or not it is there.
    static QString portableFile(const QString &application);

    QString read(const QString &application, const QString &section, const QString &key) override;
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
};
