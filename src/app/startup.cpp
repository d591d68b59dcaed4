#include "app/startup.h"

#include "app/forms.h"
#include "app/mainwindow.h"
#include "settings/updatereminder.h"
#include "ui/form.h"
#include "ui/messages.h"
#include "ui/native.h"
#include "ui/style.h"
#include "ui/windowregistry.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

qint16 intCoBrandRandomNumber = 0;

namespace {
// A close handling may call ExitApplication again; once the innermost call has ended the process, the
// outer walks never resume. (Only test fakes return from ending the process.)
int g_exitDepth = 0;
bool g_ended = false;

QtMessageHandler g_beforePlatformStart = nullptr;
std::optional<Native::QuietStandardError> g_quietPlatformStart;

void duringPlatformStart(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        g_quietPlatformStart.reset();
        std::fputs("kaltrix: cannot show a window: neither an X11 nor a Wayland display could be opened\n",
                   stderr);
        std::_Exit(1);
    }
    g_beforePlatformStart(type, context, message);
}

// Gives the windows the program's icon once the first window has painted itself: nothing that showing it
// does not need comes before.
class AfterFirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, useProgramIcon);
            deleteLater();
        }
        return false;
    }
};
} // namespace

PlatformStart::PlatformStart()
{
    g_quietPlatformStart.emplace();
    g_beforePlatformStart = qInstallMessageHandler(duringPlatformStart);
}

PlatformStart::~PlatformStart()
{
    qInstallMessageHandler(g_beforePlatformStart);
    g_quietPlatformStart.reset();
}

void StartApplication()
{
    if (!platform().acquireInstanceGuard(platform().applicationName())) {
        showInformation(QStringLiteral("Application is already running"));
        ExitApplication();
        return;
    }
    platform().reseedRandom();
    modHelp::UpdateReminder();
    frmMain &main = Forms::mainWindow();
    main.installEventFilter(new AfterFirstPaint(&main));
    main.show();
    CoBrand_Randomize();
}

int coBrandNumber(float r)
{
    // In double precision the product is exact, so the halves at r = 1/4 and 3/4 are real halves.
    const double x = 6.0 * double(r) + 1.0;
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        return int(below) + 1;
    return int(below);
}

void CoBrand_Randomize()
{
    const int n = coBrandNumber(platform().nextRandom());
    intCoBrandRandomNumber = qint16(n);
    frmMain *main = Forms::existingMainWindow();
    if (!main)
        return;
    if (n == 1 || n == 3 || n == 5)
        main->bringCobrandToFront();
    else if (n == 2 || n == 4 || n == 6)
        main->bringFullBrandToFront();
}

void ExitApplication()
{
    ++g_exitDepth;
    QList<QPointer<Form>> windows;
    for (Form *form : WindowRegistry::openWindows())
        windows.append(form);
    for (const QPointer<Form> &form : std::as_const(windows)) {
        if (g_ended)
            break;
        if (form && !form->isClosing() && !form->isClosed())
            form->close();
    }
    if (!g_ended) {
        g_ended = true;
        platform().endProcess();
    }
    if (--g_exitDepth == 0)
        g_ended = false;
}
