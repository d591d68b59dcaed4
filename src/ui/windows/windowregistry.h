// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QList>

class Form;

// Every program window that has been created and not yet closed, hidden ones included, in creation order.
namespace WindowRegistry {
void add(Form *form);
void remove(Form *form);
QList<Form *> openWindows();
} // namespace WindowRegistry
