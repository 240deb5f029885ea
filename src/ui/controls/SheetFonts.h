#pragma once

#include "output/FontRegistry.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

// The faces and colours the sheet is drawn in.
namespace SheetFonts {

inline const QString Blackletter = QStringLiteral("Lucida Blackletter");
inline const QString Handwriting = QStringLiteral("Lucida Handwriting");
inline const QString Times = QStringLiteral("Times New Roman");
inline const QString Belwe = QStringLiteral("Belwe Lt BT");
// The handwriting of the names picked or typed into the sheet's rows.
inline constexpr int NameSize = 13;

inline QFont face(const QString& family, int pixelSize)
{
    QFont f = FontRegistry::font(family);
    f.setPixelSize(pixelSize);
    // The sheet's faces need no shaping; laying out its hundreds of rows without it is
    // several times faster, which a load or a list change feels.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

inline const QColor CaptionColour(96, 160, 128);

inline void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}
inline const QColor WindowColour(0, 64, 0);
inline const QColor ActiveColour(255, 0, 0);
// Headings on the white sheet: the window's green, darkened to read well on paper.
inline const QColor SheetHeadingColour(0, 64, 0);

} // namespace SheetFonts
