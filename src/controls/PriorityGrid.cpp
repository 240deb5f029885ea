#include "controls/PriorityGrid.h"

PriorityGrid::PriorityGrid()
{
    setValue(0, 7);
    setValue(1, 5);
    setValue(2, 3);
    m_categories = m_values;
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
