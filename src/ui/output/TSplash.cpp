#include "TSplash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

TSplash::TSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(240, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(120, 100), 150);
    glow.setColorAt(0, QColor(0, 96, 32));
    glow.setColorAt(1, QColor(0, 24, 0));
    painter.fillRect(rect(), glow);
    painter.setPen(QPen(QColor(96, 160, 128), 2));
    painter.drawRect(QRectF(5, 5, 230, 230));

    QPainterPath ankh;
    ankh.addEllipse(QRectF(95, 28, 50, 62));
    ankh.moveTo(120, 90);
    ankh.lineTo(120, 190);
    ankh.moveTo(78, 108);
    ankh.lineTo(162, 108);
    painter.setPen(QPen(QColor(20, 0, 0), 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ankh);
    painter.setPen(QPen(QColor(176, 16, 16), 10, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ankh);

    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(26);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(font);
    painter.setPen(QColor(176, 208, 176));
    painter.drawText(QRect(0, 196, 240, 36), Qt::AlignCenter, QStringLiteral("TARNOCH"));
}
