#pragma once

#include <QWidget>

class TVampireDots;

// The specialty of an attribute or ability row, and where the sheet shows it: right of the
// row's dots in a smaller face, up to the column's edge, so the dots never move. Faded while
// the rating is below the fourth dot; smaller, then shortened, when the room is too small, the
// whole text in its tool tip. (The name's own tool tip shows a long name whole.)
class SpecialtyLabel : public QWidget
{
    Q_OBJECT
public:
    // right: the column's right edge in the parent.
    SpecialtyLabel(TVampireDots* dots, int right, QWidget* parent);

    const QString& specialty() const { return m_specialty; }
    void setSpecialty(const QString& specialty);
    // Whether the rating is high enough for a specialty, and whether this one counts.
    bool rated() const;
    bool counts() const { return rated() && !m_specialty.isEmpty(); }
    // The text as drawn: in a smaller face, and shortened, when the room is too small.
    QString shownText() const;
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void refresh();

    TVampireDots* m_dots;
    int m_right;
    QString m_specialty;
};
