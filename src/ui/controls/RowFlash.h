#pragma once

#include <QVariantAnimation>
#include <QWidget>

// A red glow laid over a row for a moment, so that the eye finds the row a check names after
// the sheet has scrolled to it. It takes no mouse presses.
class RowFlash : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DurationMs = 1400;

    explicit RowFlash(QWidget* parent);

    // Glows over rect (in the parent's coordinates) and fades out; a new start restarts it.
    void start(const QRect& rect);
    bool running() const { return m_fade.state() == QAbstractAnimation::Running; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVariantAnimation m_fade;
};
