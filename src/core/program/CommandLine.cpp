#include "CommandLine.h"

#include "program/StartupChecks.h"

namespace CommandLine {

Invocation parse(const QStringList& arguments)
{
    Invocation call;
    if (arguments.contains(u"--help") || arguments.contains(u"-h")) {
        call.command = Command::Help;
        return call;
    }
    if (arguments.contains(u"--version")) {
        call.command = Command::Version;
        return call;
    }
    // Recognised only on its own, so that no character file name is ever taken for it.
    if (arguments == QStringList{QStringLiteral("--quit-after-paint")}) {
        call.quitAfterPaint = true;
        return call;
    }
    const int commands = int(arguments.contains(u"--report")) + int(arguments.contains(u"--pdf")) +
                         int(arguments.contains(u"--export")) + int(arguments.contains(u"--check"));
    if (commands == 0) {
        call.file = StartupChecks::characterFileArgument(arguments);
        return call;
    }
    QStringList files;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument == u"--notes") {
            call.notes = true;
        } else if (options && argument == u"--log") {
            call.log = true;
        } else if (options && argument == u"--report") {
            call.command = Command::Report;
        } else if (options && argument == u"--check") {
            call.command = Command::Check;
        } else if (options && argument == u"--pdf") {
            call.command = Command::Pdf;
            if (i + 1 < arguments.size())
                call.out = arguments[++i];
        } else if (options && argument == u"--export") {
            call.command = Command::Export;
            if (i + 2 < arguments.size()) {
                call.format = arguments[++i];
                call.out = arguments[++i];
            }
        } else if (options && argument.startsWith(u"--")) {
            call.problem = QStringLiteral("unknown option %1").arg(argument);
        } else {
            files.append(argument);
        }
    }
    if (commands > 1)
        call.problem =
            QStringLiteral("--report, --pdf, --export and --check cannot be used together");
    else if (call.command == Command::Pdf && call.out.isEmpty())
        call.problem = QStringLiteral("--pdf needs the PDF file to write");
    else if (call.command == Command::Export && call.out.isEmpty())
        call.problem = QStringLiteral("--export needs what to export to and the file to write");
    else if (call.command == Command::Export && call.format != u"foundry")
        call.problem = QStringLiteral("cannot export to \"%1\"; known: foundry").arg(call.format);
    else if (call.notes && call.command != Command::Pdf)
        call.problem = QStringLiteral("--notes goes with --pdf");
    else if (call.log && call.command != Command::Pdf)
        call.problem = QStringLiteral("--log goes with --pdf");
    else if (files.isEmpty() && call.problem.isEmpty())
        call.problem = QStringLiteral("no character file named");
    else if (files.size() > 1 && call.command != Command::Pdf && call.command != Command::Check &&
             call.problem.isEmpty())
        call.problem = QStringLiteral("one character file at a time");
    if (!call.problem.isEmpty()) {
        call.command = Command::Wrong;
    } else {
        call.file = files.first();
        call.files = files;
    }
    return call;
}

QString usage()
{
    return QStringLiteral(
        "Usage: tarnoch [FILE]\n"
        "       tarnoch --report FILE\n"
        "       tarnoch --pdf OUT.pdf FILE... [--notes] [--log]\n"
        "       tarnoch --export foundry OUT.json FILE\n"
        "       tarnoch --check FILE...\n"
        "\n"
        "Tarnoch builds player characters for \"Vampire - The Masquerade\".\n"
        "\n"
        "  FILE            a character file (.tnc) to open in the window\n"
        "  --report FILE   print the character as the sheet shows it, as JSON\n"
        "  --pdf OUT FILE...\n"
        "                  write the printed sheets of the characters to OUT as one PDF,\n"
        "                  a page each; a file that cannot be read is named and skipped\n"
        "  --notes         with --pdf: each character's notes pages follow its sheet\n"
        "  --log           with --pdf: then its experience log's pages\n"
        "  --export foundry OUT FILE\n"
        "                  write the character as an actor for Foundry VTT's \"World of\n"
        "                  Darkness 20th edition\" system (its \"Import Data\")\n"
        "  --check FILE... print what the rules check finds in each file; exit\n"
        "                  status 1 when any file breaks the creation rules\n"
        "  --help          show this text\n"
        "  --version       show the version\n"
        "\n"
        "--report, --pdf, --export and --check need no window and no display.\n");
}

QString versionText()
{
    return QStringLiteral("tarnoch " TARNOCH_VERSION "\n");
}

} // namespace CommandLine
