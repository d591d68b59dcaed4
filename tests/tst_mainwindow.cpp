#include <QTest>
class tst_MainWindow : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
