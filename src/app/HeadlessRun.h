#pragma once

#include <QStringList>

// The program's faces without a window, for scripts: "--report FILE" prints the character as
// the sheet shows it as JSON; "--pdf OUT FILE [--notes]" writes its printed sheet as a PDF.
namespace HeadlessRun {

// Whether the command line asks for one of them; checked before the application starts,
// since they run on the offscreen platform.
bool wanted(int argc, char* argv[]);

// Runs it; the exit status: 0 done, 1 a wrong command line or a file not written, 2 a file
// that cannot be read.
int run(const QStringList& arguments);

} // namespace HeadlessRun
