#pragma once

#include "app/CommandLine.h"

// "--pdf OUT FILE [--notes]": the character's printed sheet as a PDF, drawn from a sheet that
// is never shown.
namespace HeadlessRun {

// Runs it on the offscreen platform; the exit status: 0 done, 1 a file not written, 2 a file
// that cannot be read.
int run(const CommandLine::Invocation& call);

} // namespace HeadlessRun
