#include "app/forms.h"
#include "app/process.h"
#include "app/startup.h"
#include "settings/programsettings.h"
#include "ui/look/programstyle.h"
#include "ui/system/qtplatform.h"

#include <QApplication>

#include <optional>
#include <vector>

int main(int argc, char *argv[])
{
    Process::prepareProcess();
    // The platform the program prefers, ahead of the arguments: a -platform given there still wins.
    std::vector<char *> arguments(argv, argv + argc);
    QByteArray platforms = Process::preferredPlatforms();
    char platformOption[] = "-platform";
    if (!platforms.isEmpty())
        arguments.insert(arguments.begin() + 1, {platformOption, platforms.data()});
    int count = int(arguments.size());
    arguments.push_back(nullptr);

    std::optional<PlatformStart> platformStart(std::in_place);
    QApplication app(count, arguments.data());
    platformStart.reset();
    applyProgramStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral(KALTRIX_APP_ID));
    // Only ExitApplication ends the program, never the last window going away.
    app.setQuitOnLastWindowClosed(false);
    ProgramSettings settings;
    QtPlatform platform(settings);
    Platform::install(&platform);
    ProgramNavigation navigation;
    StartApplication();
    return app.exec();
}
