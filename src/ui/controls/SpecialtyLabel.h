#pragma once

#include <QPointer>
#include <QWidget>

class TVampireDots;

// The specialty of an attribute or ability row, and where the sheet shows it: right of the
// row's dots in a smaller face, up to the column's edge, so the dots never move. Faded while
// the rating is below the fourth dot; shortened to the room there is, the whole text in the
// tool tip of the label and of the row's name.
class SpecialtyLabel : public QWidget
{
    Q_OBJECT
public:
    // right: the column's right edge in the parent; name: the row's name control.
    SpecialtyLabel(TVampireDots* dots, QWidget* name, int right, QWidget* parent);

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
    QPointer<QWidget> m_name;
    int m_right;
    QString m_specialty;
};
