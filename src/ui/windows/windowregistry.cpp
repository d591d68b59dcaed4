// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/windows/windowregistry.h"

namespace {
QList<Form *> &windows()
{
    static QList<Form *> list;
    return list;
}
} // namespace

namespace WindowRegistry {

void add(Form *form)
{
    if (!windows().contains(form))
        windows().append(form);
}

void remove(Form *form)
{
    windows().removeAll(form);
}

QList<Form *> openWindows()
{
    return windows();
}

} // namespace WindowRegistry
