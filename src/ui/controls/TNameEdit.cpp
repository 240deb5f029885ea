#include "controls/TNameEdit.h"

#include "rules/TextRoutines.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// The line edit's own gap between its contents and the text.
constexpr int HorizontalMargin = 2;

bool fits(const QFont& font, const QString& name, int room)
{
    return QFontMetrics(font).horizontalAdvance(name) <= room;
}

// A box that is not being edited, as a line edit would lay it out: its panel, then the start
// of the name, shortened with an ellipsis when the name does not fit.
void paintUnedited(QWidget* box, QPainter& painter, const QStyleOptionFrame& panel,
                   const QString& text)
{
    box->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &panel, box);
    const QFontMetrics metrics(box->font());
    const QRect line(contents.x() + HorizontalMargin,
                     contents.y() + (contents.height() - metrics.height() + 1) / 2,
                     contents.width() - 2 * HorizontalMargin, metrics.height());
    const QString name = TextRoutines::StripDots(text);
    const QString shown = metrics.horizontalAdvance(name) > line.width()
                              ? metrics.elidedText(name, Qt::ElideRight, line.width())
                              : text;
    painter.setClipRect(line);
    painter.setPen(box->palette().color(box->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                        QPalette::Text));
    painter.drawText(line.x(), line.y() + metrics.ascent(), shown);
}

// The line edit of a box: while it has the focus it scrolls with the caret as any line edit
// does; without it, it shows what the box showed before it was made.
class NameEditor : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (hasFocus()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter painter(this);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        paintUnedited(this, painter, panel, text());
    }
};

// What a screen reader is told of a box that has no line edit yet: an editable text and the
// name it holds.
class NameBoxAccessible : public QAccessibleWidget
{
public:
    explicit NameBoxAccessible(TNameEdit* box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return TextRoutines::StripDots(static_cast<const TNameEdit*>(widget())->text());
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool readOnly = static_cast<const TNameEdit*>(widget())->isReadOnly();
        state.editable = !readOnly;
        state.readOnly = readOnly;
        return state;
    }
};

QAccessibleInterface* nameBoxAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("TNameEdit") && object && object->isWidgetType())
        return new NameBoxAccessible(static_cast<TNameEdit*>(object));
    return nullptr;
}

} // namespace

TNameEdit::TNameEdit(QWidget* parent) : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(nameBoxAccessible), true);
    Q_UNUSED(accessible);
    // As a line edit takes the focus, the pointer and dropped text.
    QWidget::setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    m_fullPixelSize = font().pixelSize();
}

QString TNameEdit::text() const
{
    return m_editor ? m_editor->text() : m_text;
}

void TNameEdit::setText(const QString& text)
{
    if (m_editor) {
        m_editor->setText(text);
        return;
    }
    m_cursor = int(text.size());
    if (text == m_text)
        return;
    m_text = text;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, TextRoutines::StripDots(m_text));
        QAccessible::updateAccessibility(&changed);
    }
    emit textChanged(m_text);
}

bool TNameEdit::isReadOnly() const
{
    return m_readOnly;
}

void TNameEdit::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_editor)
        m_editor->setReadOnly(readOnly);
    else
        update();
}

int TNameEdit::cursorPosition() const
{
    return m_editor ? m_editor->cursorPosition() : m_cursor;
}

void TNameEdit::setCursorPosition(int position)
{
    if (m_editor)
        m_editor->setCursorPosition(position);
    else
        m_cursor = std::clamp(position, 0, int(m_text.size()));
}

bool TNameEdit::hasSelectedText() const
{
    return m_editor && m_editor->hasSelectedText();
}

void TNameEdit::setFocusPolicy(Qt::FocusPolicy policy)
{
    QWidget::setFocusPolicy(policy);
    if (m_editor)
        m_editor->setFocusPolicy(policy);
}

void TNameEdit::watchEditing(QObject* filter)
{
    m_editingFilters.append(filter);
    if (m_editor)
        m_editor->installEventFilter(filter);
}

QLineEdit* TNameEdit::ensureEditor()
{
    if (m_editor)
        return m_editor;
    m_editor = new NameEditor(m_text, this);
    m_editor->setFrame(false);
    m_editor->setGeometry(rect());
    m_editor->setReadOnly(m_readOnly);
    m_editor->setCursorPosition(m_cursor);
    m_editor->setFocusPolicy(focusPolicy());
    // The box keeps the pointer, so that what watches the box sees every press; it hands the
    // presses on, and they stay with the line edit.
    m_editor->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_editor->setAttribute(Qt::WA_NoMousePropagation);
    for (QObject* filter : std::as_const(m_editingFilters))
        m_editor->installEventFilter(filter);
    connect(m_editor, &QLineEdit::textChanged, this, &TNameEdit::textChanged);
    // Its tab stop is the box's; the order is set before the proxy, which it would follow.
    QWidget::setTabOrder(this, m_editor);
    setFocusProxy(m_editor);
    m_editor->show();
    m_text.clear();
    return m_editor;
}

bool TNameEdit::event(QEvent* event)
{
    bool forward = false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        // Editing starts.
        ensureEditor();
        forward = true;
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::DragMove:
    case QEvent::DragLeave:
        forward = m_editor != nullptr;
        break;
    case QEvent::ContextMenu:
        // The box's policy holds: a box that opens a list on a right press offers no menu.
        forward = m_editor && contextMenuPolicy() == Qt::DefaultContextMenu;
        break;
    case QEvent::Resize:
        if (m_editor)
            m_editor->setGeometry(rect());
        break;
    default:
        break;
    }
    // What the line edit passes back up comes here again: it goes on to the parent.
    if (forward && !m_forwarding) {
        m_forwarding = true;
        QCoreApplication::sendEvent(m_editor, event);
        m_forwarding = false;
        return true;
    }
    return QWidget::event(event);
}

void TNameEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The line edit takes the focus, and through the box from now on.
    ensureEditor()->setFocus(event->reason());
}

int TNameEdit::textRoom(const TNameEdit* box)
{
    return box->contentsRect().width() - 2 * HorizontalMargin;
}

void TNameEdit::fitFont(TNameEdit* box, const QString& name)
{
    QFont font = box->font();
    const int before = font.pixelSize();
    if (box->m_fullPixelSize > 0)
        font.setPixelSize(box->m_fullPixelSize);
    const int room = textRoom(box);
    while (font.pixelSize() > SmallestPixelSize && !fits(font, name, room))
        font.setPixelSize(font.pixelSize() - 1);
    if (font.pixelSize() != before) {
        box->m_fitting = true;
        box->setFont(font);
        box->m_fitting = false;
    }
    box->setToolTip(fits(font, name, room) ? QString() : name);
}

void TNameEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !m_fitting)
        m_fullPixelSize = font().pixelSize();
    QWidget::changeEvent(event);
}

void TNameEdit::paintEvent(QPaintEvent*)
{
    if (m_editor)
        return; // it covers the box
    QPainter painter(this);
    // A frameless line edit's panel.
    QStyleOptionFrame panel;
    panel.initFrom(this);
    panel.rect = contentsRect();
    panel.lineWidth = 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    if (m_readOnly)
        panel.state |= QStyle::State_ReadOnly;
    panel.features = QStyleOptionFrame::None;
    paintUnedited(this, painter, panel, m_text);
}

void TNameEdit::EditBoxResizeToFit(TNameEdit* box)
{
    const int before = box->font().pixelSize();
    fitFont(box, box->text());
    if (box->font().pixelSize() == before)
        return;
    const int caret = box->cursorPosition();
    box->setCursorPosition(0);
    box->setCursorPosition(caret);
}
