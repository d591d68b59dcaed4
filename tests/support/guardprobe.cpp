// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
// Tries the one-instance lock once under the name given as its argument, prints "held", "refused" or
// "unavailable" and how long the decision took, and keeps a lock it got until it is killed: one racer of
// tst_instanceguard.

#include "ui/system/native.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    QElapsedTimer clock;
    clock.start();
    Native::InstanceGuard guard;
    const Native::InstanceGuard::Result result = guard.acquire(app.arguments().at(1));
    const char *said = result == Native::InstanceGuard::Result::Held            ? "held"
                       : result == Native::InstanceGuard::Result::HeldByAnother ? "refused"
                                                                                : "unavailable";
    std::printf("%s %lld\n", said, static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
    if (result == Native::InstanceGuard::Result::Held)
        QThread::sleep(60);
    return 0;
}
