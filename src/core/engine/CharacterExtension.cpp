#include "engine/CharacterExtension.h"

#include <algorithm>

std::optional<QString> CharacterExtension::text(const QString& key) const
{
    const auto entry = std::ranges::find(m_entries, key, &Entry::key);
    if (entry == m_entries.end())
        return std::nullopt;
    return entry->text;
}

void CharacterExtension::setText(const QString& key, const QString& text)
{
    const auto entry = std::ranges::find(m_entries, key, &Entry::key);
    if (entry == m_entries.end())
        m_entries.append({key, text});
    else
        entry->text = text;
}

std::optional<QString> CharacterExtension::take(const QString& key)
{
    const auto entry = std::ranges::find(m_entries, key, &Entry::key);
    if (entry == m_entries.end())
        return std::nullopt;
    QString text = entry->text;
    m_entries.erase(entry);
    return text;
}
