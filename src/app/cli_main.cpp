#include "app/CharacterReportCommand.h"
#include "app/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>

// tarnoch-cli: the program's commands without a window, on the core library alone.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tarnoch"));
    const CommandLine::Invocation call = CommandLine::parse(QCoreApplication::arguments().mid(1));
    auto print = [](std::FILE* stream, const QString& text) {
        const QByteArray bytes = text.toLocal8Bit();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    };
    switch (call.command) {
    case CommandLine::Command::Help: print(stdout, CommandLine::usage()); return 0;
    case CommandLine::Command::Version: print(stdout, CommandLine::versionText()); return 0;
    case CommandLine::Command::Report: return CharacterReportCommand::run(call.file);
    default: break;
    }
    print(stderr, QStringLiteral("tarnoch-cli: %1\n\n")
                      .arg(call.problem.isEmpty() ? QStringLiteral("this command needs the window: use tarnoch")
                                                  : call.problem)
                      + CommandLine::usage());
    return 1;
}
