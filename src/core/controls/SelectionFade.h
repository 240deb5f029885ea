#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <vector>

// The text colours of the popup's entries: they fade from grey-green to white, the entry
// under the pointer turns red and a quick stroke down a column leaves a red trail.
class SelectionFade
{
public:
    static constexpr int Step = 10;
    static inline const QColor OpeningColour{80, 120, 80};
    static inline const QColor HoverColour{255, 0, 0};

    // Every entry back to the opening colour, no trail.
    void reset(int count);

    int count() const { return int(m_colours.size()); }
    QColor EntryColour(int index) const;
    bool isWhite(int index) const;

    // One timer tick: every component below 255 rises by Step; the hovered entry is held
    // red while the pointer is inside the popup. Returns the entries whose colour changed.
    QList<int> tick(int hoverIndex, bool pointerInside);

    // The pointer has reached entry index in column. Returns the entries turned red.
    QList<int> hover(int index, int column);

    int TrailColumn() const { return m_trailColumn; }
    int TrailIndex() const { return m_trailIndex; }

    // Moves every colour component of fade towards target by at most Step. Both images
    // must have the same size.
    static void fadeToward(QImage& fade, const QImage& target);

private:
    struct Rgb
    {
        int red, green, blue;
    };
    void setRed(int index, QList<int>& changed);

    std::vector<Rgb> m_colours;
    int m_trailColumn = -1;
    int m_trailIndex = -2;
};
