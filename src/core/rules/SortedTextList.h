#pragma once

#include <QString>
#include <QStringList>

// A list of texts kept in case-insensitive alphabetical order. Adding a text that is
// already present (ignoring case) adds nothing and yields the index of the one there.
class SortedTextList
{
public:
    // Returns the index of the text in the list after adding it.
    qsizetype add(const QString& text);
    // Case-insensitive search; -1 when absent.
    qsizetype find(const QString& text) const;
    // Exact, case-sensitive search from the start; -1 when absent.
    qsizetype indexOf(const QString& text) const { return m_items.indexOf(text); }
    void removeAt(qsizetype index) { m_items.removeAt(index); }
    void clear() { m_items.clear(); }

    qsizetype size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const QString& at(qsizetype index) const { return m_items.at(index); }
    const QStringList& items() const { return m_items; }

private:
    // The first index whose text does not compare below text.
    qsizetype lowerBound(const QString& text) const;

    QStringList m_items;
};
