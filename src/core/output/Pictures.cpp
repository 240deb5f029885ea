#include "Pictures.h"

#include "output/FontRegistry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace Pictures {

namespace {

const QColor kField(0, 64, 0);       // the window's own colour
const QColor kCaption(96, 160, 128); // caption text; also the light of the ornament
const QColor kPlate(0, 34, 4);       // behind button labels: dark enough for caption and red
const QColor kDeep(0, 14, 2);        // shadows and outlines on green
const QColor kBlood(150, 14, 18);
const QColor kInk(8, 20, 10); // ornament on white: near black, so it prints cleanly

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

QImage blank(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(format == QImage::Format_RGB32 ? QColor(Qt::black) : QColor(Qt::transparent));
    return image;
}

void smooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

// A fixed hash instead of a random generator, so that every run draws the same picture.
quint32 grainAt(quint32 x, quint32 y, quint32 seed)
{
    quint32 h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Fine mottling like a painted surface; only for opaque pictures. The noise repeats every
// 128 pixels, which no eye finds in a mottle this fine, and spares a hash per pixel at start-up.
void addGrain(QImage& image, const QRect& area, int strength, quint32 seed)
{
    constexpr int Tile = 128;
    const int spread = 2 * strength + 1;
    std::array<quint8, Tile * Tile> noise; // index of the shift, 0 .. spread - 1
    for (int i = 0; i < Tile * Tile; ++i)
        noise[i] = quint8(grainAt(quint32(i % Tile), quint32(i / Tile), seed) % quint32(spread));
    // Each shift as a table of shifted channel values: green moves by d, red and blue by d / 2.
    std::vector<std::array<quint8, 256>> green(spread), redBlue(spread);
    for (int k = 0; k < spread; ++k) {
        const int d = k - strength;
        for (int v = 0; v < 256; ++v) {
            green[k][v] = quint8(std::clamp(v + d, 0, 255));
            redBlue[k][v] = quint8(std::clamp(v + d / 2, 0, 255));
        }
    }
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const quint8* row = noise.data() + (y & (Tile - 1)) * Tile;
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const unsigned k = row[x & (Tile - 1)];
            const quint8* g = green[k].data();
            const quint8* rb = redBlue[k].data();
            const QRgb p = line[x];
            line[x] = 0xff000000u | uint(rb[(p >> 16) & 0xff]) << 16 |
                      uint(g[(p >> 8) & 0xff]) << 8 | rb[p & 0xff];
        }
    }
}

QPainterPath lozenge(QPointF centre, qreal halfWidth, qreal halfHeight)
{
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y());
    path.lineTo(centre.x(), centre.y() - halfHeight);
    path.lineTo(centre.x() + halfWidth, centre.y());
    path.lineTo(centre.x(), centre.y() + halfHeight);
    path.closeSubpath();
    return path;
}

QPainterPath quatrefoil(QPointF centre, qreal lobe)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qreal d = lobe * 0.85;
    for (const QPointF offset : {QPointF(-d, 0), QPointF(d, 0), QPointF(0, -d), QPointF(0, d)})
        path.addEllipse(centre + offset, lobe, lobe);
    return path.simplified();
}

// A solid ankh filling box: loop, flared arms and a stem that widens to its foot.
QPainterPath ankh(const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal cx = box.center().x();
    const qreal top = box.top();
    auto at = [&](qreal fx, qreal fy) { return QPointF(cx + fx * w, top + fy * h); };

    QPainterPath loop;
    loop.addEllipse(QRectF(at(-0.25, 0.0), at(0.25, 0.40)));
    QPainterPath eye;
    eye.addEllipse(QRectF(at(-0.12, 0.08), at(0.12, 0.31)));
    loop = loop.subtracted(eye);

    QPainterPath arms;
    arms.moveTo(at(-0.1, 0.39));
    arms.lineTo(at(-0.5, 0.35));
    arms.lineTo(at(-0.5, 0.52));
    arms.lineTo(at(-0.1, 0.48));
    arms.lineTo(at(0.1, 0.48));
    arms.lineTo(at(0.5, 0.52));
    arms.lineTo(at(0.5, 0.35));
    arms.lineTo(at(0.1, 0.39));
    arms.closeSubpath();

    QPainterPath stem;
    stem.moveTo(at(-0.08, 0.38));
    stem.lineTo(at(0.08, 0.38));
    stem.lineTo(at(0.17, 1.0));
    stem.lineTo(at(-0.17, 1.0));
    stem.closeSubpath();

    return loop.united(arms).united(stem).simplified();
}

