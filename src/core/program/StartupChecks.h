#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The small decisions of start-up, kept free of windows so they can be checked directly.
namespace StartupChecks {

inline constexpr QSize WindowSize{800, 572};
inline constexpr QSize MinimumScreen{800, 600};

inline const QString ScreenTooSmallText =
    QStringLiteral("This program needs a minimum resolution of 800 x 600 to run.");
inline const QString FewColoursText =
    QStringLiteral("I strongly suggest switching to 16bit color depth (65536 colors) or more before "
                   "running this program.\nIt is functional with less, but it doesn't look pretty!");

bool screenTooSmall(QSize screen);
// Displays of 8 bits or fewer per pixel are palette displays.
bool fewColours(int bitsPerPixel);

// Top-left of the window centred vertically in the work area and horizontally toward its right edge.
QPoint windowPosition(const QRect& workArea);

// The character file named on the command line: all parameters joined with single blanks,
// so that an unquoted path with blanks arrives whole. Empty when there is none.
QString characterFileArgument(const QStringList& parameters);

} // namespace StartupChecks
