#pragma once

#include <QWidget>

// The picture shown while the main window is built.
class TSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