// An ankh shaded from light at its top left to base at its bottom right.
void paintAnkh(QPainter& painter, const QRectF& box, const QColor& light, const QColor& base,
               const QPen& outline)
{
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, light);
    fill.setColorAt(1, base);
    painter.setPen(outline);
    painter.setBrush(fill);
    painter.drawPath(ankh(box));
}

// Sunken frame around a recess: shadow above and left, light below and right.
void recess(QPainter& painter, const QRect& inner)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect r1 = inner.adjusted(-1, -1, 1, 1);
    const QRect r2 = inner.adjusted(-2, -2, 2, 2);
    painter.setPen(kDeep);
    painter.drawLine(r1.topLeft(), r1.topRight());
    painter.drawLine(r1.topLeft(), r1.bottomLeft());
    painter.setPen(QColor(0, 30, 2));
    painter.drawLine(r2.topLeft(), r2.topRight());
    painter.drawLine(r2.topLeft(), r2.bottomLeft());
    painter.setPen(withAlpha(kCaption, 150));
    painter.drawLine(r1.bottomLeft() + QPoint(1, 0), r1.bottomRight());
    painter.drawLine(r1.topRight() + QPoint(0, 1), r1.bottomRight());
    painter.setPen(withAlpha(kCaption, 60));
    painter.drawLine(r2.bottomLeft() + QPoint(1, 0), r2.bottomRight());
    painter.drawLine(r2.topRight() + QPoint(0, 1), r2.bottomRight());
    painter.restore();
}

// A thin engraved line (dark cut, light edge below it), with lozenges at the corners if knot > 0.
void engravedFrame(QPainter& painter, const QRectF& rect, qreal knot)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(kCaption, 70), 1));
    painter.drawRect(rect.translated(0.7, 0.7));
    painter.setPen(QPen(kDeep, 1));
    painter.drawRect(rect);
    if (knot > 0) {
        painter.setPen(QPen(kDeep, 1));
        painter.setBrush(kCaption);
        for (const QPointF corner :
             {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()})
            painter.drawPath(lozenge(corner, knot, knot));
    }
    painter.restore();
}

// Faint diagonal trellis with small quatrefoils at its crossings, stamped into the field.
// The pattern repeats every pitch pixels both ways, so one tile is drawn and used as a brush.
void trellis(QPainter& painter, const QRect& area, int pitch)
{
    QImage tile(pitch, pitch, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    {
        QPainter t(&tile);
        smooth(t);
        t.setBrush(Qt::NoBrush);
        QPainterPath lines;
        for (int c = -pitch; c <= pitch; c += pitch) {
            lines.moveTo(c - 1, -1);
            lines.lineTo(c + pitch + 1, pitch + 1);
            lines.moveTo(c - 1, pitch + 1);
            lines.lineTo(c + pitch + 1, -1);
        }
        t.setPen(QPen(QColor(0, 0, 0, 26), 1.2));
        t.drawPath(lines);
        t.setPen(QPen(withAlpha(kCaption, 9), 1));
        t.drawPath(lines.translated(0, 1));
        t.setPen(Qt::NoPen);
        t.setBrush(QColor(0, 0, 0, 30));
        const qreal half = pitch / 2.0;
        for (const QPointF& crossing : {QPointF(0, 0), QPointF(pitch, 0), QPointF(0, pitch),
                                        QPointF(pitch, pitch), QPointF(half, half)})
            t.drawPath(quatrefoil(crossing, 1.6));
    }
    painter.save();
    painter.setBrushOrigin(area.topLeft());
    painter.fillRect(area, QBrush(tile));
    painter.restore();
}

// The dark plate of the window's and the dialogs' buttons.
QImage darkPlate(int width, int height)
{
    QImage image = blank(width, height);
    QPainter painter(&image);
    smooth(painter);
    const QRectF r(0, 0, width, height);

    QLinearGradient face(0, 0, 0, height);
    face.setColorAt(0.0, QColor(0, 62, 12));
    face.setColorAt(0.18, QColor(0, 40, 6));
    face.setColorAt(0.6, kPlate);
    face.setColorAt(1.0, QColor(0, 22, 2));
    painter.fillRect(r, face);
    painter.end();
    addGrain(image, image.rect().adjusted(2, 2, -2, -2), 2, 7);

    painter.begin(&image);
    smooth(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Raised edge: light top and left, dark bottom and right, inside a black rim.
    painter.setPen(QColor(0, 8, 0));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.setPen(withAlpha(kCaption, 150));
    painter.drawLine(1, 1, width - 2, 1);
    painter.drawLine(1, 1, 1, height - 2);
    painter.setPen(QColor(0, 12, 0));
    painter.drawLine(2, height - 2, width - 2, height - 2);
    painter.drawLine(width - 2, 2, width - 2, height - 2);
    painter.setRenderHint(QPainter::Antialiasing);

    // Engraved inner border, broken at the ends by small lozenges.
    const qreal inset = 3.5;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(kCaption, 55), 1));
    painter.drawRoundedRect(inner.translated(0.6, 0.6), 1.5, 1.5);
    painter.setPen(QPen(QColor(0, 10, 0, 200), 1));
    painter.drawRoundedRect(inner, 1.5, 1.5);

    const qreal mid = height / 2.0;
    for (const qreal x : {inset, width - inset}) {
        painter.setPen(QPen(kDeep, 0.8));
        painter.setBrush(withAlpha(kCaption, 190));
        painter.drawPath(lozenge(QPointF(x, mid), 2.3, height * 0.2));
    }
    return image;
}

