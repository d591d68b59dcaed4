// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/accessibility/bridgewatcher.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace Accessibility {

// Qt's AT-SPI bridge reports a widget shown again as "showing" only. A reader that read its states while it
// was hidden keeps it "invisible" and leaves it out of flat review. The missing half is said here, on the
// bridge's own connection, so that it comes from the program's accessible objects themselves.
void announceVisible(QObject *object)
{
    const QDBusConnection bus(QStringLiteral("a11y")); // the bridge's connection, by the name it gives it
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    if (!bus.isConnected() || !face || !face->isValid())
        return;
    const QString prefix = QStringLiteral("/org/a11y/atspi/accessible/");
    QDBusMessage signal = QDBusMessage::createSignal(prefix + QString::number(QAccessible::uniqueId(face)),
                                                     QStringLiteral("org.a11y.atspi.Event.Object"),
                                                     QStringLiteral("StateChanged"));
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(prefix + QStringLiteral("root"));
    application.endStructure();
    signal << QStringLiteral("visible") << 1 << 0 << QVariant::fromValue(QDBusVariant(0))
           << QVariant::fromValue(application);
    (void)bus.send(signal); // a reader that missed it asks afresh anyway
}

} // namespace Accessibility
