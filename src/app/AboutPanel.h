#pragma once

#include <QWidget>

class ClickLabel;

// The About page: the emblem, the version, a few hints on working the sheet, the fine print and
// the button that opens the user guide.
class AboutPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AboutPanel(QWidget* parent);

    ClickLabel *ManualButton, *ManualButtonLabel;

signals:
    void guideRequested();

private:
    void ManualButtonMouseDown();
};
