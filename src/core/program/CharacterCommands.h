#pragma once

#include "program/CommandLine.h"

#include <QString>

#include <optional>

// The commands without a window: a character read onto a model of the sheet under the rules
// the program reads, settled, then reported or printed. The exit status: 0 done, 1 a PDF
// that cannot be written, 2 the file or the program's data cannot be read; the reason goes
// to standard error.
namespace CharacterCommands {

// "--report FILE": the JSON of what the sheet would show, on standard output.
int report(const QString& file);
// "--check FILE...": what the rules check finds in each file, one line per finding, on standard
// output. 1 when any file breaks the creation rules, 2 when a file cannot be read (the others
// are still checked), else 0.
int check(const QStringList& files);
// "--pdf OUT FILE [--notes]": the printed sheet (and the notes) as a PDF. Needs a
// QGuiApplication, which may run on the offscreen platform.
int pdf(const QString& out, const QString& file, bool notes);

// Runs what the command line asks for when it needs no window (help, the version, a wrong
// command line, a report, a PDF) and returns its exit status; nothing when it asks for the
// window. program names the command in messages.
std::optional<int> runWithoutWindow(int argc, char* argv[], const CommandLine::Invocation& call,
                                    const char* program);

} // namespace CharacterCommands
