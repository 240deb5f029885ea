#include "TextRoutines.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

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

} // namespace TextRoutines
