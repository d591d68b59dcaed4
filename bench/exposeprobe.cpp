// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// Linked into the benchmark's programs only: prints "exposed" once the first window has been exposed and
// painted, then quits, so that start-up can be timed from outside. It hooks itself in when the application
// object is created, so the program's own main() stays as it ships.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {
class ExposeProbe final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow *>(watched)->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // The expose paints and flushes the window synchronously; report once that is done.
            QTimer::singleShot(0, this, [] {
                std::puts("exposed");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

void installExposeProbe()
{
    QCoreApplication::instance()->installEventFilter(new ExposeProbe(QCoreApplication::instance()));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installExposeProbe)
