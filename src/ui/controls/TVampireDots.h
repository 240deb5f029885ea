#pragma once

#include "controls/DotsRating.h"

#include <QColor>
#include <QWidget>

// One trait rating as a row of round dots, set with the mouse. The highest Freebies of
// the Filled dots are drawn in FreebieColor; the owner writes Freebies back after every
// recount, and that write is what repaints the row.
class TVampireDots : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Diameter READ Diameter WRITE setDiameter)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(int MaxDots READ MaxDots WRITE setMaxDots)
    Q_PROPERTY(int MinDots READ MinDots WRITE setMinDots)
    Q_PROPERTY(int Selected READ Selected WRITE setSelected)
    Q_PROPERTY(QColor OutlineColor READ OutlineColor WRITE setOutlineColor)
    Q_PROPERTY(QColor FilledColor READ FilledColor WRITE setFilledColor)
    Q_PROPERTY(QColor FreebieColor READ FreebieColor WRITE setFreebieColor)
    Q_PROPERTY(int Freebies READ Freebies WRITE setFreebies)
    Q_PROPERTY(int Filled READ Filled WRITE setFilled)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

public:
    explicit TVampireDots(QWidget* parent = nullptr);

    int Diameter() const { return m_rating.Diameter(); }
    int Spacing() const { return m_rating.Spacing(); }
    int MaxDots() const { return m_rating.MaxDots(); }
    int MinDots() const { return m_rating.MinDots(); }
    int Selected() const { return m_rating.Selected(); }
    QColor OutlineColor() const { return m_outlineColor; }
    QColor FilledColor() const { return m_filledColor; }
    QColor FreebieColor() const { return m_freebieColor; }
    int Freebies() const { return m_rating.Freebies(); }
    int Filled() const { return m_rating.Filled(); }
    // The parent's background while ParentColor is set, else the colour last written.
    QColor Color() const;
    bool ParentColor() const { return m_parentColor; }
    int Tag() const { return m_tag; }

    // Each of these four resizes the control to its computed size.
    void setDiameter(int value);
    void setSpacing(int value);
    void setMaxDots(int value);
    void setMinDots(int value);
    // Plain stores, seen at the next paint.
    void setSelected(int value) { m_rating.setSelected(value); }
    void setOutlineColor(const QColor& color) { m_outlineColor = color; }
    void setFilledColor(const QColor& color) { m_filledColor = color; }
    void setFreebieColor(const QColor& color) { m_freebieColor = color; }
    // Repaints at once, changed or not.
    void setFreebies(int value);
    // Does not repaint: the owner's following write of Freebies does.
    void setFilled(int value) { m_rating.setFilled(value); }
    // Writing a colour stops following the parent.
    void setColor(const QColor& color);
    void setParentColor(bool value);
    void setTag(int value) { m_tag = value; }

    QSize sizeHint() const override;

signals:
    void OnChange(TVampireDots* sender);
    void OnMouseDown(TVampireDots* sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                     int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applySize();
    void drawRow(QPainter& painter) const;

    DotsRating m_rating;
    QColor m_outlineColor = Qt::black;
    QColor m_filledColor = Qt::black;
    QColor m_freebieColor = QColor(255, 0, 0);
    QColor m_color;
    bool m_parentColor = true;
    int m_tag = 0;
};
