#pragma once

#include "controls/PriorityGrid.h"

#include <QColor>
#include <QWidget>

// A 3 x 3 grid that deals three allowances (ValueFirst to ValueThird) out to three
// categories (the columns). Each column shows its category's number in the row of the
// rank it holds; a press gives the column the pressed rank.
class TPriorityBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int ValueFirst READ ValueFirst WRITE setValueFirst)
    Q_PROPERTY(int ValueSecond READ ValueSecond WRITE setValueSecond)
    Q_PROPERTY(int ValueThird READ ValueThird WRITE setValueThird)
    Q_PROPERTY(int CategoryOne READ CategoryOne WRITE setCategoryOne)
    Q_PROPERTY(int CategoryTwo READ CategoryTwo WRITE setCategoryTwo)
    Q_PROPERTY(int CategoryThree READ CategoryThree WRITE setCategoryThree)

public:
    explicit TPriorityBox(QWidget* parent = nullptr);

    // The parent's background while ParentColor is set, else the colour last written.
    QColor Color() const;
    bool ParentColor() const { return m_parentColor; }
    // The numbers' font is the widget's own (setFont); Qt fonts carry no colour, so the
    // colour of the numbers is FontColor.
    QFont Font() const { return font(); }
    QColor FontColor() const { return m_fontColor; }
    int ValueFirst() const { return m_grid.value(0); }
    int ValueSecond() const { return m_grid.value(1); }
    int ValueThird() const { return m_grid.value(2); }
    int CategoryOne() const { return m_grid.category(0); }
    int CategoryTwo() const { return m_grid.category(1); }
    int CategoryThree() const { return m_grid.category(2); }

    // Writing a colour stops following the parent.
    void setColor(const QColor& color);
    void setParentColor(bool value);
    void setFontColor(const QColor& color);
    // Each of these keeps the category on the rank and repaints at once.
    void setValueFirst(int value) { setValue(0, value); }
    void setValueSecond(int value) { setValue(1, value); }
    void setValueThird(int value) { setValue(2, value); }
    // Plain stores that repaint at once; the other categories stay as they are.
    void setCategoryOne(int value) { setCategory(0, value); }
    void setCategoryTwo(int value) { setCategory(1, value); }
    void setCategoryThree(int value) { setCategory(2, value); }

    QSize sizeHint() const override { return QSize(50, 50); }

signals:
    // A left press and release over the control.
    void OnClick(TPriorityBox* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setValue(int rank, int value);
    void setCategory(int index, int value);
    void drawGrid(QPainter& painter) const;

    PriorityGrid m_grid;
    QColor m_color;
    QColor m_fontColor = Qt::black;
    bool m_parentColor = true;
    bool m_leftPressed = false;
};
