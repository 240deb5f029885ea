#pragma once

#include <QString>

class QFontMetrics;

// The dotted placeholders of the sheet's name rows.
namespace TextRoutines {

// Appends "." while the text with one more "." is still narrower than width.
QString PadWithDots(QString text, int width, const QFontMetrics& metrics);

// Removes trailing "." characters; every rule compares row names stripped.
QString StripDots(QString text);

} // namespace TextRoutines
