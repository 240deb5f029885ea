#include "controls/TPriorityBox.h"

#include "controls/BufferedPaint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

TPriorityBox::TPriorityBox(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted here, so Qt need not paint the parent underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_color = palette().color(QPalette::Base);
    resize(sizeHint());
}

QColor TPriorityBox::Color() const
{
    return BufferedPaint::background(this, m_parentColor, m_color);
}

void TPriorityBox::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TPriorityBox::setParentColor(bool value)
{
    m_parentColor = value;
    update();
}

void TPriorityBox::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void TPriorityBox::setValue(int rank, int value)
{
    m_grid.setValue(rank, value);
    repaint();
}

void TPriorityBox::setCategory(int index, int value)
{
    m_grid.setCategory(index, value);
    repaint();
}

void TPriorityBox::paintEvent(QPaintEvent*)
{
    BufferedPaint::paint(this, [this](QPainter& painter) { drawGrid(painter); });
}

void TPriorityBox::drawGrid(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    // Lines of one pixel, end points excluded, drawn as thin rectangles so they sit
    // exactly on their pixels.
    const auto hLine = [&](int x0, int x1, int y, const QColor& c) {
        painter.fillRect(QRect(x0, y, x1 - x0, 1), c);
    };
    const auto vLine = [&](int x, int y0, int y1, const QColor& c) {
        painter.fillRect(QRect(x, y0, 1, y1 - y0), c);
    };
    // The outline of a rectangle from (x0, y0) up to but not including (x1, y1).
    const auto frame = [&](int x0, int y0, int x1, int y1, const QColor& c) {
        hLine(x0, x1, y0, c);
        hLine(x0, x1, y1 - 1, c);
        vLine(x0, y0, y1, c);
        vLine(x1 - 1, y0, y1, c);
    };

    painter.fillRect(rect(), Color());
    frame(0, 0, w, h, Qt::black);
    frame(1, 1, w, h, Qt::black);
    // Black lines one pixel right of and below the silver ones engrave the grid.
    vLine(w / 3 + 1, 1, h, Qt::black);
    vLine(2 * w / 3 + 1, 1, h, Qt::black);
    hLine(1, w, h / 3 + 1, Qt::black);
    hLine(1, w, 2 * h / 3 + 1, Qt::black);

    const QColor silver(192, 192, 192);
    frame(0, 0, w - 1, h - 1, silver);
    vLine(w / 3, 0, h - 1, silver);
    vLine(2 * w / 3, 0, h - 1, silver);
    hLine(0, w - 1, h / 3, silver);
    hLine(0, w - 1, 2 * h / 3, silver);

    painter.setFont(font());
    painter.setPen(m_fontColor);
    const QFontMetrics metrics = painter.fontMetrics();
    for (int column = 0; column < PriorityGrid::Count; ++column) {
        const int rank = m_grid.rankOf(column);
        if (rank < 0)
            continue;
        const QString text = QString::number(m_grid.category(column));
        const QPoint centre = PriorityGrid::cellCentre(column, rank, size());
        const int left = centre.x() - metrics.horizontalAdvance(text) / 2;
        const int top = centre.y() - metrics.height() / 2;
        painter.drawText(left, top + metrics.ascent(), text);
    }
}

void TPriorityBox::mousePressEvent(QMouseEvent* event)
{
    // Every button reassigns; only the left one can make a click.
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    m_grid.press(event->position().toPoint(), size());
    repaint();
}

void TPriorityBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint()))
        emit OnClick(this);
}

void TPriorityBox::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