void drawTitleBar(QPainter& painter)
{
    const QRectF bar(2, 0, 796, 25);
    QFont face = FontRegistry::font(QStringLiteral("Lucida Blackletter"));
    face.setPixelSize(16);
    const QString title = QStringLiteral("Tarnoch");
    const QFontMetricsF metrics(face);
    const QRectF ink = metrics.tightBoundingRect(title);
    const qreal textWidth = metrics.horizontalAdvance(title);
    const qreal x = bar.center().x() - textWidth / 2;
    const qreal baseline = 12.5 - ink.center().y();

    // Rules running out from the title, ending in lozenges.
    const qreal y = 12.5;
    const qreal gap = textWidth / 2 + 16;
    for (const int side : {-1, 1}) {
        const qreal from = bar.center().x() + side * gap;
        const qreal to = bar.center().x() + side * 190;
        painter.setPen(QPen(kDeep, 1));
        painter.drawLine(QPointF(from, y - 2), QPointF(to, y - 2));
        painter.drawLine(QPointF(from, y + 3), QPointF(to, y + 3));
        painter.setPen(QPen(withAlpha(kCaption, 130), 1));
        painter.drawLine(QPointF(from, y - 1), QPointF(to, y - 1));
        painter.drawLine(QPointF(from, y + 4), QPointF(to, y + 4));
        painter.setPen(QPen(kDeep, 0.8));
        painter.setBrush(withAlpha(kCaption, 200));
        painter.drawPath(lozenge(QPointF(from - side * 7, y), 4, 4));
        painter.drawPath(lozenge(QPointF(to + side * 5, y), 3.5, 2.5));
        painter.setBrush(kBlood);
        painter.drawPath(lozenge(QPointF(from - side * 7, y), 1.6, 1.6));
    }

    painter.setFont(face);
    painter.setPen(QColor(0, 10, 0));
    painter.drawText(QPointF(x + 1, baseline + 1), title);
    painter.setPen(kCaption);
    painter.drawText(QPointF(x, baseline), title);
}

