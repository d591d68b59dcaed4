#include "app/exposeprobe.h"

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
} // namespace

void reportFirstExposeIfAsked()
{
    if (qEnvironmentVariableIsSet("KALTRIX_BENCH_EXPOSED"))
        QCoreApplication::instance()->installEventFilter(new ExposeProbe(QCoreApplication::instance()));
}
