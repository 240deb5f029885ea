#pragma once

#include <QStringList>

struct CharacterRecord;

// Turns a character into the lines of the current file version, "Tarnoch98 v1.43", one value
// per line in the fixed order of the format, then the extension block when there is something
// to put in it (the record's entries, and the full texts of values the code page cannot hold).
// The same record always gives the same lines.
class CharacterWriter
{
public:
    static inline const QString Banner = QStringLiteral("Tarnoch98 v1.43");

    // Absent values are written as a new sheet holds them. The allowance and limit boxes are
    // written as the number in force (their fallback when they hold no number). A line break
    // inside a text becomes a blank, since it would shift every later value.
    static QStringList lines(const CharacterRecord& character);
};
