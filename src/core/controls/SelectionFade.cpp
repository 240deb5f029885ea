#include "controls/SelectionFade.h"

#include <algorithm>

void SelectionFade::reset(int count)
{
    m_colours.assign(std::max(count, 0),
                     Rgb{OpeningColour.red(), OpeningColour.green(), OpeningColour.blue()});
    m_trailColumn = -1;
    m_trailIndex = -2;
}

QColor SelectionFade::EntryColour(int index) const
{
    const Rgb& c = m_colours.at(index);
    return QColor(c.red, c.green, c.blue);
}

bool SelectionFade::isWhite(int index) const
{
    const Rgb& c = m_colours.at(index);
    return c.red == 255 && c.green == 255 && c.blue == 255;
}

QList<int> SelectionFade::tick(int hoverIndex, bool pointerInside)
{
    QList<int> changed;
    const auto raise = [](int& component) {
        if (component >= 255)
            return false;
        component = std::min(component + Step, 255);
        return true;
    };
    for (int i = 0; i < count(); ++i) {
        Rgb& c = m_colours[i];
        const bool r = raise(c.red);
        const bool g = raise(c.green);
        const bool b = raise(c.blue);
        if (r || g || b)
            changed.append(i);
    }
    if (hoverIndex >= 0 && hoverIndex < count() && pointerInside) {
        m_colours[hoverIndex] = Rgb{255, 0, 0};
        if (changed.isEmpty() || !changed.contains(hoverIndex))
            changed.append(hoverIndex);
    }
    return changed;
}

void SelectionFade::setRed(int index, QList<int>& changed)
{
    m_colours[index] = Rgb{HoverColour.red(), HoverColour.green(), HoverColour.blue()};
    changed.append(index);
}

QList<int> SelectionFade::hover(int index, int column)
{
    QList<int> changed;
    if (index < 0 || index >= count())
        return changed;
    setRed(index, changed);
    if (column == m_trailColumn) {
        const int from = std::min(m_trailIndex, index) + 1;
        const int to = std::max(m_trailIndex, index);
        for (int i = std::max(from, 0); i < to && i < count(); ++i)
            setRed(i, changed);
    }
    m_trailColumn = column;
    m_trailIndex = index;
    return changed;
}

void SelectionFade::fadeToward(QImage& fade, const QImage& target)
{
    if (fade.size() != target.size() || fade.isNull())
        return;
    const QImage::Format work = QImage::Format_RGB888;
    if (fade.format() != work)
        fade.convertTo(work);
    const QImage source = target.format() == work ? target : target.convertToFormat(work);
    const int bytes = fade.width() * 3;
    for (int y = 0; y < fade.height(); ++y) {
        uchar* out = fade.scanLine(y);
        const uchar* in = source.constScanLine(y);
        for (int x = 0; x < bytes; ++x) {
            const int d = int(in[x]) - int(out[x]);
            out[x] = uchar(out[x] + std::clamp(d, -Step, Step));
        }
    }
}
