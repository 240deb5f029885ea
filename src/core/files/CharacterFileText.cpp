#include "files/CharacterFileText.h"

#include "files/CharacterRecord.h"
#include "rules/TextRoutines.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <functional>

namespace {

const char* const Encoding = "windows-1252";

// Calls visit with each code point of text; a lone surrogate comes as itself.
void forEachCodePoint(QStringView text, const std::function<void(char32_t, QStringView)>& visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(text[i], text[i + 1]), text.sliced(i, 2));
            ++i;
        } else {
            visit(text[i].unicode(), text.sliced(i, 1));
        }
    }
}

// As the writer puts a text on its one line.
QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

bool CharacterFileText::canStore(char32_t character)
{
    return TextRoutines::inWindows1252(character);
}

QString CharacterFileText::storable(const QString& text)
{
    // Most texts are plain ASCII, and the writer asks for every one.
    if (std::ranges::all_of(text, [](QChar c) { return c.unicode() < 0x80; }))
        return text;
    QString result;
    forEachCodePoint(text, [&](char32_t c, QStringView units) {
        if (canStore(c))
            result += units;
        else
            result += QLatin1Char('?');
    });
    return result;
}

QString CharacterFileText::utf8Line(const QString& text)
{
    return TextRoutines::fromWindows1252(text.toUtf8());
}

QString CharacterFileText::fromUtf8Line(const QString& line)
{
    QStringEncoder toBytes(Encoding);
    const QByteArray bytes = toBytes(line);
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const QString text = fromUtf8(bytes);
    return toBytes.hasError() || fromUtf8.hasError() ? line : text;
}

QString CharacterFileText::fullTexts(const CharacterRecord& character)
{
    CharacterExtension::Fields texts;
    CharacterRecord::forEachText(character, [&](const QString& field, const QString& value) {
        const QString text = singleLine(value);
        if (storable(text) != text)
            texts.append({field, text});
    });
    return CharacterExtension::fieldsText(texts);
}

void CharacterFileText::restoreFullTexts(CharacterRecord& character, const QString& fullTexts)
{
    const QHash<QString, QString> texts = CharacterExtension::fields(fullTexts);
    if (texts.isEmpty())
        return;
    CharacterRecord::forEachText(character, [&](const QString& field, QString& value) {
        const auto full = texts.constFind(field);
        if (full != texts.cend() && storable(*full) == value)
            value = *full;
    });
}

QByteArray CharacterFileText::encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        // What the code page cannot hold is a "?" already, one for each character.
        bytes += TextRoutines::toWindows1252(storable(line));
        bytes += "\r\n";
    }
    return bytes;
}

QStringList CharacterFileText::decode(QByteArrayView bytes)
{
    const bool cut = bytes.size() > MaxBytes;
    if (cut)
        bytes = bytes.first(MaxBytes);
    QStringList lines;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    while (start < end && lines.size() < MaxLines) {
        const char* lineEnd =
            std::find_if(start, end, [](char c) { return c == '\r' || c == '\n'; });
        // A line that runs into the cut may be incomplete.
        if (lineEnd == end && cut)
            break;
        lines.append(TextRoutines::fromWindows1252(QByteArrayView(start, lineEnd)));
        if (lineEnd < end && *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
            ++lineEnd;
        start = lineEnd + 1;
    }
    return lines;
}

std::optional<QByteArray> CharacterFileText::readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // As much as the file holds, up to the most read: a buffer of the most for a file of a
    // few kilobytes would be reserved for nothing.
    const qint64 size = file.size();
    return file.read(size > 0 ? std::min<qint64>(size, MaxBytes) : MaxBytes);
}

QString CharacterFileText::writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return file.errorString();
}
