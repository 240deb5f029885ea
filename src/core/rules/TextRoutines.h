#pragma once

#include <QString>

class QFont;

// The dotted placeholders of the sheet's name rows.
namespace TextRoutines {

// Appends "." while the text with one more "." is still narrower than width.
QString PadWithDots(const QString& text, int width, const QFont& font);

// Removes trailing "." characters; every rule compares row names stripped.
QString StripDots(QString text);

} // namespace TextRoutines
