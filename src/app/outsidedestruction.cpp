// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/outsidedestruction.h"

#include "app/exitapplication.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "ui/windows/form.h"
#include "ui/windows/windowregistry.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {
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
} // namespace

void endWhenDestroyedFromOutside()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    static OutsideDestruction outsideDestruction;
    qApp->installNativeEventFilter(&outsideDestruction);
}
