#include "app/startup.h"
#include "ui/programstyle.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    Native::prepareProcess();
    QApplication app(argc, argv);
    applyProgramStyle();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kaltrix.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral(KALTRIX_APP_ID));
    // Only ExitApplication ends the program, never the last window going away.
    app.setQuitOnLastWindowClosed(false);
    QtPlatform platform;
    Platform::install(&platform);
    StartApplication();
    return app.exec();
}
