#pragma once

#include <QWidget>

class ClickLabel;
class QLabel;

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ManualButtonMouseDown();

    QLabel* m_picture;
};
