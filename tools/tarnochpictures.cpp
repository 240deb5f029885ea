// The pictures tool: draws the window's background once at build time, in the program's own
// faces, as raw 32-bit pixels that the program carries as a resource and maps in at start-up
// instead of drawing it.
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
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()) !=
            picture.sizeInBytes() ||
        !out.commit()) {
        std::fprintf(stderr, "tarnoch-pictures: cannot write %s\n", qPrintable(arguments[2]));
        return 1;
    }
    return 0;
}