// About, minimise and close, each on a small sunken plate.
void drawWindowGlyphs(QPainter& painter)
{
    const QRectF about(747, 7, 14, 14);
    const QRectF minimise(762, 7, 14, 14);
    const QRectF close(777, 7, 14, 14);
    for (const QRectF& plate : {about, minimise, close}) {
        painter.setPen(QPen(kDeep, 1));
        painter.setBrush(QColor(0, 36, 2));
        painter.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter.setPen(QPen(withAlpha(kCaption, 70), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(plate.bottomLeft() + QPointF(2, -0.5),
                         plate.bottomRight() + QPointF(-2, -0.5));
    }
    paintAnkh(painter, about.adjusted(3, 2, -3, -2), kCaption, kCaption, Qt::NoPen);
    painter.setPen(QPen(kCaption, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(minimise.left() + 3.5, minimise.bottom() - 4),
                     QPointF(minimise.right() - 3.5, minimise.bottom() - 4));
    painter.setPen(QPen(kCaption, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QRectF cross = close.adjusted(3.8, 3.8, -3.8, -3.8);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

void drawLegend(QPainter& painter)
{
    const QRectF area(480, 24, 310, 31);
    QFont face = FontRegistry::font(QStringLiteral("Lucida Blackletter"));
    face.setPixelSize(19);
    const QString legend = QStringLiteral("Vampire - The Masquerade");
    const QFontMetricsF metrics(face);
    const qreal width = metrics.horizontalAdvance(legend);
    const QRectF ink = metrics.tightBoundingRect(legend);
    const qreal x = area.center().x() - width / 2;
    const qreal baseline = area.center().y() - ink.center().y();

    painter.setFont(face);
    painter.setPen(QColor(0, 10, 0, 220));
    painter.drawText(QPointF(x + 1, baseline + 1), legend);
    painter.setPen(withAlpha(kCaption, 210));
    painter.drawText(QPointF(x, baseline), legend);

    // Short flourishes either side of the legend.
    const qreal y = area.center().y() + 1;
    for (const int side : {-1, 1}) {
        const qreal from = area.center().x() + side * (width / 2 + 8);
        const qreal to = area.center().x() + side * (area.width() / 2 - 4);
        QLinearGradient fade(QPointF(from, y), QPointF(to, y));
        fade.setColorAt(0, withAlpha(kCaption, 160));
        fade.setColorAt(1, withAlpha(kCaption, 0));
        painter.setPen(QPen(QBrush(fade), 1));
        painter.drawLine(QPointF(from, y), QPointF(to, y));
        painter.setPen(QPen(kDeep, 0.8));
        painter.setBrush(withAlpha(kCaption, 190));
        painter.drawPath(lozenge(QPointF(from + side * 2, y), 2.5, 2.5));
    }
}

// The window's outer border: dark rim, light bead, dark cut, with lozenge knots at the corners.
void drawWindowFrame(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(0, 6, 0));
    painter.drawRect(0, 0, 799, 571);
    painter.setPen(QColor(0, 26, 0));
    painter.drawRect(1, 1, 797, 569);
    painter.setPen(withAlpha(kCaption, 140));
    painter.drawRect(2, 2, 795, 567);
    painter.setPen(QColor(0, 22, 0));
    painter.drawRect(3, 3, 793, 565);
    painter.restore();

    painter.setPen(QPen(kDeep, 0.8));
    painter.setBrush(kCaption);
    for (const QPointF corner :
         {QPointF(2.5, 2.5), QPointF(797.5, 2.5), QPointF(2.5, 569.5), QPointF(797.5, 569.5)})
        painter.drawPath(lozenge(corner, 3, 3));
}

// The free block below the information area: a framed plaque carrying the command buttons.
void drawCommandPlaque(QPainter& painter)
{
    const QRectF plaque(634.5, 408.5, 160, 156);
    engravedFrame(painter, plaque, 0);
    // A rail on either side of the buttons, with a knot level with each button's middle.
    for (const qreal x : {649.5, 780.5}) {
        painter.setPen(QPen(kDeep, 1));
        painter.drawLine(QPointF(x, 414), QPointF(x, 528));
        painter.setPen(QPen(withAlpha(kCaption, 80), 1));
        painter.drawLine(QPointF(x + 1, 414), QPointF(x + 1, 528));
        for (int i = 0; i < 4; ++i) {
            const QPointF centre(x + 0.5, 409 + 31 * i + 15.5);
            painter.setPen(QPen(kDeep, 0.8));
            painter.setBrush(kCaption);
            painter.drawPath(lozenge(centre, 4, 5.5));
            painter.setBrush(kBlood);
            painter.drawPath(lozenge(centre, 1.5, 2));
        }
    }
    // Below the buttons: a small ankh between two fading rules.
    const QPointF centre(714.5, 548.5);
    for (const int side : {-1, 1}) {
        QLinearGradient fade(centre + QPointF(side * 12, 0), centre + QPointF(side * 70, 0));
        fade.setColorAt(0, withAlpha(kCaption, 170));
        fade.setColorAt(1, withAlpha(kCaption, 0));
        painter.setPen(QPen(QBrush(fade), 1));
        painter.drawLine(centre + QPointF(side * 12, 0), centre + QPointF(side * 70, 0));
        painter.drawLine(centre + QPointF(side * 16, 3), centre + QPointF(side * 50, 3));
        painter.setPen(QPen(kDeep, 0.8));
        painter.setBrush(withAlpha(kCaption, 200));
        painter.drawPath(lozenge(centre + QPointF(side * 20, 0), 3, 3));
    }
    paintAnkh(painter, QRectF(centre.x() - 7, centre.y() - 10, 14, 20), QColor(210, 50, 50), kBlood,
              QPen(kDeep, 0.8));
}

// The empty box; the tick is drawn over it. The last row stays white so a 12 x 12 box shows
// the whole frame.
QImage tickBox(bool ticked)
{
    QImage picture = blank(12, 13);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    smooth(painter);
    QLinearGradient inside(0, 0, 0, 12);
    inside.setColorAt(0, QColor(206, 222, 208));
    inside.setColorAt(1, Qt::white);
    painter.setPen(QPen(kField, 1));
    painter.setBrush(inside);
    painter.drawRect(QRectF(0.5, 0.5, 11, 11));
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(2.6, 6.0);
        tick.lineTo(5.0, 8.8);
        tick.lineTo(9.6, 2.6);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kInk, 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    }
    return picture;
}

// Bat wings spread from the centre; trailing edges scalloped between the finger bones.
void paintWings(QPainter& painter, QPointF shoulder, qreal span, qreal lift)
{
    for (const int side : {-1, 1}) {
        auto at = [&](qreal fx, qreal fy) {
            return QPointF(shoulder.x() + side * fx * span, shoulder.y() + fy * lift);
        };
        const QPointF tips[] = {at(1.0, -0.55), at(0.78, 0.25), at(0.52, 0.45), at(0.27, 0.5)};
        QPainterPath wing;
        wing.moveTo(at(0.02, -0.1));
        wing.cubicTo(at(0.2, -0.6), at(0.4, -0.8), at(0.55, -0.85));
        wing.lineTo(at(0.58, -1.05)); // the claw at the wrist
        wing.lineTo(at(0.63, -0.86));
        wing.cubicTo(at(0.8, -0.85), at(0.92, -0.75), tips[0]);
        QPointF from = tips[0];
        for (int i = 1; i < 4; ++i) {
            const QPointF mid = (from + tips[i]) / 2;
            const QPointF control = mid + (at(0, -0.6) - mid) * 0.42;
            wing.quadTo(control, tips[i]);
            from = tips[i];
        }
        wing.quadTo(at(0.12, 0.2), at(0.02, 0.3));
        wing.closeSubpath();

        QLinearGradient membrane(at(0, -0.5), at(1, 0.5));
        membrane.setColorAt(0, QColor(20, 50, 28));
        membrane.setColorAt(1, QColor(2, 14, 6));
        painter.setPen(
            QPen(withAlpha(kCaption, 200), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(membrane);
        painter.drawPath(wing);
        painter.setPen(QPen(withAlpha(kCaption, 120), 0.9, Qt::SolidLine, Qt::RoundCap));
        for (int i = 1; i < 4; ++i)
            painter.drawLine(at(0.58, -0.84), tips[i]);
        painter.drawLine(at(0.06, -0.1), at(0.58, -0.84));
    }
}

} // namespace

QImage background()
{
    static const QImage image = [] {
        QImage picture = blank(800, 572);
        QPainter painter(&picture);
        smooth(painter);

        // A lighter heart fading to the edges, stamped with a faint trellis.
        QRadialGradient field(QPointF(330, 260), 520);
        field.setColorAt(0.0, QColor(0, 72, 6));
        field.setColorAt(0.65, kField);
        field.setColorAt(1.0, QColor(0, 44, 0));
        painter.fillRect(picture.rect(), field);
        trellis(painter, picture.rect(), 24);

        // The scroll bar column stays quiet: the groove line is drawn over it.
        const QRect column(610, 60, 20, 502);
        QLinearGradient channel(column.topLeft(), column.topRight());
        channel.setColorAt(0.0, QColor(0, 40, 0));
        channel.setColorAt(0.25, QColor(0, 54, 2));
        channel.setColorAt(0.75, QColor(0, 54, 2));
        channel.setColorAt(1.0, QColor(0, 46, 0));
        painter.fillRect(column, channel);
        painter.end();
        addGrain(picture, picture.rect(), 3, 1);

        painter.begin(&picture);
        smooth(painter);

        // Title bar band.
        QLinearGradient band(0, 0, 0, 23);
        band.setColorAt(0, QColor(0, 30, 0));
        band.setColorAt(1, QColor(0, 46, 2));
        painter.fillRect(QRect(4, 4, 792, 18), band);
        painter.setPen(QPen(kDeep, 1));
        painter.drawLine(QPointF(4, 22.5), QPointF(796, 22.5));
        painter.setPen(QPen(withAlpha(kCaption, 60), 1));
        painter.drawLine(QPointF(4, 23.5), QPointF(796, 23.5));
        drawTitleBar(painter);
        drawWindowGlyphs(painter);
        drawLegend(painter);

        const QRect dock(9, 60, 594, 502);
        const QRect techDock(638, 60, 153, 345);
        recess(painter, dock);
        recess(painter, techDock);
        engravedFrame(painter, QRectF(dock).adjusted(-4.5, -4.5, 3.5, 3.5), 0);
        engravedFrame(painter, QRectF(techDock).adjusted(-4.5, -4.5, 3.5, 3.5), 2.5);
        drawCommandPlaque(painter);
        drawWindowFrame(painter);

        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(dock, Qt::white);
        painter.fillRect(techDock, Qt::black);
        return picture;
    }();
    return image;
}

QImage buttonFace()
{
    static const QImage image = darkPlate(107, 31);
    return image;
}

QImage presetFace()
{
    // Preset labels are black (red when the preset matches), so this plate is light.
    static const QImage image = [] {
        const int width = 90;
        const int height = 25;
        QImage picture = blank(width, height);
        QPainter painter(&picture);
        smooth(painter);
        QLinearGradient face(0, 0, 0, height);
        face.setColorAt(0.0, QColor(246, 250, 244));
        face.setColorAt(0.55, QColor(230, 239, 230));
        face.setColorAt(1.0, QColor(212, 227, 214));
        painter.fillRect(picture.rect(), face);
        painter.end();
        addGrain(picture, picture.rect().adjusted(2, 2, -2, -2), 2, 11);

        painter.begin(&picture);
        smooth(painter);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(kField);
        painter.drawRect(0, 0, width - 1, height - 1);
        painter.setPen(Qt::white);
        painter.drawLine(1, 1, width - 2, 1);
        painter.drawLine(1, 1, 1, height - 2);
        painter.setPen(QColor(130, 160, 136));
        painter.drawLine(2, height - 2, width - 2, height - 2);
        painter.drawLine(width - 2, 2, width - 2, height - 2);
        painter.setRenderHint(QPainter::Antialiasing);

        const QRectF inner = QRectF(0, 0, width, height).adjusted(3.5, 3.5, -3.5, -3.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(withAlpha(kField, 110), 1));
        painter.drawRoundedRect(inner, 1.5, 1.5);
        // Labels may run nearly edge to edge, so the ornament keeps to the corners.
        painter.setPen(Qt::NoPen);
        painter.setBrush(kField);
        for (const QPointF corner :
             {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
            painter.drawPath(lozenge(corner, 2, 2));
        return picture;
    }();
    return image;
}

QImage divider()
{
    static const QImage image = [] {
        const int width = 594;
        const int height = 31;
        QImage picture = blank(width, height);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        smooth(painter);
        const qreal mid = 15.5;
        const qreal cx = width / 2.0;
        const qreal halfCartouche = 100;

        // Cartouche: ogee-pointed ends, a heavy outer line and a fine inner one.
        auto cartouche = [&](qreal halfWidth, qreal halfHeight) {
            QPainterPath path;
            const qreal l = cx - halfWidth;
            const qreal r = cx + halfWidth;
            const qreal t = mid - halfHeight;
            const qreal b = mid + halfHeight;
            const qreal reach = halfHeight * 1.4;
            path.moveTo(l, mid);
            path.cubicTo(l + reach * 0.5, mid, l + reach * 0.4, t, l + reach, t);
            path.lineTo(r - reach, t);
            path.cubicTo(r - reach * 0.4, t, r - reach * 0.5, mid, r, mid);
            path.cubicTo(r - reach * 0.5, mid, r - reach * 0.4, b, r - reach, b);
            path.lineTo(l + reach, b);
            path.cubicTo(l + reach * 0.4, b, l + reach * 0.5, mid, l, mid);
            path.closeSubpath();
            return path;
        };
        painter.setBrush(Qt::white);
        painter.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(cartouche(halfCartouche, 12.5));
        painter.setBrush(Qt::NoBrush);
        // Dark enough to survive the black and white print, where the divider is stretched.
        painter.setPen(QPen(QColor(0, 44, 10), 1.1));
        painter.drawPath(cartouche(halfCartouche - 6, 9.5));

        // The rule on either side: a heavy bar between two fine lines, closed by spear points.
        for (const int side : {-1, 1}) {
            const qreal inner = cx + side * (halfCartouche + 2);
            const qreal outer = cx + side * (cx - 10);
            const qreal from = std::min(inner, outer);
            const qreal to = std::max(inner, outer);
            painter.setPen(Qt::NoPen);
            painter.setBrush(kInk);
            painter.drawRect(QRectF(from, mid - 1.5, to - from, 3));
            const qreal fineFrom = cx + side * (halfCartouche + 16);
            const qreal fineTo = cx + side * (cx - 26);
            for (const qreal dy : {-5.0, 5.0}) {
                painter.setPen(QPen(kInk, 0.9));
                painter.drawLine(QPointF(fineFrom, mid + dy), QPointF(fineTo, mid + dy));
                painter.setPen(Qt::NoPen);
                painter.setBrush(kInk);
                painter.drawEllipse(QPointF(fineFrom, mid + dy), 1.3, 1.3);
                painter.drawEllipse(QPointF(fineTo, mid + dy), 1.3, 1.3);
            }

            // Spear point and a dot beyond it.
            painter.setPen(Qt::NoPen);
            painter.setBrush(kInk);
            painter.drawPath(lozenge(QPointF(outer, mid), 9, 4.5));
            painter.drawEllipse(QPointF(outer + side * 8.5, mid), 1.6, 1.6);

            // Knots along the rule: a quatrefoil midway, small lozenges between.
            const qreal knot = cx + side * (halfCartouche + (cx - 10 - halfCartouche) / 2);
            painter.setBrush(Qt::white);
            painter.setPen(QPen(kInk, 1.2));
            painter.drawPath(quatrefoil(QPointF(knot, mid), 4.2));
            painter.setBrush(kBlood);
            painter.setPen(Qt::NoPen);
            painter.drawPath(lozenge(QPointF(knot, mid), 2.2, 2.2));
            painter.setBrush(kInk);
            for (const qreal f : {0.28, 0.72}) {
                const qreal at = cx + side * (halfCartouche + (cx - 10 - halfCartouche) * f);
                painter.drawPath(lozenge(QPointF(at, mid), 3, 5.5));
            }
            // Where the rule meets the cartouche, a lozenge sits on its point.
            painter.drawPath(lozenge(QPointF(cx + side * (halfCartouche + 1), mid), 5, 5));
        }
        return picture;
    }();
    return image;
}

QImage scrollThumb()
{
    // A pointed ruby on a short bar across the groove; transparent around them, so the
    // groove shows past its sides.
    static const QImage image = [] {
        QImage picture = blank(20, 20, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&picture);
        smooth(painter);
        QLinearGradient metal(0, 6, 0, 14);
        metal.setColorAt(0, QColor(160, 210, 180));
        metal.setColorAt(0.5, QColor(60, 120, 86));
        metal.setColorAt(1, QColor(10, 46, 20));
        painter.setPen(QPen(kDeep, 1));
        painter.setBrush(metal);
        painter.drawRoundedRect(QRectF(0.5, 6.5, 19, 7), 2, 2);

        // The stone's setting runs the full height, so the groove line never shows through.
        painter.setPen(Qt::NoPen);
        painter.setBrush(kDeep);
        painter.drawRect(QRectF(8, 0, 4, 20));
        painter.setBrush(withAlpha(kCaption, 150));
        painter.drawRect(QRectF(8, 0, 1, 20));

        QPainterPath stone;
        stone.moveTo(10, 0.6);
        stone.cubicTo(15.5, 5, 15.5, 15, 10, 19.4);
        stone.cubicTo(4.5, 15, 4.5, 5, 10, 0.6);
        QRadialGradient ruby(QPointF(8.5, 7), 10);
        ruby.setColorAt(0, QColor(255, 130, 120));
        ruby.setColorAt(0.3, QColor(205, 26, 30));
        ruby.setColorAt(0.75, QColor(110, 0, 6));
        ruby.setColorAt(1, QColor(50, 0, 2));
        painter.setPen(QPen(QColor(24, 0, 0), 1));
        painter.setBrush(ruby);
        painter.drawPath(stone);
        // Facet line and glint.
        painter.setPen(QPen(QColor(255, 170, 160, 110), 0.8));
        painter.drawLine(QPointF(10, 3), QPointF(10, 17));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 235, 230, 220));
        painter.drawEllipse(QRectF(7.6, 4.6, 2, 3));
        return picture;
    }();
    return image;
}

QImage checked()
{
    static const QImage image = tickBox(true);
    return image;
}

QImage unChecked()
{
    static const QImage image = tickBox(false);
    return image;
}

QImage aboutPicture()
{
    static const QImage image = [] {
        const int size = 240;
        QImage picture = blank(size, size);
        QPainter painter(&picture);
        smooth(painter);
        QRadialGradient field(QPointF(120, 105), 170);
        field.setColorAt(0, QColor(0, 86, 14));
        field.setColorAt(0.6, QColor(0, 52, 2));
        field.setColorAt(1, QColor(0, 26, 0));
        painter.fillRect(picture.rect(), field);
        trellis(painter, picture.rect(), 20);
        painter.end();
        addGrain(picture, picture.rect(), 3, 5);

        painter.begin(&picture);
        smooth(painter);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QColor(0, 6, 0));
        painter.drawRect(0, 0, size - 1, size - 1);
        painter.setPen(withAlpha(kCaption, 160));
        painter.drawRect(2, 2, size - 5, size - 5);
        painter.setRenderHint(QPainter::Antialiasing);
        engravedFrame(painter, QRectF(6.5, 6.5, size - 13, size - 13), 0);
        painter.setPen(QPen(kDeep, 0.8));
        for (const QPointF corner : {QPointF(6.5, 6.5), QPointF(size - 6.5, 6.5),
                                     QPointF(6.5, size - 6.5), QPointF(size - 6.5, size - 6.5)}) {
            painter.setBrush(kCaption);
            painter.drawPath(quatrefoil(corner, 3.6));
            painter.setBrush(kBlood);
            painter.drawEllipse(corner, 1.6, 1.6);
        }

        // Medallion: a dark disc within a double ring, knotted at eight points.
        const QPointF centre(120, 100);
        const qreal radius = 70;
        QRadialGradient disc(centre, radius);
        disc.setColorAt(0, QColor(0, 40, 6));
        disc.setColorAt(1, QColor(0, 16, 2));
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc);
        painter.drawEllipse(centre, radius, radius);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kCaption, 1.6));
        painter.drawEllipse(centre, radius, radius);
        painter.setPen(QPen(withAlpha(kCaption, 120), 0.8));
        painter.drawEllipse(centre, radius - 4, radius - 4);
        painter.setPen(QPen(kDeep, 0.8));
        for (int i = 0; i < 8; ++i) {
            const qreal angle = i * std::numbers::pi / 4;
            const QPointF knot = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
            painter.setBrush(kCaption);
            painter.drawPath(lozenge(knot, 4.5, 4.5));
            painter.setBrush(kBlood);
            painter.drawPath(lozenge(knot, 1.8, 1.8));
        }

        paintWings(painter, centre + QPointF(0, -6), 92, 44);
        paintAnkh(painter, QRectF(centre.x() - 26, centre.y() - 52, 52, 100), QColor(230, 70, 64),
                  QColor(110, 0, 8),
                  QPen(QColor(20, 0, 0), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // A glint along the ankh's loop.
        painter.setPen(QPen(QColor(255, 200, 190, 150), 1.4, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(centre.x() - 11, centre.y() - 48, 22, 36), 100 * 16, 70 * 16);

        QFont face = FontRegistry::font(QStringLiteral("Lucida Blackletter"));
        face.setPixelSize(34);
        painter.setFont(face);
        const QRectF nameBox(10, 178, 220, 46);
        painter.setPen(QColor(0, 8, 0));
        painter.drawText(nameBox.translated(1.5, 1.5), Qt::AlignCenter, QStringLiteral("Tarnoch"));
        painter.setPen(kCaption);
        painter.drawText(nameBox, Qt::AlignCenter, QStringLiteral("Tarnoch"));
        return picture;
    }();
    return image;
}

namespace {

// The small dialogs' field, framed, for a dialog 200 pixels wide and height high.
QImage dialogField(int height)
{
    const int width = 200;
    QImage picture = blank(width, height);
    QPainter painter(&picture);
    smooth(painter);
    // Darker than the window, as the dialogs carry running text in the caption colour.
    QRadialGradient field(QPointF(100, 60), 130);
    field.setColorAt(0, QColor(0, 40, 2));
    field.setColorAt(1, QColor(0, 24, 0));
    painter.fillRect(picture.rect(), field);
    trellis(painter, picture.rect(), 20);
    painter.end();
    addGrain(picture, picture.rect(), 3, 3);

    painter.begin(&picture);
    smooth(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(0, 6, 0));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.setPen(withAlpha(kCaption, 150));
    painter.drawRect(2, 2, width - 5, height - 5);
    painter.setPen(QColor(0, 16, 0));
    painter.drawRect(3, 3, width - 7, height - 7);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kDeep, 0.8));
    for (const QPointF corner : {QPointF(2.5, 2.5), QPointF(width - 2.5, 2.5),
                                 QPointF(2.5, height - 2.5), QPointF(width - 2.5, height - 2.5)}) {
        painter.setBrush(kCaption);
        painter.drawPath(lozenge(corner, 3.5, 3.5));
    }
    for (const QPointF middle : {QPointF(width / 2.0, 2.5), QPointF(width / 2.0, height - 2.5)}) {
        painter.setBrush(kCaption);
        painter.drawPath(lozenge(middle, 6, 2.5));
        painter.setBrush(kBlood);
        painter.drawPath(lozenge(middle, 2, 1.2));
    }
    return picture;
}

} // namespace

QImage dialogBackground()
{
    static const QImage image = dialogField(143);
    return image;
}

QImage printDialogBackground()
{
    static const QImage image = dialogField(165);
    return image;
}

QImage dialogButton()
{
    // The dialogs share the window's button plate.
    return buttonFace();
}

} // namespace Pictures
