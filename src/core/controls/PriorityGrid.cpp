#include "controls/PriorityGrid.h"

PriorityGrid::PriorityGrid() : PriorityGrid(7, 5, 3) {}

PriorityGrid::PriorityGrid(int first, int second, int third)
{
    m_values = {first, second, third};
    m_categories = m_values;
}

PriorityGrid PriorityGrid::stored(const std::array<int, Count>& values,
                                  const std::array<int, Count>& categories)
{
    PriorityGrid grid;
    grid.m_values = values;
    grid.m_categories = categories;
    return grid;
}

void PriorityGrid::setValue(int rank, int value)
{
    for (int& held : m_categories) {
        if (held == m_values[rank]) {
            held = value;
            break;
        }
    }
    m_values[rank] = value;
}

int PriorityGrid::rankOf(int category) const
{
    for (int rank = 0; rank < Count; ++rank) {
        if (m_categories[category] == m_values[rank])
            return rank;
    }
    return -1;
}

int PriorityGrid::bandAt(int position, int extent)
{
    if (position < extent / 3)
        return 0;
    if (position < 2 * extent / 3)
        return 1;
    return 2;
}

QPoint PriorityGrid::cellCentre(int column, int rank, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    return QPoint((2 * column + 1) * w / 6, (2 * rank + 1) * h / 6);
}

void PriorityGrid::press(QPoint pos, QSize size)
{
    const int rank = bandAt(pos.y(), size.height());
    const int pressed = bandAt(pos.x(), size.width());
    const int value = m_values[rank];
    const int old = m_categories[pressed];
    m_categories[pressed] = value;
    for (int other = 0; other < Count; ++other) {
        if (other != pressed && m_categories[other] == value) {
            m_categories[other] = old;
            break;
        }
    }
}
