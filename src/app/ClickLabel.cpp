#include "ClickLabel.h"

#include <QMouseEvent>

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}
