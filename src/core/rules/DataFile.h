#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The rules data file "Tarn1.dat": plain Windows-1252 text, lines ended by CR only,
// XORed with a repeating 72-byte key.
namespace DataFile {

inline constexpr int KeyLength = 72;
inline const QString FileName = QStringLiteral("Tarn1.dat");

// Scrambling and unscrambling are the same XOR; byte i uses key byte i mod 72.
QByteArray scramble(QByteArray bytes);

// Splits plain bytes at CR (13) only; bytes after the last CR belong to no line.
QStringList splitLines(QByteArrayView plain);

// Joins lines into plain bytes, each line followed by CR. Returns false (and leaves
// the index of the first offending line in badLine) when a line holds a character
// that Windows-1252 cannot store or a CR of its own.
bool joinLines(const QStringList& lines, QByteArray& plain, qsizetype* badLine = nullptr);

struct ReadResult
{
    QStringList lines;
    QString error; // empty when the file was read
};

// Reads and unscrambles the file at path into lines.
ReadResult read(const QString& path);

bool isHeader(const QString& line);
QString headerTitle(const QString& line);
bool isSectionEnd(const QString& line);

// The leading number of a line: optional blanks and sign, then decimal digits (0 if none).
int leadingNumber(const QString& line);

} // namespace DataFile
