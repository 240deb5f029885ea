#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

// The composed sheet: everything the page shows, placed in page units (one unit is one pixel
// of the monochrome page picture, 4500 to the page's width). The same items are painted onto
// the picture, a printer or a PDF, so text stays text wherever the device keeps it.
class SheetPage
{
public:
    // What an item is on the sheet, so that its parts can be found again.
    enum class Part {
        Title,
        HeaderLabel,
        HeaderValue,
        Heading,
        TraitName,
        Dot,
        StrikeOut,
        Divider,
        HumanityDot,
        WillpowerDot,
        WillpowerSquare,
        BloodTurn,
        BloodSquare,
        HealthLevel,
        Penalty,
        HealthSquare,
        Merit,
        Flaw,
        Caption,
        Box,
        Rule,
        ExperienceValue,
    };
    enum class Shape { Text, Circle, Rectangle, Line, Picture };

    struct Item
    {
        Item(Part part, Shape shape) : part(part), shape(shape) {}

        Part part;
        Shape shape;
        QRectF rect;         // text: left, top, advance width and line height of its font
        QString text;        // text only
        QFont font;          // text only; its pixel size is in page units
        int points = 0;      // text only: the size in points of the picture's canvas
        qreal baseline = 0;  // text only
        bool filled = false; // circles
        QLineF line;         // lines only
    };

    SheetPage(int width, qreal penWidth);

    int width() const { return m_width; }
    int height() const { return m_height; }
    void setHeight(int height) { m_height = height; }
    qreal penWidth() const { return m_penWidth; }

    void add(const Item& item) { m_items.append(item); }
    const QList<Item>& items() const { return m_items; }
    QList<Item> items(Part part) const;

    // Black on white, in page units; the painter's transform places the page on its device.
    void paint(QPainter& painter) const;
    // The page picture: monochrome, the page's width by its height.
    QImage image() const;

private:
    void paintDivider(QPainter& painter, const QRectF& band, QImage& cache) const;

    int m_width;
    int m_height = 0;
    qreal m_penWidth;
    QList<Item> m_items;
};
