#pragma once

#include "output/FontRegistry.h"

// The program's own faces, registered for the fixture's life as the program does at start.
struct ProgramFonts
{
    ProgramFonts() { fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR)); }
    FontRegistry fonts;
};
