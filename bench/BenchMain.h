#pragma once

#include "output/FontRegistry.h"

#include <benchmark/benchmark.h>

// The main of every timing program: offscreen unless told otherwise, with the program's faces.
template <typename Application>
int benchMain(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    FontRegistry fonts;
    fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
