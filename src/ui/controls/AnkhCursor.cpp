#include "AnkhCursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace AnkhCursor {

QCursor create()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath ankh;
    ankh.addEllipse(QRectF(11, 1, 10, 12));
    ankh.moveTo(16, 13);
    ankh.lineTo(16, 30);
    ankh.moveTo(7, 16);
    ankh.lineTo(25, 16);

    // A dark outline under the red stroke keeps the pointer visible on white and on green.
    painter.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ankh);
    painter.setPen(QPen(QColor(200, 16, 16), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ankh);
    painter.end();
    return QCursor(picture, 16, 1);
}

} // namespace AnkhCursor
