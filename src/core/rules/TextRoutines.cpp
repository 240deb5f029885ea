#include "TextRoutines.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <iterator>

namespace TextRoutines {

namespace {

QString padded(const QString& text, int width, const QFontMetrics& metrics)
{
    // A zero-width full stop (a broken font) must not pad for ever.
    const int dot = metrics.horizontalAdvance(u'.');
    if (dot <= 0)
        return text;
    // Full stops add up to the same width each, so one measurement estimates how many fit;
    // measuring around the estimate gives the count that adding them one by one would.
    auto fits = [&](qsizetype dots) {
        return metrics.horizontalAdvance(text + QString(dots, u'.')) < width;
    };
    qsizetype count = std::max(0, (width - metrics.horizontalAdvance(text)) / dot);
    while (count > 0 && !fits(count))
        --count;
    while (fits(count + 1))
        ++count;
    return text + QString(count, u'.');
}

} // namespace

QString PadWithDots(const QString& text, int width, const QFont& font)
{
    // The sheet pads the same few names and empty rows again and again (every load, every
    // list change); measuring text is what costs.
    static QHash<QString, QString> cache;
    // A font's key is itself costly to write; rows come in runs of one font.
    static QFont lastFont;
    static QString lastKey = lastFont.key();
    if (!(font == lastFont)) {
        lastFont = font;
        lastKey = font.key();
    }
    const QString key = lastKey + u'|' + QString::number(width) + u'|' + text;
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    if (cache.size() > 4096)
        cache.clear();
    return *cache.insert(key, padded(text, width, QFontMetrics(font)));
}

QString StripDots(QString text)
{
    qsizetype end = text.size();
    // Read through at(): the subscript of a shared text would copy it, dots or not.
    while (end > 0 && text.at(end - 1) == u'.')
        --end;
    text.truncate(end);
    return text;
}

namespace {

// What the code page's bytes 0x80 to 0x9f stand for.
constexpr char16_t From80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code page's byte for a character, or -1 where the code page has none.
int byteOf(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return int(character);
    const auto* found = std::find(std::begin(From80To9F), std::end(From80To9F), character);
    return found != std::end(From80To9F) ? 0x80 + int(found - From80To9F) : -1;
}

} // namespace

// By hand, not through a converter: that loads the ICU tables, a megabyte at start-up.
QString fromWindows1252(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    for (QChar& c : text)
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(From80To9F[c.unicode() - 0x80]);
    return text;
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteOf(text[i].unicode());
        bytes[i] = byte >= 0 ? char(byte) : '?';
    }
    return bytes;
}

bool inWindows1252(char32_t character)
{
    return byteOf(character) >= 0;
}

} // namespace TextRoutines
