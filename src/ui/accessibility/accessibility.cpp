// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/accessibility/accessibility.h"

#include "ui/accessibility/bridgewatcher.h"
#include "ui/accessibility/lineedittext.h"
#include "ui/windows/form.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace Accessibility {

namespace {

// What setRole() and labelBy() said of a widget, kept as its child so that it lives exactly as long.
class Annotation final : public QObject
{
public:
    explicit Annotation(QWidget *widget) : QObject(widget) { setObjectName(QStringLiteral("accessibility")); }

    QAccessible::Role role = QAccessible::NoRole;
    QPointer<QLabel> label;
};

Annotation *annotationOf(const QWidget *widget)
{
    return widget->findChild<Annotation *>(QStringLiteral("accessibility"), Qt::FindDirectChildrenOnly);
}

Annotation &annotate(QWidget *widget)
{
    Annotation *annotation = annotationOf(widget);
    return annotation ? *annotation : *new Annotation(widget);
}

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

// A widget as setRole() and labelBy() describe it; everything else as Qt's plain widget interface has it.
class AnnotatedWidget final : public QAccessibleWidget
{
public:
    AnnotatedWidget(QWidget *widget, const Annotation &annotation)
        : QAccessibleWidget(widget,
                            annotation.role != QAccessible::NoRole ? annotation.role : defaultRole(widget)),
          m_label(annotation.label)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        // Before what Qt would guess from the surroundings: the caption of the frame around, say.
        if (m_label)
            return withoutMnemonic(m_label->text());
        if (const auto *box = qobject_cast<const QGroupBox *>(widget()))
            return withoutMnemonic(box->title());
        if (const auto *label = qobject_cast<const QLabel *>(widget()))
            return label->text();
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto relations = QAccessibleWidget::relations(match);
        if (!(match & QAccessible::Label) || !m_label)
            return relations;
        QAccessibleInterface *label = QAccessible::queryAccessibleInterface(m_label.data());
        if (label && !relations.contains(qMakePair(label, QAccessible::Relation(QAccessible::Label))))
            relations.append({label, QAccessible::Label});
        return relations;
    }

private:
    static QAccessible::Role defaultRole(const QWidget *widget)
    {
        if (qobject_cast<const QGroupBox *>(widget))
            return QAccessible::Grouping;
        if (qobject_cast<const QLabel *>(widget))
            return QAccessible::StaticText;
        return QAccessible::Client;
    }

    QPointer<QLabel> m_label;
};

// A plain frame inside a window: a grouping, or a separator where it is drawn as a line. Qt's own calls it a
// frame, and a screen reader takes the nearest frame for the window, reviewing only what lies inside it.
class Panel final : public QAccessibleWidget
{
public:
    explicit Panel(QFrame *frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QAccessible::Role role() const override
    {
        const QFrame::Shape shape = static_cast<const QFrame *>(widget())->frameShape();
        return shape == QFrame::HLine || shape == QFrame::VLine ? QAccessible::Separator
                                                                : QAccessible::Grouping;
    }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    // Asked for each class from the most derived one up; answering at the first keeps Qt's own factory,
    // which is asked after this one, from answering for the base class.
    if (!object || !object->isWidgetType() ||
        className != QLatin1StringView(object->metaObject()->className()))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (qobject_cast<Form *>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window); // else a plain widget window is a filler
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return lineEditText(edit);
    if (const Annotation *annotation = annotationOf(widget))
        return new AnnotatedWidget(widget, *annotation);
    if (widget->metaObject() == &QFrame::staticMetaObject && !widget->isWindow())
        return new Panel(static_cast<QFrame *>(widget));
    return nullptr;
}

void swallow(QAccessibleEvent *) {}
} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        watchBridge();
        return true;
    }();
    Q_UNUSED(installed);
}

void setRole(QWidget *widget, QAccessible::Role role)
{
    annotate(widget).role = role;
}

void labelBy(QWidget *widget, QLabel *label)
{
    annotate(widget).label = label;
    // The buddy makes the label report the widget as the one it labels.
    label->setBuddy(widget);
}

Quiet::Quiet() : m_previous(QAccessible::installUpdateHandler(swallow)) {}

Quiet::~Quiet()
{
    QAccessible::installUpdateHandler(m_previous);
}

} // namespace Accessibility
