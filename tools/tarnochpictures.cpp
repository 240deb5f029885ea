// The pictures tool: draws the window's background once at build time, in the program's own
// faces, and writes the pieces of it that the docks leave uncovered as raw 32-bit pixels,
// which the program carries as a resource and maps in at start-up instead of drawing them.
#include "output/FontRegistry.h"
#include "output/Pictures.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: tarnoch-pictures FONT-FOLDER OUTPUT\n", stderr);
        return 2;
    }
    FontRegistry fonts;
    fonts.registerAll(arguments[1] + u'/');
    if (fonts.registeredCount() != FontRegistry::faces().size()) {
        std::fputs("tarnoch-pictures: the font files are missing from the folder\n", stderr);
        return 1;
    }
    const QImage picture = Pictures::drawBackground();
    QSaveFile out(arguments[2]);
    bool written = out.open(QIODevice::WriteOnly);
    for (const QRect& place : Pictures::backgroundPieces()) {
        const QImage piece = picture.copy(place);
        written = written && out.write(reinterpret_cast<const char*>(piece.constBits()),
                                       piece.sizeInBytes()) == piece.sizeInBytes();
    }
    if (!written || !out.commit()) {
        std::fprintf(stderr, "tarnoch-pictures: cannot write %s\n", qPrintable(arguments[2]));
        return 1;
    }
    return 0;
}
