#pragma once

#include <QLabel>

// A label (a picture or a caption) that reports mouse presses, for the painted buttons
// and the captions that open a list.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
