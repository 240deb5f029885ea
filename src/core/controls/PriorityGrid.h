#pragma once

#include <QPoint>
#include <QSize>
#include <array>

// Three categories (the columns) share three ranks (the rows, primary on top). A category
// holds a rank by value: its number equals that rank's allowance. No value is validated.
class PriorityGrid
{
public:
    static constexpr int Count = 3;

    PriorityGrid();
    // Ranks of these allowances, each category holding the rank of its own number.
    PriorityGrid(int first, int second, int third);
    // As a selector shows it: the allowances of the ranks and of the categories, stored as
    // they are, no category following a rank.
    static PriorityGrid stored(const std::array<int, Count>& values,
                               const std::array<int, Count>& categories);

    // The allowance of rank 0 (first) to 2 (third).
    int value(int rank) const { return m_values[rank]; }
    // Changes an allowance; the first category holding the old one follows it.
    void setValue(int rank, int value);

    // The allowance held by category 0 (one) to 2 (three).
    int category(int index) const { return m_categories[index]; }
    // A plain store: no other category is adjusted.
    void setCategory(int index, int value) { m_categories[index] = value; }

    // The rank whose allowance the category holds, testing the first rank first;
    // -1 when it holds none.
    int rankOf(int category) const;

    // Which third of extent the position falls in: 0, 1 or 2.
    static int bandAt(int position, int extent);
    // The centre of the cell in the given column and rank.
    static QPoint cellCentre(int column, int rank, QSize size);

    // A press at pos in a control of the given size: the pressed column takes the
    // pressed rank and the lowest-numbered other category on that rank takes its place.
    void press(QPoint pos, QSize size);

    bool operator==(const PriorityGrid&) const = default;

private:
    std::array<int, Count> m_values{};
    std::array<int, Count> m_categories{};
};
