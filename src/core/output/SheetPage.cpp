#include "SheetPage.h"

#include "output/Pictures.h"

#include <QPainter>

SheetPage::SheetPage(int width, qreal penWidth) : m_width(width), m_penWidth(penWidth) {}

QList<SheetPage::Item> SheetPage::items(Part part) const
{
    QList<Item> found;
    for (const Item& item : m_items)
        if (item.part == part)
            found.append(item);
    return found;
}

void SheetPage::paint(QPainter& painter) const
{
    painter.save();
    const bool smoothText = painter.testRenderHint(QPainter::TextAntialiasing);
    const QPen pen(Qt::black, m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    QImage divider; // every divider band has the same size
    for (const Item& item : m_items) {
        switch (item.shape) {
        case Shape::Text: {
            QFont font = item.font;
            // Grey edges would turn into ragged black ones on the monochrome page.
            if (!smoothText)
                font.setStyleStrategy(QFont::NoAntialias);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(item.rect.left(), item.baseline), item.text);
            break;
        }
        case Shape::Circle: {
            // A ring filled in two discs: stroking a curve costs many times more, and a page
            // holds a thousand of them.
            const qreal half = m_penWidth / 2;
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawEllipse(item.rect.adjusted(-half, -half, half, half));
            if (!item.filled) {
                painter.setBrush(Qt::white);
                painter.drawEllipse(item.rect.adjusted(half, half, -half, -half));
            }
            break;
        }
        case Shape::Rectangle:
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case Shape::Line:
            painter.setPen(pen);
            painter.drawLine(item.line);
            break;
        case Shape::Picture:
            paintDivider(painter, item.rect, divider);
            break;
        }
    }
    painter.restore();
}

void SheetPage::paintDivider(QPainter& painter, const QRectF& band, QImage& cache) const
{
    // Scaled to the device's own resolution before it is made black and white, so that its
    // lines stay smooth on a fine printer and solid on the page picture.
    const QSize size = painter.worldTransform().mapRect(band).toAlignedRect().size();
    if (size.isEmpty())
        return;
    if (cache.size() != size)
        cache = Pictures::divider()
                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    painter.drawImage(band, cache);
}

QImage SheetPage::image() const
{
    QImage picture(m_width, m_height, QImage::Format_Mono);
    if (picture.isNull())
        return picture;
    picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    picture.fill(0);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    paint(painter);
    return picture;
}
