// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

// Names a control for code (objectName) and, where its caption does not say it, for screen readers.
template <typename T> T *named(T *widget, const QString &name, const QString &accessibleName = {})
{
    widget->setObjectName(name);
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    return widget;
}

// Adds a named entry to a menu or menu bar and connects it to the window's handler.
template <typename Window, typename Handler>
QAction *addMenuEntry(QWidget *menu, const QString &name, const QString &caption, Window *window,
                      Handler handler)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->addAction(action);
    QObject::connect(action, &QAction::triggered, window, handler);
    return action;
}

inline void addMenuSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}
