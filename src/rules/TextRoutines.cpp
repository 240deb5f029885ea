#include "TextRoutines.h"

#include <QFontMetrics>

namespace TextRoutines {

QString PadWithDots(QString text, int width, const QFontMetrics& metrics)
{
    // A zero-width full stop (a broken font) must not pad for ever.
    if (metrics.horizontalAdvance(u'.') <= 0)
        return text;
    while (metrics.horizontalAdvance(text + u'.') < width)
        text += u'.';
    return text;
}

QString StripDots(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u'.')
        --end;
    text.truncate(end);
    return text;
}

} // namespace TextRoutines
