#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do: open the window, or one of the commands that run without
// one. Options may stand in any order; "--notes" and "--log" go with "--pdf", which with
// "--check" takes several character files.
namespace CommandLine {

enum class Command { Window, Report, Pdf, Export, Check, Help, Version, Wrong };

struct Invocation
{
    Command command = Command::Window;
    QString file;                // the character file; for the window, the parameters joined
    QStringList files;           // the character files of a PDF or a check, in order
    QString out;                 // the PDF or the export to write
    QString format;              // what to export to: "foundry"
    bool notes = false;          // the notes pages after the sheet
    bool log = false;            // the experience log's pages after those
    bool quitAfterPaint = false; // timing runs: "painted" on standard output after the first paint, then the end
    QString problem;             // what is wrong with a wrong command line
};

Invocation parse(const QStringList& arguments);

QString usage();
QString versionText();

} // namespace CommandLine
