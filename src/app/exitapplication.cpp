// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "app/exitapplication.h"

#include "ui/system/platform.h"
#include "ui/windows/form.h"
#include "ui/windows/windowregistry.h"

#include <QPointer>

namespace {
// A close handling may call ExitApplication again; once the innermost call has ended the process, the
// outer walks never resume. (Only test fakes return from ending the process.)
int g_exitDepth = 0;
bool g_ended = false;
} // namespace

bool applicationEnding()
{
    return g_exitDepth > 0;
}

void ExitApplication()
{
    ++g_exitDepth;
    QList<QPointer<Form>> windows;
    for (Form *form : WindowRegistry::openWindows())
        windows.append(form);
    for (const QPointer<Form> &form : std::as_const(windows)) {
        if (g_ended)
            break;
        if (form && !form->isClosing() && !form->isClosed())
            form->close();
    }
    if (!g_ended) {
        g_ended = true;
        platform().endProcess();
    }
    if (--g_exitDepth == 0)
        g_ended = false;
}
