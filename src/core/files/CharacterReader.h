#pragma once

#include "files/CharacterReadResult.h"

#include <QStringList>

// Reads the lines of a character file of any version into a CharacterReadResult.
//
// Older versions carry fewer values and get a warning; versions are ordered by plain character
// comparison ("1.43" after "1.4" after "1.36"), and one newer than the current is read as the
// current. A damaged file stops the read at the faulty line with the corrupt-file message; what
// was read before it is kept. Damaged means: a line the version needs is missing; a count,
// rating or integer line is not a decimal integer (a sign and blanks around it are allowed);
// a row count is outside the sheet's 20 slots (10 to 20 for the ability rows); a notes or book
// count is negative. Text values and flag lines are never rejected. Of a list of rows cut short
// the rows read are kept; the notes, a priority box and the fixed ability ratings only whole.
// After a whole body comes the extension block, if the file has one.
class CharacterReader
{
public:
    // The extension entry with the full texts of the values the code page cannot hold.
    static inline const QString FullTextsKey = QStringLiteral("Unicode/1");

    // path names the file in the messages (the part after its last "/" or "\").
    static CharacterReadResult read(const QStringList& lines, const QString& path);

    // Plain character-code order, a prefix being the smaller.
    static bool isAfter(const QString& version, const QString& other);
};
