#include "app/CharacterCommands.h"
#include "app/CommandLine.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// Only what went wrong reaches standard error.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        print(stderr, message + u'\n');
}

} // namespace

// tarnoch-cli: the program's commands without a window, on the core library alone.
int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Invocation call = CommandLine::parse(arguments);
    switch (call.command) {
    case CommandLine::Command::Help: print(stdout, CommandLine::usage()); return 0;
    case CommandLine::Command::Version: print(stdout, CommandLine::versionText()); return 0;
    case CommandLine::Command::Report:
    case CommandLine::Command::Pdf: {
        // A PDF draws text, which needs a platform; the offscreen one needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Tarnoch"));
        return call.command == CommandLine::Command::Report
                   ? CharacterCommands::report(call.file)
                   : CharacterCommands::pdf(call.out, call.file, call.notes);
    }
    default: break;
    }
    print(stderr, QStringLiteral("tarnoch-cli: %1\n\n")
                      .arg(call.problem.isEmpty() ? QStringLiteral("name a command; the window is tarnoch's")
                                                  : call.problem)
                      + CommandLine::usage());
    return 1;
}
