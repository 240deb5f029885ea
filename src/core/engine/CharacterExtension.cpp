#include "engine/CharacterExtension.h"

#include <QStringList>
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

QString CharacterExtension::fieldsText(const Fields& fields)
{
    QStringList lines;
    for (const auto& [name, value] : fields) {
        QString text = value;
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines.append(name + QLatin1Char('=') + text);
    }
    return lines.join(QLatin1Char('\n'));
}

QHash<QString, QString> CharacterExtension::fields(const QString& text)
{
    QHash<QString, QString> byName;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            byName.insert(line.left(equals), line.mid(equals + 1));
    }
    return byName;
}
