#include "Pictures.h"

#include <QPainter>

namespace Pictures {

namespace {

QImage filled(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

QImage background()
{
    static const QImage image = [] {
        QImage picture = filled(800, 572, QColor(0, 64, 0));
        QPainter painter(&picture);
        painter.fillRect(QRect(9, 60, 594, 502), Qt::white);
        painter.fillRect(QRect(638, 60, 153, 345), Qt::black);
        return picture;
    }();
    return image;
}

QImage buttonFace()
{
    static const QImage image = filled(107, 31, QColor(0, 40, 0));
    return image;
}

QImage presetFace()
{
    static const QImage image = filled(90, 25, QColor(0, 40, 0));
    return image;
}

QImage divider()
{
    static const QImage image = filled(594, 31, QColor(0, 64, 0));
    return image;
}

QImage scrollThumb()
{
    static const QImage image = filled(20, 20, QColor(96, 160, 128));
    return image;
}

QImage checked()
{
    static const QImage image = filled(12, 13, Qt::black);
    return image;
}

QImage unChecked()
{
    static const QImage image = filled(12, 13, Qt::white);
    return image;
}

QImage aboutPicture()
{
    static const QImage image = filled(240, 240, QColor(0, 40, 0));
    return image;
}

QImage dialogBackground()
{
    static const QImage image = filled(200, 143, QColor(0, 48, 0));
    return image;
}

QImage dialogButton()
{
    static const QImage image = filled(107, 31, QColor(0, 40, 0));
    return image;
}

} // namespace Pictures
