#include "CharacterReportCommand.h"

#include "app/ProgramPaths.h"
#include "engine/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "rules/DataFile.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>

#include <cstdio>

namespace {

void printError(const QString& text)
{
    std::fprintf(stderr, "tarnoch: %s\n", qPrintable(text));
}

// The whole file as the Load command reads it, or the reason it cannot be.
std::optional<QByteArray> readBytes(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    return file.read(CharacterFileText::MaxBytes);
}

} // namespace

int CharacterReportCommand::run(const QString& file)
{
    const ProgramPaths paths =
        ProgramPaths::resolve(ProgramPaths::folderOf(QCoreApplication::applicationFilePath()));
    const RulesDataLoader::Result data = RulesDataLoader::load(paths.readPath(DataFile::FileName));
    if (!data.problem.isEmpty()) {
        printError(data.problem);
        return 2;
    }
    const QStringList packFolders = {
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/packs"),
        paths.readFolder() + QStringLiteral("packs")};
    CharacterDocument document(RulesPack::merge(data.lines, RulesPack::readFolders(packFolders)).lines);

    // A new character starts from the template, as the window's does.
    QString error;
    const QString templateFile = paths.writePath(QStringLiteral("Template.tnc"));
    if (const auto bytes = readBytes(templateFile, &error))
        document.open(CharacterReader::read(CharacterFileText::decode(*bytes), templateFile));

    const auto bytes = readBytes(file, &error);
    if (!bytes) {
        printError(QStringLiteral("The character file \"%1\" cannot be opened: %2")
                       .arg(QDir::toNativeSeparators(file), error));
        return 2;
    }
    const CharacterReadResult read = CharacterReader::read(CharacterFileText::decode(*bytes), file);
    document.open(read);
    document.settle();
    QList<QPair<QString, QString>> messages;
    for (const auto& message : read.messages)
        messages.append({message.caption, message.text});
    const QByteArray json =
        QJsonDocument(CharacterReport::build(document.character(), read.version, messages)).toJson();
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}
