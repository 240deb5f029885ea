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
    const bool report = arguments.contains(u"--report");
    const bool pdf = arguments.contains(u"--pdf");
    const bool check = arguments.contains(u"--check");
    if (!report && !pdf && !check) {
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
        } else if (options && argument == u"--report") {
            call.command = Command::Report;
        } else if (options && argument == u"--check") {
            call.command = Command::Check;
        } else if (options && argument == u"--pdf") {
            call.command = Command::Pdf;
            if (i + 1 < arguments.size())
                call.out = arguments[++i];
        } else if (options && argument.startsWith(u"--")) {
            call.problem = QStringLiteral("unknown option %1").arg(argument);
        } else {
            files.append(argument);
        }
    }
    if (int(report) + int(pdf) + int(check) > 1)
        call.problem = QStringLiteral("--report, --pdf and --check go one at a time");
    else if (call.command == Command::Pdf && call.out.isEmpty())
        call.problem = QStringLiteral("--pdf needs the PDF file to write");
    else if (call.notes && call.command != Command::Pdf)
        call.problem = QStringLiteral("--notes goes with --pdf");
    else if (call.command == Command::Check && call.problem.isEmpty())
        call.problem = files.isEmpty() ? QStringLiteral("no character file named") : QString();
    else if (files.size() != 1 && call.problem.isEmpty())
        call.problem = files.isEmpty() ? QStringLiteral("no character file named")
                                       : QStringLiteral("one character file at a time");
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
        "       tarnoch --pdf OUT.pdf FILE [--notes]\n"
        "       tarnoch --check FILE...\n"
        "\n"
        "Tarnoch builds player characters for \"Vampire - The Masquerade\".\n"
        "\n"
        "  FILE            a character file (.tnc) to open in the window\n"
        "  --report FILE   print the character as the sheet shows it, as JSON\n"
        "  --pdf OUT FILE  write the character's printed sheet to OUT as a PDF\n"
        "  --notes         with --pdf: the notes pages follow the sheet\n"
        "  --check FILE... print what the rules check finds in each file; exit\n"
        "                  status 1 when any file breaks the creation rules\n"
        "  --help          show this text\n"
        "  --version       show the version\n"
        "\n"
        "--report, --pdf and --check need no window and no display.\n");
}

QString versionText()
{
    return QStringLiteral("tarnoch " TARNOCH_VERSION "\n");
}

} // namespace CommandLine
