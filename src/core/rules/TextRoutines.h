#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QFont;

// The dotted placeholders of the sheet's name rows, and the code page of the files.
namespace TextRoutines {

// Appends "." while the text with one more "." is still narrower than width.
QString PadWithDots(const QString& text, int width, const QFont& font);

// Removes trailing "." characters; every rule compares row names stripped.
QString StripDots(QString text);

// Windows-1252 text, as the character and rules files hold it; the five bytes the code page
// leaves out become the control characters of the same number.
QString fromWindows1252(QByteArrayView bytes);
// Each character as the code page's byte, or "?" where the code page has none.
QByteArray toWindows1252(QStringView text);
// Whether the code page holds the character.
bool inWindows1252(char32_t character);

} // namespace TextRoutines
