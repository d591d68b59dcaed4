// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"

#include "app/exitapplication.h"
#include "app/mainwindow.h"
#include "test/testwindow.h"
#include "ui/windows/navigation.h"
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

// The window, made afresh where none is open.
template <typename T> T &created(QPointer<T> &form)
{
    if (!alive(form))
        form = new T;
    return *form;
}

} // namespace

ProgramNavigation::ProgramNavigation()
{
    Navigation::install(this);
}

ProgramNavigation::~ProgramNavigation()
{
    Navigation::install(nullptr);
}

QWidget &ProgramNavigation::mainWindow()
{
    return Forms::mainWindow();
}

void ProgramNavigation::showExitScreen()
{
    Forms::showExitScreen();
}

void ProgramNavigation::hideExitScreen()
{
    Forms::hideExitScreen();
}

void ProgramNavigation::keepExitScreenOffScreen(bool on)
{
    // Turning it off finds the screen only if it still lives.
    frmNagScreen2 *screen = on ? &Forms::exitScreen() : Forms::existingExitScreen();
    if (screen)
        screen->setAttribute(Qt::WA_DontShowOnScreen, on);
}

void ProgramNavigation::exitApplication()
{
    ExitApplication();
}

namespace Forms {

// One line a window, so that they read as a table.
// clang-format off
frmMain &mainWindow() { return created(g_main); }
frmMain *existingMainWindow() { return alive(g_main); }
frmDisplay &testWindow() { return created(g_test); }
frmDisplay *existingTestWindow() { return alive(g_test); }
frmNagScreen2 *existingExitScreen() { return alive(g_exit); }
// clang-format on

frmNagScreen2 &exitScreen()
{
    if (!alive(g_exit)) {
        g_exit = new frmNagScreen2;
        g_exit->Form_Load();
    }
    return *g_exit;
}

void showExitScreen()
{
    frmNagScreen2 &screen = exitScreen();
    // Shown by a window closing as the program ends, it would come and go at once: a flicker, and a window
    // the window manager is still taking in as the process that made it is gone.
    if (applicationEnding() && !screen.isVisible())
        screen.setAttribute(Qt::WA_DontShowOnScreen);
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
