#include "app/startup.h"

#include "app/forms.h"
#include "app/mainwindow.h"
#include "settings/updatereminder.h"
#include "ui/look/appearance.h"
#include "ui/system/native.h"
#include "ui/windows/form.h"
#include "ui/windows/messages.h"
#include "ui/windows/windowregistry.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
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
        // A platform the user chose is named: it may be a plugin that is missing, not a display. Only its
        // printable ASCII reaches the terminal, which must not take the rest as commands.
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
    g_beforePlatformStart(type, context, message);
}

// A window of ours that the X server destroyed at someone else's request (a session tool, a crashed window
// manager, xdotool windowclose) leaves nothing to close: without the main window, or without any window at
// all, the program would live on unseen and keep every later start out. So it ends, as closing would;
// another window lost that way is closed as if by its close box.
class OutsideDestruction final : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        // The head of xcb_destroy_notify_event_t, which Qt passes on as it came from the server.
        struct DestroyNotify
        {
            quint8 responseType;
            quint8 pad;
            quint16 sequence;
            quint32 event;
            quint32 window;
        };
        constexpr quint8 XcbDestroyNotify = 17;
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *notify = static_cast<const DestroyNotify *>(message);
        if ((notify->responseType & 0x7f) != XcbDestroyNotify)
            return false;
        // Windows the program destroys itself are closed or gone by the time the server reports them.
        for (Form *form : WindowRegistry::openWindows()) {
            if (form->isVisible() && !form->isClosing() && form->internalWinId() == WId(notify->window)) {
                QTimer::singleShot(0, qApp, [lost = QPointer<Form>(form)] { lostWindow(lost); });
                break;
            }
        }
        return false;
    }

private:
    static void lostWindow(const QPointer<Form> &lost)
    {
        if (!lost)
            return;
        const QList<Form *> open = WindowRegistry::openWindows();
        const bool othersShown = std::any_of(
            open.cbegin(), open.cend(), [&](const Form *form) { return form != lost && form->isVisible(); });
        if (lost == Forms::existingMainWindow() || !othersShown)
            ExitApplication();
        else
            lost->close();
    }
};

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
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        static OutsideDestruction outsideDestruction;
        qApp->installNativeEventFilter(&outsideDestruction);
    }
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
