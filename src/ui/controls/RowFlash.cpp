#include "RowFlash.h"

#include <QPainter>

RowFlash::RowFlash(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
    m_fade.setDuration(DurationMs);
    m_fade.setStartValue(1.0);
    m_fade.setEndValue(0.0);
    // Held at full strength for a while first, then gone quickly.
    m_fade.setEasingCurve(QEasingCurve::InQuad);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(&m_fade, &QVariantAnimation::finished, this, &QWidget::hide);
}

void RowFlash::start(const QRect& rect)
{
    setGeometry(rect.adjusted(-3, -2, 3, 2));
    raise();
    show();
    m_fade.stop();
    m_fade.start();
}

void RowFlash::paintEvent(QPaintEvent*)
{
    const double strength = m_fade.currentValue().toDouble();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 0, 0, int(230 * strength)), 2));
    painter.setBrush(QColor(255, 0, 0, int(70 * strength)));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}
