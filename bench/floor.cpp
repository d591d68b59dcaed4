// The floor of the start-up benchmark: what Qt itself costs to show one empty, fixed-size main window of the
// main window's size, reported the same way as the program reports its first exposed window.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(497, 274);
    window.show();
    return app.exec();
}
