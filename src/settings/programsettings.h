#pragma once

#include "ui/system/platform.h"

// The one place that chooses where the program's settings live. A portable copy keeps them in a settings
// file named after the program beside the program itself, and leaves nothing on the machine; any other in
// the system's own per-user store (userstore.h). A copy is portable when that settings file is there, or the
// marker file named after the program (the zip ships the marker, never the settings file, so that unpacking
// a newer zip over a used copy keeps its settings).
class ProgramSettings final : public SettingsBackend
{
public:
    // <the program's folder>/<application>.ini, whether or not it is there.
    static QString portableFile(const QString &application);
    // <the program's folder>/<application>.portable, whether or not it is there.
    static QString portableMarker(const QString &application);

    QString read(const QString &application, const QString &section, const QString &key) override;
    bool write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
};
