#pragma once

#include <QString>

// Where the program finds the files it reads and puts the files it writes.
// Run from its own program folder (the build's), both are the folder of the executable.
// Installed, it reads from ../share/tarnoch and writes to the user's data folder; so does a
// program folder it may not write, for its writes.
class ProgramPaths
{
public:
    // The folder of the executable, with a trailing separator.
    static QString folderOf(const QString& executablePath);

    // Resolves the folders for an executable in programFolder; writeFallback is used when the
    // program is installed or programFolder cannot be written (empty: the per-user
    // application data folder).
    static ProgramPaths resolve(const QString& programFolder, const QString& writeFallback = {});

    ProgramPaths() = default;
    ProgramPaths(QString readFolder, QString writeFolder);

    const QString& readFolder() const { return m_readFolder; }
    const QString& writeFolder() const { return m_writeFolder; }
    QString readPath(const QString& fileName) const { return m_readFolder + fileName; }
    QString writePath(const QString& fileName) const { return m_writeFolder + fileName; }

private:
    QString m_readFolder;
    QString m_writeFolder;
};
