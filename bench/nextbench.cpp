// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// In-process timing of the test window: one Next, and the tenth Next that shows the result view, each as the
// handler alone and as the handler plus the event-loop turn that paints the new page and flushes it.

#include "app/forms.h"
#include "app/mainwindow.h"
#include "test/testwindow.h"
#include "ui/system/platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Nothing here may block: no real boxes, browser or settings file.
class BenchPlatform final : public Platform, private SettingsStore
{
public:
    SettingsStore &settings() override { return *this; }
    MessageAnswer showMessage(const MessageRequest &) override { return MessageAnswer::No; }
    void openUrl(const QUrl &) override {}
    QDate today() override { return QDate(2026, 12, 7); }
    float nextRandom() override { return 0.5f; }
    void reseedRandom() override {}
    bool acquireInstanceGuard(const QString &) override { return true; }
    QString applicationName() override { return QStringLiteral("kaltrix-bench"); }
    void endProcess() override {}

private:
    QString read(const QString &, const QString &, const QString &) override { return {}; }
    bool write(const QString &, const QString &, const QString &, const QString &) override { return true; }
};

struct Samples
{
    std::vector<double> handler;
    std::vector<double> painted;
};

double percentile(std::vector<double> values, double p)
{
    const auto at = values.begin() + std::ptrdiff_t(p * double(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

void report(const char *name, const Samples &samples)
{
    std::printf("%s_handler_us %.1f %.1f\n", name, percentile(samples.handler, 0.5),
                percentile(samples.handler, 0.9));
    std::printf("%s_painted_us %.1f %.1f\n", name, percentile(samples.painted, 0.5),
                percentile(samples.painted, 0.9));
}

bool waitUntilExposed(QWidget *window)
{
    QElapsedTimer clock;
    clock.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        if (clock.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void press(QPushButton *button, Samples &samples)
{
    QElapsedTimer clock;
    clock.start();
    button->click();
    samples.handler.push_back(double(clock.nsecsElapsed()) / 1000.0);
    QCoreApplication::processEvents();
    samples.painted.push_back(double(clock.nsecsElapsed()) / 1000.0);
}

// One test from the main window; false when a window did not come up.
bool pass(frmMain &main, Samples *next, Samples *result)
{
    main.cmdNext->click();
    const QPointer<frmDisplay> window = Forms::existingTestWindow();
    if (!window || !waitUntilExposed(window))
        return false;
    Samples ignored;
    for (int q = 0; q < QuestionCount; ++q) {
        window->optionGroups[q][q % 3]->setChecked(true);
        Samples &into = q + 1 < QuestionCount ? (next ? *next : ignored) : (result ? *result : ignored);
        press(window->nextButtons[q], into);
    }
    window->cmdBack->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return window.isNull();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchPlatform platform;
    Platform::install(&platform);
    ProgramNavigation navigation;
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    frmMain &main = Forms::mainWindow();
    main.show();
    if (!waitUntilExposed(&main))
        return 1;
    main.txtFirstName->setText(QStringLiteral("ANNA"));
    for (int i = 0; i < 5; ++i) {
        if (!pass(main, nullptr, nullptr))
            return 1;
    }
    Samples next;
    Samples result;
    for (int i = 0; i < passes; ++i) {
        if (!pass(main, &next, &result))
            return 1;
    }
    std::printf("passes %d\n", passes);
    report("next", next);
    report("result", result);
    return 0;
}
