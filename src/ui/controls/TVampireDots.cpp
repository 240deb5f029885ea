#include "controls/TVampireDots.h"

#include "controls/BufferedPaint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <tuple>

namespace {

// Draws one dot over its cell. The outline's centre runs half a pixel inside the cell, so the
// dot covers the cell and no more.
void drawDot(QPainter& painter, const QRectF& cell, const QColor& outline, const QColor& fill)
{
    painter.setPen(QPen(outline, 0));
    painter.setBrush(fill);
    painter.drawEllipse(cell.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A dot over the row's background, drawn once per size and colours: a sheet shows hundreds
// of the same few dots, and a cell at whole pixels comes out the same wherever it stands.
const QImage& dotPicture(int diameter, const QColor& background, const QColor& outline,
                         const QColor& fill)
{
    static std::map<std::tuple<int, QRgb, QRgb, QRgb>, QImage> pictures;
    QImage& picture = pictures[{diameter, background.rgba(), outline.rgba(), fill.rgba()}];
    if (picture.isNull()) {
        picture = QImage(diameter, diameter, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), background);
        painter.setRenderHint(QPainter::Antialiasing);
        drawDot(painter, picture.rect(), outline, fill);
    }
    return picture;
}

} // namespace

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

    painter.setRenderHint(QPainter::Antialiasing);
    const int filled = m_rating.Filled();
    const int paid = filled - m_rating.Freebies();
    // Opaque pictures of dots stand in for drawing them, unless a dot is drawn over another
    // (more freebies than dots) or the buffer has more pixels than the widget.
    const bool pictures =
        paid <= filled && painter.device()->devicePixelRatio() == 1 && background.alpha() == 255;
    const auto drawDots = [&](int from, int to, const QColor& fill) {
        for (int k = from; k <= to; ++k) {
            if (pictures)
                painter.drawImage(cells.cellRect(k).topLeft(),
                                  dotPicture(cells.diameter, background, m_outlineColor, fill));
            else
                drawDot(painter, cells.cellRect(k), m_outlineColor, fill);
        }
    };
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
