#include "controls/PaintedSection.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

void PaintedSection::addText(const QString& text, const QFont& font, const QRect& place,
                             Qt::Alignment alignment, const QColor& colour)
{
    m_texts.append({text, font, place, alignment, colour});
    update(place);
}

void PaintedSection::addBox(const QRect& place)
{
    m_boxes.append(place);
    update(place);
}

void PaintedSection::addFill(const QRect& place, const QColor& colour)
{
    m_fills.append({place, colour});
    update(place);
}

void PaintedSection::addPicture(const QPixmap& picture, const QRect& place)
{
    m_pictures.append({picture, place});
    update(place);
}

void PaintedSection::setChangingBoxes(const QList<QRect>& places)
{
    if (places == m_changingBoxes)
        return;
    for (const QRect& place : std::as_const(m_changingBoxes))
        update(place);
    m_changingBoxes = places;
    for (const QRect& place : places)
        update(place);
}

void PaintedSection::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    // In a label's order: its picture where it sits in the label, a frame in the text colour
    // of a plain frame, the text as the style draws a label's text.
    for (const Picture& picture : std::as_const(m_pictures))
        if (picture.place.intersects(area))
            style()->drawItemPixmap(&painter, picture.place, Qt::AlignLeft | Qt::AlignVCenter,
                                    picture.picture);
    for (const Fill& fill : std::as_const(m_fills))
        if (fill.place.intersects(area))
            painter.fillRect(fill.place, fill.colour);
    const QColor frame = palette().color(QPalette::WindowText);
    for (const QList<QRect>* boxes : {&m_boxes, &m_changingBoxes})
        for (const QRect& box : *boxes)
            if (box.intersects(area))
                qDrawPlainRect(&painter, box, frame, 1);
    for (const Text& text : std::as_const(m_texts)) {
        if (!text.place.intersects(area))
            continue;
        // Within its place, as a label's text is within the label.
        painter.setClipRect(text.place);
        painter.setFont(text.font);
        painter.setPen(text.colour);
        painter.drawText(text.place, int(text.alignment) | Qt::TextForceLeftToRight, text.text);
    }
}
