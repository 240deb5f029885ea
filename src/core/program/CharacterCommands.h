#pragma once

#include "program/CommandLine.h"

#include <QString>
#include <optional>

// The commands without a window: a character read onto a model of the sheet under the rules
// the program reads, settled, then reported, printed or exported. The exit status: 0 done,
// 1 a PDF or export that cannot be written or a character of a PDF skipped, 2 the file (every
// file of a PDF) or the program's data cannot be read; the reason goes to standard error.
// "--check" ends with 1 for a breach of the creation rules.
namespace CharacterCommands {

// "--report FILE": the JSON of what the sheet would show, on standard output.
int report(const QString& file);
// "--check FILE...": what the rules check finds in each file, one line per finding, on standard
// output. 1 when any file breaks the creation rules, 2 when a file cannot be read as a
// character (the others are still checked), else 0.
int check(const QStringList& files);
// "--pdf OUT FILE... [--notes] [--log]": the printed sheets (each followed by its notes, then
// its experience log) as one PDF, a character that cannot be read named and left out. Needs a
// QGuiApplication, which may run on the offscreen platform.
int pdf(const QString& out, const QStringList& files, bool notes, bool log);
// "--export foundry OUT FILE": the actor document for Foundry VTT.
int exportFoundry(const QString& out, const QString& file);

// Runs what the command line asks for when it needs no window (help, the version, a wrong
// command line, a report, a PDF) and returns its exit status; nothing when it asks for the
// window. program names the command in messages.
std::optional<int> runWithoutWindow(int argc, char* argv[], const CommandLine::Invocation& call,
                                    const char* program);

} // namespace CharacterCommands
