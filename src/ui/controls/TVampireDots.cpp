#include "controls/TVampireDots.h"

#include "controls/BufferedPaint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

TVampireDots::TVampireDots(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted here, so Qt need not paint the parent underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_color = palette().color(QPalette::Base);
    m_rating.setChangeHandler([this] { emit OnChange(this); });
    setDiameter(10);
    setSpacing(2);
    setMaxDots(5);
}

QColor TVampireDots::Color() const
{
    return BufferedPaint::background(this, m_parentColor, m_color);
}

void TVampireDots::setDiameter(int value)
{
    m_rating.setDiameter(value);
    applySize();
}

void TVampireDots::setSpacing(int value)
{
    m_rating.setSpacing(value);
    applySize();
}

void TVampireDots::setMaxDots(int value)
{
    m_rating.setMaxDots(value);
    applySize();
}

void TVampireDots::setMinDots(int value)
{
    m_rating.setMinDots(value);
    applySize();
}

void TVampireDots::setFreebies(int value)
{
    m_rating.setFreebies(value);
    repaint();
}

void TVampireDots::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TVampireDots::setParentColor(bool value)
{
    m_parentColor = value;
    update();
}

QSize TVampireDots::sizeHint() const
{
    return m_rating.geometry().size();
}

void TVampireDots::applySize()
{
    // An explicit size set by the owner lasts only until the next change of geometry.
    resize(sizeHint());
    updateGeometry();
}

void TVampireDots::paintEvent(QPaintEvent*)
{
    BufferedPaint::paint(this, [this](QPainter& painter) { drawRow(painter); });
}

void TVampireDots::drawRow(QPainter& painter) const
{
    const DotsGeometry& cells = m_rating.geometry();
    const QColor background = Color();
    painter.fillRect(rect(), background);

    // Set pixel by pixel: Qt's line ends do not follow the end points wanted here.
    if (cells.minDots == 0) {
        for (const QPoint& pixel : cells.crossPixels())
            painter.fillRect(QRect(pixel, QSize(1, 1)), m_outlineColor);
    }

    painter.setPen(QPen(m_outlineColor, 0));
    painter.setRenderHint(QPainter::Antialiasing);
    const auto drawDots = [&](int from, int to, const QColor& fill) {
        painter.setBrush(fill);
        for (int k = from; k <= to; ++k) {
            // The outline's centre runs half a pixel inside the cell, so the dot
            // covers the cell and no more.
            const QRectF cell = cells.cellRect(k);
            painter.drawEllipse(cell.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    };
    const int filled = m_rating.Filled();
    const int paid = filled - m_rating.Freebies();
    // Ascending and in this order, so where the ranges overlap the later colour wins.
    drawDots(1, paid, m_filledColor);
    drawDots(paid + 1, filled, m_freebieColor);
    drawDots(filled + 1, cells.maxDots, background);
}

void TVampireDots::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton)
        m_rating.press(pos.x());
    emit OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TVampireDots::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint pos = event->position().toPoint();
    m_rating.drag(pos.x(), pos.y(), width());
}

void TVampireDots::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}
