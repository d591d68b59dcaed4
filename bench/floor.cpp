// The floor of the start-up benchmark: what Qt itself costs to show one empty, fixed-size main window of the
// main window's size, reported the same way as the program reports its first exposed window.

#include <QApplication>
#include <QMainWindow>
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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("KALTRIX_BENCH_EXPOSED"))
        app.installEventFilter(new ExposeProbe(&app));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(497, 274);
    window.show();
    return app.exec();
}
