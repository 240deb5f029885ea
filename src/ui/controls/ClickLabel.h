#pragma once

#include <QLabel>
#include <functional>

// A label (a picture or a caption) that reports mouse presses, for the painted buttons
// and the captions that open a list.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // A button of the pages (the presets, the user guide): the plate with its caption on top,
    // both answering a press. Returns the caption, whose colour tells whether a preset matches;
    // the plate goes to *plate where asked for.
    static ClickLabel* presetButton(QWidget* parent, QPoint topLeft, const QString& caption,
                                    const std::function<void()>& onPress,
                                    ClickLabel** plate = nullptr);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
