#include "SortedTextList.h"

#include <algorithm>

qsizetype SortedTextList::lowerBound(const QString& text) const
{
    const auto it = std::lower_bound(m_items.begin(), m_items.end(), text,
                                     [](const QString& a, const QString& b) {
                                         return QString::compare(a, b, Qt::CaseInsensitive) < 0;
                                     });
    return it - m_items.begin();
}

qsizetype SortedTextList::add(const QString& text)
{
    const qsizetype at = lowerBound(text);
    if (at < m_items.size() && QString::compare(m_items[at], text, Qt::CaseInsensitive) == 0)
        return at;
    m_items.insert(at, text);
    return at;
}

qsizetype SortedTextList::find(const QString& text) const
{
    const qsizetype at = lowerBound(text);
    if (at < m_items.size() && QString::compare(m_items[at], text, Qt::CaseInsensitive) == 0)
        return at;
    return -1;
}
