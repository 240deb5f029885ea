#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The entries of the block that follows the body of a character file, which programs older
// than the block never read: each entry a key and its text, in file order. A key names what
// the entry holds and the version of its layout ("Specialties/1"); an entry whose key this
// program does not know is kept as read and written back unchanged, so that what a newer
// program stored survives a save by this one.
class CharacterExtension
{
public:
    struct Entry
    {
        QString key;  // no blanks or line breaks
        QString text; // any text; lines split at "\n"

        bool operator==(const Entry&) const = default;
    };

    const QList<Entry>& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // The text of key's entry, or nothing when there is none.
    std::optional<QString> text(const QString& key) const;
    // Replaces the text of key's entry where it stands, or adds the entry at the end.
    void setText(const QString& key, const QString& text);
    // Takes key's entry out and gives its text.
    std::optional<QString> take(const QString& key);

    // The text of an entry made of named fields, a "field=text" line each: a field's name
    // holds no "=", and a line break in a text becomes a blank.
    using Fields = QList<std::pair<QString, QString>>;
    static QString fieldsText(const Fields& fields);
    // The fields of such a text by name; lines without a name are passed over.
    static QHash<QString, QString> fields(const QString& text);

    bool operator==(const CharacterExtension&) const = default;

private:
    QList<Entry> m_entries;
};
