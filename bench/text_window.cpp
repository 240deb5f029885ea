// The fair reference for a program that shows text: a frameless 800 x 572 window that paints
// one line in the system font (fontconfig, one face, one shaped line) and quits after its
// first paint.
#include "ReferenceWindow.h"

int main(int argc, char* argv[])
{
    return runReferenceWindow(argc, argv, [](QPainter& painter, const QRect& area) {
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("Vampire - The Masquerade"));
    });
}
