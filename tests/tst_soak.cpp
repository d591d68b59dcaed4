// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/forms.h"
#include "app/mainwindow.h"
#include "fakeplatform.h"
#include "test/resultview.h"
#include "test/scoring.h"
#include "test/testwindow.h"
#include "ui/windows/windowregistry.h"
#include "web/exitscreen.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

#if defined(__SANITIZE_ADDRESS__) || !defined(__GLIBC__)
// The sanitizer keeps its own heap (LeakSanitizer checks it at exit); only glibc counts its heap for us.
#define KALTRIX_HEAP_COUNTED 0
#else
#include <malloc.h>
#define KALTRIX_HEAP_COUNTED 1
#endif

namespace {
int objectsUnder(const QObject *object)
{
    int count = 1;
    for (const QObject *child : object->children())
        count += objectsUnder(child);
    return count;
}

// What a pass could leave behind: windows, widgets, objects hung on the application or a window, heap.
struct Census
{
    int topLevelWidgets = 0;
    int widgets = 0;
    int objects = 0;
    int openWindows = 0;
    qint64 heapBytes = 0;
};

Census takeCensus()
{
    Census census;
    const QWidgetList topLevel = QApplication::topLevelWidgets();
    census.topLevelWidgets = int(topLevel.size());
    census.widgets = int(QApplication::allWidgets().size());
    census.objects = objectsUnder(qApp);
    for (const QWidget *window : topLevel)
        census.objects += window->parent() ? 0 : objectsUnder(window);
    census.openWindows = int(WindowRegistry::openWindows().size());
#if KALTRIX_HEAP_COUNTED
    const struct mallinfo2 heap = mallinfo2();
    census.heapBytes = qint64(heap.uordblks + heap.hblkhd);
#endif
    return census;
}

QByteArray describe(const Census &census)
{
    return QStringLiteral("%1 top-level, %2 widgets, %3 objects, %4 open windows, %5 heap bytes")
        .arg(census.topLevelWidgets)
        .arg(census.widgets)
        .arg(census.objects)
        .arg(census.openWindows)
        .arg(census.heapBytes)
        .toUtf8();
}
} // namespace

class tst_Soak : public WindowSuite
{
    Q_OBJECT

private slots:
    void twoHundredTestPassesLeaveNothingBehind();

private:
    // One test as the user takes it: start, an answer and Next on each page, the result, Back.
    bool pass(QRandomGenerator &random);

    ProgramNavigation m_navigation;
};

bool tst_Soak::pass(QRandomGenerator &random)
{
    frmMain &main = Forms::mainWindow();
    main.cmdNext->click();
    const QPointer<frmDisplay> window = Forms::existingTestWindow();
    if (!window || main.isVisible())
        return false;
    for (int q = 0; q < QuestionCount; ++q) {
        window->optionGroups[q][random.bounded(3)]->setChecked(true);
        window->nextButtons[q]->click();
    }
    if (window->frontArea() != window->fraAnswer ||
        intEndomorphScore + intMesomorphScore + intEctomorphScore != 100)
        return false;
    // Let the result view paint its illustrations, as it would on screen.
    QCoreApplication::processEvents();
    window->cmdBack->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return window.isNull() && main.isVisible() && !Forms::existingExitScreen()->isVisible();
}

void tst_Soak::twoHundredTestPassesLeaveNothingBehind()
{
    frmMain &main = Forms::mainWindow();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.txtFirstName->setText(QStringLiteral("ANNA"));
    QRandomGenerator random(200);
    // The style caches drawn pixmaps under keys that include each palette's serial number, so every new test
    // window adds entries until the cache's 10 MB limit. That is bounded; without it a leak stands out.
    QPixmapCache::setCacheLimit(0);

    // The first passes create what lives for the whole run: the exit screen, and the glyphs and hash tables
    // of every combination of answers, which the random answers reach within a few dozen passes.
    for (int i = 0; i < 50; ++i)
        QVERIFY(pass(random));
    const Census before = takeCensus();
    for (int i = 0; i < 200; ++i)
        QVERIFY2(pass(random), qPrintable(QStringLiteral("pass %1").arg(i)));
    const Census after = takeCensus();

    const QByteArray counts = "before: " + describe(before) + "; after: " + describe(after);
    QVERIFY2(after.topLevelWidgets == before.topLevelWidgets, counts.constData());
    QVERIFY2(after.widgets == before.widgets, counts.constData());
    QVERIFY2(after.objects == before.objects, counts.constData());
    QVERIFY2(after.openWindows == before.openWindows, counts.constData());
    // Measured growth is a few kilobytes over 200 passes; even one leaked object per pass would exceed it.
    QVERIFY2(after.heapBytes - before.heapBytes < 16 * 1024, counts.constData());
    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(main.txtFirstName->text(), QStringLiteral("ANNA"));
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
