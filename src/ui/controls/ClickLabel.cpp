#include "ClickLabel.h"

#include "controls/SheetFonts.h"
#include "output/Pictures.h"

#include <QMouseEvent>

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

ClickLabel* ClickLabel::presetButton(QWidget* parent, QPoint topLeft, const QString& caption,
                                     const std::function<void()>& onPress, ClickLabel** plate)
{
    static const QPixmap face = QPixmap::fromImage(Pictures::presetFace());
    const QRect place(topLeft, QSize(90, 25));
    auto* button = new ClickLabel(parent);
    button->setPixmap(face);
    button->setGeometry(place);
    auto* label = new ClickLabel(caption, parent);
    label->setFont(SheetFonts::face(SheetFonts::Times, 13));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(place);
    SheetFonts::setTextColour(label, Qt::black);
    for (ClickLabel* part : {button, label}) {
        part->setCursor(Qt::PointingHandCursor);
        connect(part, &ClickLabel::pressed, parent, onPress);
    }
    if (plate)
        *plate = button;
    return label;
}
