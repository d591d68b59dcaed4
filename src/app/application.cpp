// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/application.h"

#include "app/process.h"
#include "ui/look/programstyle.h"
#include "ui/system/native.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {
QtMessageHandler g_beforeWindowSystemStart = nullptr;
std::optional<Native::QuietStandardError> g_quietWindowSystemStart;

void duringWindowSystemStart(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        g_quietWindowSystemStart.reset();
        // A window system the user chose is named: it may be a plugin that is missing, not a display. Only
        // its printable ASCII reaches the terminal, which must not take the rest as commands.
        QByteArray chosen = qgetenv("QT_QPA_PLATFORM").left(80);
        for (char &c : chosen)
            c = c >= ' ' && c <= '~' ? c : '?';
        if (chosen.isEmpty())
            std::fputs(
                "kaltrix: cannot show a window: neither an X11 nor a Wayland display could be opened\n",
                stderr);
        else
            std::fprintf(stderr,
                         "kaltrix: cannot show a window: the window platform \"%s\" could not be loaded\n",
                         chosen.constData());
        std::_Exit(1);
    }
    g_beforeWindowSystemStart(type, context, message);
}

// While one lives: what Qt and the display libraries say of the window systems they try on the way stays
// quiet, and one that cannot start at all ends the process as above.
class WindowSystemStart
{
public:
    WindowSystemStart()
    {
        g_quietWindowSystemStart.emplace();
        g_beforeWindowSystemStart = qInstallMessageHandler(duringWindowSystemStart);
    }
    ~WindowSystemStart()
    {
        qInstallMessageHandler(g_beforeWindowSystemStart);
        g_quietWindowSystemStart.reset();
    }
    WindowSystemStart(const WindowSystemStart &) = delete;
    WindowSystemStart &operator=(const WindowSystemStart &) = delete;
};

// The application object keeps the arguments it was made with for the whole run.
struct Arguments
{
    QList<QByteArray> texts;
    std::vector<char *> pointers;
    int count = 0;
};
} // namespace

QList<QByteArray> applicationArguments(int argc, char *argv[], const QByteArray &windowSystems)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc && argv[i]; ++i)
        arguments.append(argv[i]);
    // execve() allows an empty argument vector; the program's name then comes from the system.
    if (arguments.isEmpty())
        arguments.append("kaltrix");
    if (!windowSystems.isEmpty()) {
        arguments.insert(1, windowSystems);
        arguments.insert(1, "-platform");
    }
    return arguments;
}

std::unique_ptr<QApplication> createApplication(int argc, char *argv[])
{
    Process::prepareProcess();
    static Arguments arguments;
    arguments.texts = applicationArguments(argc, argv, Process::preferredWindowSystems());
    for (QByteArray &text : arguments.texts)
        arguments.pointers.push_back(text.data());
    arguments.count = int(arguments.texts.size());
    arguments.pointers.push_back(nullptr);

    std::unique_ptr<QApplication> application;
    {
        const WindowSystemStart start;
        application = std::make_unique<QApplication>(arguments.count, arguments.pointers.data());
    }
    applyProgramStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral(KALTRIX_APP_ID));
    application->setQuitOnLastWindowClosed(false);
    return application;
}
