// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// The floor of the start-up benchmark: what Qt itself costs to show one empty, fixed-size main window of the
// main window's size, reported the same way as the program reports its first exposed window. With --menu,
// the window has a menu bar with one menu, as every window of the program has menus.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--menu")))
        window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.setFixedSize(497, 274);
    window.show();
    return app.exec();
}
