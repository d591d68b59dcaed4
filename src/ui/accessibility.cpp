#include "ui/accessibility.h"

#include "ui/form.h"
#include "ui/native.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBoundaryFinder>

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

// The item of text of the given kind that holds offset: [start, end). The text is one line.
std::pair<int, int> itemAt(const QString &text, QAccessible::TextBoundaryType boundary, int offset)
{
    const int length = int(text.size());
    QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        kind = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        kind = QTextBoundaryFinder::Sentence;
        break;
    default:
        return {0, length};
    }
    QTextBoundaryFinder finder(kind, text);
    finder.setPosition(offset);
    int start = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
    start = std::max(start, 0);
    finder.setPosition(start);
    const int end = start < length ? int(finder.toNextBoundary()) : length;
    return {start, end < 0 ? length : end};
}

// The program's one-line text boxes. Qt 6.4's own interface can loop for good when a reader asks for the
// word or sentence at the end of the text; this one answers every question about a single line directly.
class TextBox final : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface
{
public:
    explicit TextBox(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !edit()->isReadOnly())
            edit()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // QAccessibleTextInterface
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + edit()->selectionLength();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        const QString text = shown();
        start = std::clamp(start, 0, int(text.size()));
        end = std::clamp(end, start, int(text.size()));
        return text.sliced(start, end - start);
    }
    int characterCount() const override { return int(shown().size()); }

    QRect characterRect(int offset) const override
    {
        const QString text = shown();
        if (offset < 0 || offset >= text.size())
            return {};
        // Measured from the caret, which already counts the box's frame, margins and scrolling.
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit()->font());
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const QRect rect(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)), caret.height());
        return {edit()->mapToGlobal(rect.topLeft()), rect.size()};
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = edit()->mapFromGlobal(point);
        return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
    }

    void scrollToSubstring(int start, int end) override
    {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }

    QString attributes(int offset, int *start, int *end) const override
    {
        Q_UNUSED(offset);
        *start = 0;
        *end = characterCount();
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                             int *end) const override
    {
        return neighbour(offset, boundary, -1, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                         int *end) const override
    {
        return neighbour(offset, boundary, 0, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                            int *end) const override
    {
        return neighbour(offset, boundary, 1, start, end);
    }

    // QAccessibleEditableTextInterface: what a reader types arrives like pasted text.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (edit()->isReadOnly())
            return;
        QString value = edit()->text();
        start = std::clamp(start, 0, int(value.size()));
        end = std::clamp(end, start, int(value.size()));
        edit()->setText(value.replace(start, end - start, text));
    }

private:
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }

    QString shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : QString(); }

    // The item holding offset (direction 0), or the one before (-1) or after (1) it.
    QString neighbour(int offset, QAccessible::TextBoundaryType boundary, int direction, int *start,
                      int *end) const
    {
        const QString text = shown();
        const int length = int(text.size());
        if (offset == -2)
            offset = edit()->cursorPosition();
        else if (offset == -1)
            offset = length;
        *start = *end = -1;
        if (offset < 0 || offset > length || (boundary == QAccessible::NoBoundary && direction != 0))
            return {};
        auto [first, last] = itemAt(text, boundary, offset);
        if (direction < 0) {
            if (first == 0)
                return {};
            std::tie(first, last) = itemAt(text, boundary, first - 1);
        } else if (direction > 0) {
            if (last >= length)
                return {};
            std::tie(first, last) = itemAt(text, boundary, last);
        }
        *start = first;
        *end = last;
        return text.sliced(first, last - first);
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
        return new TextBox(edit);
    if (const Annotation *annotation = annotationOf(widget))
        return new AnnotatedWidget(widget, *annotation);
    if (widget->metaObject() == &QFrame::staticMetaObject && !widget->isWindow())
        return new Panel(static_cast<QFrame *>(widget));
    return nullptr;
}

// Mends two ways in which Qt's screen reader bridge leaves a reader or a keyboard user stuck.
class BridgeWatcher final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only the two events below may ask whether a reader listens: asking starts the bridge, and the
        // bridge sends events of its own while it starts. Qt tells screen readers only that a widget shown
        // again is "showing"; the bridge has no word for it becoming "visible" again, which a reader needs as
        // well once it has read the widget while it was hidden.
        if (event->type() == QEvent::Show && watched->isWidgetType() && QAccessible::isActive())
            Native::announceVisible(watched);
        // The bridge holds every key back while it asks the screen reader, then posts it again. An Alt that
        // comes back after the rest of its chord (Alt+B) would arm the menu bar once more, and its release
        // would then put the menu bar into keyboard mode and take the focus from the window. The real Alt
        // armed the menu bar before the chord, so that copy is dropped; a lone Alt still opens the menu bar.
        if (event->type() == QEvent::ShortcutOverride && QAccessible::isActive()) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            const bool alt = key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
            if (event->spontaneous())
                m_altInChord = !alt && (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier));
            else
                return alt && m_altInChord;
        }
        return false;
    }

private:
    bool m_altInChord = false;
};

void swallow(QAccessibleEvent *) {}
} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        qApp->installEventFilter(new BridgeWatcher(qApp));
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
