#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QWidget>

// A part of a page that paints its own fixed texts, frames and rules under its controls. A
// widget for each would cost start-up time and memory for something that never changes; these
// are drawn exactly as a label would draw them.
class PaintedSection : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    void addText(const QString& text, const QFont& font, const QRect& place,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                 const QColor& colour = Qt::black);
    // A one-pixel frame around place.
    void addBox(const QRect& place);
    void addFill(const QRect& place, const QColor& colour);
    void addPicture(const QPixmap& picture, const QRect& place);
    // Frames that come and go with what the page shows, drawn after the fixed ones.
    void setChangingBoxes(const QList<QRect>& places);
    qsizetype changingBoxes() const { return m_changingBoxes.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Text
    {
        QString text;
        QFont font;
        QRect place;
        Qt::Alignment alignment;
        QColor colour;
    };
    struct Fill
    {
        QRect place;
        QColor colour;
    };
    struct Picture
    {
        QPixmap picture;
        QRect place;
    };

    QList<Picture> m_pictures;
    QList<Fill> m_fills;
    QList<QRect> m_boxes;
    QList<QRect> m_changingBoxes;
    QList<Text> m_texts;
};
