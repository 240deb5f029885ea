#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// What a program run to its end gave; the exit code is -1 when it crashed or hung.
struct Finished
{
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

inline Finished
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended =
        process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// A program of the build (tarnoch, tarnoch-cli) on a machine with no display at all.
inline Finished runWithoutDisplay(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return runProgram(QStringLiteral(TARNOCH_PROGRAM_DIR) + program, arguments, environment);
}
