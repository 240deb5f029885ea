#pragma once

#include "engine/CharacterExtension.h"

#include <QStringList>
#include <optional>

// The extension block as lines of a character file, after the last line of the body:
//
//     Tarnoch98 extensions v1
//     <key> <number of lines>      one such line per entry, followed by its text's lines
//     ...
//
// Readers of every older version stop after the body's last value, so they never see it. The
// texts are stored as UTF-8; a line here holds those bytes as the file's code page shows them,
// so that the file's lines go through one codec.
class CharacterExtensionBlock
{
public:
    static inline const QString Banner = QStringLiteral("Tarnoch98 extensions v1");

    // The banner and the entries; nothing for an extension without entries.
    static QStringList lines(const CharacterExtension& extension);

    struct Read
    {
        CharacterExtension extension; // the entries before any damage
        int damagedLine = 0;          // 1-based line of an entry that could not be read, or 0
    };
    // The block that begins at the first banner from index first on; nothing without one.
    // Lines between the body and the banner are skipped, as the body's readers skip them.
    static std::optional<Read> read(const QStringList& lines, qsizetype first);
};
