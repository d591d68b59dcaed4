#include "app/forms.h"

#include "app/mainwindow.h"
#include "app/startup.h"
#include "test/testwindow.h"
#include "ui/navigation.h"
#include "web/exitscreen.h"

#include <QPointer>

namespace {
QPointer<frmMain> g_main;
QPointer<frmDisplay> g_test;
QPointer<frmNagScreen2> g_exit;

template <typename T> T *alive(const QPointer<T> &form)
{
    return form && !form->isClosed() ? form.data() : nullptr;
}

class ProgramNavigation final : public Navigation
{
public:
    ProgramNavigation() { Navigation::install(this); }

    QWidget &mainWindow() override { return Forms::mainWindow(); }
    void showExitScreen() override { Forms::showExitScreen(); }
    void hideExitScreen() override { Forms::hideExitScreen(); }
    void keepExitScreenOffScreen(bool on) override
    {
        // Turning it off finds the screen only if it still lives.
        frmNagScreen2 *screen = on ? &Forms::exitScreen() : Forms::existingExitScreen();
        if (screen)
            screen->setAttribute(Qt::WA_DontShowOnScreen, on);
    }
    void exitApplication() override { ExitApplication(); }
};

// Installed while the program starts, before main() builds any window: every window any layer builds can
// already ask for another.
ProgramNavigation g_navigation;
} // namespace

namespace Forms {

frmMain &mainWindow()
{
    if (!alive(g_main))
        g_main = new frmMain;
    return *g_main;
}

frmMain *existingMainWindow()
{
    return alive(g_main);
}

frmDisplay &testWindow()
{
    if (!alive(g_test))
        g_test = new frmDisplay;
    return *g_test;
}

frmDisplay *existingTestWindow()
{
    return alive(g_test);
}

frmNagScreen2 &exitScreen()
{
    if (!alive(g_exit)) {
        g_exit = new frmNagScreen2;
        g_exit->Form_Load();
    }
    return *g_exit;
}

frmNagScreen2 *existingExitScreen()
{
    return alive(g_exit);
}

void showExitScreen()
{
    frmNagScreen2 &screen = exitScreen();
    screen.show();
    if (screen.testAttribute(Qt::WA_DontShowOnScreen))
        return;
    screen.raise();
    screen.activateWindow();
}

void hideExitScreen()
{
    exitScreen().hide();
}

} // namespace Forms
