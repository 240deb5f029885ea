#include "controls/TNameEdit.h"

#include "rules/TextRoutines.h"

#include <QEvent>
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

} // namespace

TNameEdit::TNameEdit(QWidget* parent) : QLineEdit(parent)
{
    m_fullPixelSize = font().pixelSize();
}

int TNameEdit::textRoom(const QLineEdit* box)
{
    return box->contentsRect().marginsRemoved(box->textMargins()).width() - 2 * HorizontalMargin;
}

void TNameEdit::fitFont(QLineEdit* box, const QString& name)
{
    auto* nameEdit = qobject_cast<TNameEdit*>(box);
    QFont font = box->font();
    const int before = font.pixelSize();
    if (nameEdit && nameEdit->m_fullPixelSize > 0)
        font.setPixelSize(nameEdit->m_fullPixelSize);
    const int room = textRoom(box);
    while (font.pixelSize() > SmallestPixelSize && !fits(font, name, room))
        font.setPixelSize(font.pixelSize() - 1);
    if (font.pixelSize() != before) {
        if (nameEdit)
            nameEdit->m_fitting = true;
        box->setFont(font);
        if (nameEdit)
            nameEdit->m_fitting = false;
    }
    box->setToolTip(fits(font, name, room) ? QString() : name);
}

void TNameEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !m_fitting)
        m_fullPixelSize = font().pixelSize();
    QLineEdit::changeEvent(event);
}

void TNameEdit::paintEvent(QPaintEvent* event)
{
    // While it is edited the box scrolls with the caret as any line edit does.
    if (hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    const QFontMetrics metrics(font());
    const QRect line(contents.x() + HorizontalMargin,
                     contents.y() + (contents.height() - metrics.height() + 1) / 2,
                     contents.width() - 2 * HorizontalMargin, metrics.height());
    const QString name = TextRoutines::StripDots(text());
    const QString shown = metrics.horizontalAdvance(name) > line.width()
                              ? metrics.elidedText(name, Qt::ElideRight, line.width())
                              : text();
    painter.setClipRect(line);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(line.x(), line.y() + metrics.ascent(), shown);
}

void TNameEdit::EditBoxResizeToFit(QLineEdit* box)
{
    const int before = box->font().pixelSize();
    fitFont(box, box->text());
    if (box->font().pixelSize() == before)
        return;
    const int caret = box->cursorPosition();
    box->setCursorPosition(0);
    box->setCursorPosition(caret);
}
