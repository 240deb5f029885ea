#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>

// A fixed text of a page: its face, its place and how it sits there.
inline QLabel* placedLabel(QWidget* parent, const QString& text, const QFont& font,
                           const QRect& place,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}
