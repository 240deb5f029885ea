#include "program/CharacterCommands.h"
#include "program/CommandLine.h"

#include <cstdio>

// tarnoch-cli: the program's commands without a window, on the core library alone.
int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    CommandLine::Invocation call = CommandLine::parse(arguments);
    if (call.command == CommandLine::Command::Window) {
        call.command = CommandLine::Command::Wrong;
        call.problem = QStringLiteral("name a command; the window is tarnoch's");
    }
    return *CharacterCommands::runWithoutWindow(argc, argv, call, "tarnoch-cli");
}
