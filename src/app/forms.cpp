#include "app/forms.h"

#include "app/mainwindow.h"
#include "test/testwindow.h"
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

ExitScreenOffScreen::ExitScreenOffScreen()
{
    exitScreen().setAttribute(Qt::WA_DontShowOnScreen, true);
}

ExitScreenOffScreen::~ExitScreenOffScreen()
{
    if (frmNagScreen2 *screen = existingExitScreen())
        screen->setAttribute(Qt::WA_DontShowOnScreen, false);
}

} // namespace Forms
