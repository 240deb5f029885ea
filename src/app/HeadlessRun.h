#pragma once

#include "app/CommandLine.h"

// The program's faces without a window, for scripts: "--report FILE" prints the character as
// the sheet shows it as JSON; "--pdf OUT FILE [--notes]" writes its printed sheet as a PDF.
namespace HeadlessRun {

// Runs it on the offscreen platform; the exit status: 0 done, 1 a file not written, 2 a file
// that cannot be read.
int run(const CommandLine::Invocation& call);

} // namespace HeadlessRun
