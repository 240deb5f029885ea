#include "ProgramPaths.h"

#include "rules/DataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

QString ProgramPaths::folderOf(const QString& executablePath)
{
    const qsizetype cut = executablePath.lastIndexOf(u'/');
    return cut < 0 ? QStringLiteral("./") : executablePath.left(cut + 1);
}

ProgramPaths::ProgramPaths(QString readFolder, QString writeFolder)
    : m_readFolder(withSeparator(std::move(readFolder))),
      m_writeFolder(withSeparator(std::move(writeFolder)))
{
}

ProgramPaths ProgramPaths::resolve(const QString& programFolder, const QString& writeFallback)
{
    const QString shared =
        QDir::cleanPath(programFolder + QStringLiteral("../share/tarnoch")) + u'/';
    const bool installed = !QFileInfo::exists(programFolder + DataFile::FileName) &&
                           QFileInfo::exists(shared + DataFile::FileName);
    // An installed program's folders belong to the package manager and to every user: even
    // a user who may write there (root) keeps the template and scratch files in their own.
    if (!installed && QFileInfo(programFolder).isWritable())
        return ProgramPaths(programFolder, programFolder);

    const QString writeFolder =
        writeFallback.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                : writeFallback;
    QDir().mkpath(writeFolder);
    return ProgramPaths(installed ? shared : programFolder, writeFolder);
}
