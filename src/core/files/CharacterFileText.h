#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct CharacterRecord;

// The bytes of a character file: Windows-1252 text, every line ended by CR LF.
class CharacterFileText
{
public:
    // Bounds on what decode takes from a file, far beyond any character (the notes included),
    // so that no file can make the program hold gigabytes. Lines past them are left out, as if
    // the file ended there: a character that needs them reads as a damaged file.
    static constexpr qsizetype MaxBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxLines = 1'000'000;

    // Each line followed by CR LF. A character Windows-1252 cannot store becomes "?".
    static QByteArray encode(const QStringList& lines);

    // Splits at CR, LF or CR LF; a last line without a line break counts.
    static QStringList decode(QByteArrayView bytes);

    static bool canStore(char32_t character);
    // The text as the file stores it: "?" for each character it cannot.
    static QString storable(const QString& text);

    // A text as the line that the code page turns into the text's UTF-8 bytes, and back. A
    // line that is no UTF-8 (edited by hand in the code page) is taken as it stands.
    static QString utf8Line(const QString& text);
    static QString fromUtf8Line(const QString& line);

    // The full texts of the values the code page cannot hold, a "field=text" line each
    // (empty when every text fits), for the file's extension block.
    static QString fullTexts(const CharacterRecord& character);
    // Puts the full texts back into the values, each only where the value is still what the
    // full text became in the file: an older program that changed the value wins.
    static void restoreFullTexts(CharacterRecord& character, const QString& fullTexts);

    // A whole file, at most MaxBytes of it; nothing, with the reason in error, when it cannot
    // be read.
    static std::optional<QByteArray> readFile(const QString& path, QString* error);
    // Writes bytes through a save file, so that a failed write leaves the old file whole; the
    // reason when it failed, else an empty text.
    static QString writeFile(const QString& path, const QByteArray& bytes);
};
