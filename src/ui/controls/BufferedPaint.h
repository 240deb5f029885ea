#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

// What the sheet's custom controls share in painting.
namespace BufferedPaint {

// The colour behind a control: its parent's background while it follows the parent.
inline QColor background(const QWidget* widget, bool followParent, const QColor& own)
{
    if (followParent && widget->parentWidget()) {
        const QWidget* parent = widget->parentWidget();
        return parent->palette().color(parent->backgroundRole());
    }
    return own;
}

// Composes the picture off screen and copies it in one step, so a drag never flickers.
template <typename Draw>
void paint(QWidget* widget, Draw draw)
{
    if (widget->size().isEmpty())
        return;
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap buffer(widget->size() * ratio);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        draw(painter);
    }
    QPainter(widget).drawPixmap(0, 0, buffer);
}

} // namespace BufferedPaint
