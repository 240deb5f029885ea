#pragma once

#include "app/FontRegistry.h"

// The program's own faces, registered for the life of the test object as the program does at
// start; without them text would be drawn in whatever the system offers.
struct ProgramFonts
{
    ProgramFonts() { fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR)); }
    FontRegistry fonts;
};
