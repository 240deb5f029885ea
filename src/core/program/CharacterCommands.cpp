#include "CharacterCommands.h"

#include "output/FontRegistry.h"
#include "program/ProgramPaths.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "engine/RulesCheck.h"
#include "output/PrintedSheet.h"
#include "output/RtfReader.h"
#include "output/SheetPrinter.h"
#include "rules/DataFile.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTextDocument>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

void printError(const QString& text)
{
    std::fprintf(stderr, "tarnoch: %s\n", qPrintable(text));
}

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// The commands without a window print on standard error only what went wrong.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        print(stderr, message + u'\n');
}

ProgramPaths programPaths()
{
    return ProgramPaths::resolve(ProgramPaths::folderOf(QCoreApplication::applicationFilePath()));
}

// A character as the Load command brings it onto a new sheet, settled; null (the reason
// printed) when the file or the program's data cannot be read.
struct Loaded
{
    std::unique_ptr<CharacterDocument> document;
    CharacterReadResult read;
};
std::optional<Loaded> load(const ProgramPaths& paths, const QString& file)
{
    const RulesDataLoader::Result data = RulesDataLoader::load(paths.readPath(DataFile::FileName));
    if (!data.problem.isEmpty()) {
        printError(data.problem);
        return std::nullopt;
    }
    const QStringList packFolders = {
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/packs"),
        paths.readFolder() + QStringLiteral("packs")};
    auto document = std::make_unique<CharacterDocument>(
        RulesPack::merge(data.lines, RulesPack::readFolders(packFolders)).lines);
    // A new character starts from the template, as the window's does.
    QString error;
    const QString templateFile = paths.writePath(QStringLiteral("Template.tnc"));
    if (const auto bytes = CharacterFileText::readFile(templateFile, &error))
        document->open(CharacterReader::read(CharacterFileText::decode(*bytes), templateFile));
    const auto bytes = CharacterFileText::readFile(file, &error);
    if (!bytes) {
        printError(QStringLiteral("The character file \"%1\" cannot be opened: %2")
                       .arg(QDir::toNativeSeparators(file), error));
        return std::nullopt;
    }
    Loaded loaded{std::move(document), CharacterReader::read(CharacterFileText::decode(*bytes), file)};
    loaded.document->open(loaded.read);
    loaded.document->settle();
    return loaded;
}

} // namespace

int CharacterCommands::report(const QString& file)
{
    const std::optional<Loaded> loaded = load(programPaths(), file);
    if (!loaded)
        return 2;
    QList<QPair<QString, QString>> messages;
    for (const auto& message : loaded->read.messages)
        messages.append({message.caption, message.text});
    const QByteArray json = QJsonDocument(CharacterReport::build(loaded->document->character(),
                                                                 loaded->read.version, messages))
                                .toJson();
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

int CharacterCommands::check(const QStringList& files)
{
    const ProgramPaths paths = programPaths();
    int status = 0;
    for (const QString& file : files) {
        const std::optional<Loaded> loaded = load(paths, file);
        if (!loaded) {
            status = 2;
            continue;
        }
        const QString name = QDir::toNativeSeparators(file);
        const std::vector<RuleCheck>& checks = loaded->document->character().checks;
        QString lines;
        for (const RuleCheck& found : checks)
            lines +=
                QStringLiteral("%1: %2: %3 (%4)\n")
                    .arg(name, RulesCheck::severityName(found.severity), found.text, found.rule);
        if (checks.empty())
            lines = QStringLiteral("%1: nothing to report\n").arg(name);
        print(stdout, lines);
        if (RulesCheck::breaches(checks) > 0 && status == 0)
            status = 1;
    }
    return status;
}

int CharacterCommands::pdf(const QString& out, const QString& file, bool notes)
{
    const ProgramPaths paths = programPaths();
    FontRegistry fonts;
    fonts.registerAll(paths.readFolder());
    const std::optional<Loaded> loaded = load(paths, file);
    if (!loaded)
        return 2;
    const Character& character = loaded->document->character();
    QTextDocument notesDocument;
    if (notes) {
        const QByteArray rtf = CharacterFileText::encode(character.notes);
        if (!RtfReader().read(rtf, &notesDocument))
            notesDocument.setPlainText(character.notes.join(u'\n')); // notes that are not rich text
    }
    const PrintedSheet sheet = PrintedSheet::of(character);
    const QString error = SheetPrinter::writePdf(out, character.header[0], &sheet,
                                                 notes ? &notesDocument : nullptr);
    fonts.unregisterAll();
    if (!error.isEmpty()) {
        printError(error);
        return 1;
    }
    return 0;
}

std::optional<int> CharacterCommands::runWithoutWindow(int argc, char* argv[],
                                                       const CommandLine::Invocation& call,
                                                       const char* program)
{
    using CommandLine::Command;
    switch (call.command) {
    case Command::Help: print(stdout, CommandLine::usage()); return 0;
    case Command::Version: print(stdout, CommandLine::versionText()); return 0;
    case Command::Wrong:
        print(stderr, QStringLiteral("%1: %2\n\n").arg(QLatin1String(program), call.problem)
                          + CommandLine::usage());
        return 1;
    case Command::Report:
    case Command::Check:
    case Command::Pdf: {
        // The character is read onto a model of the sheet: no window, no display. The PDF
        // draws text, which needs a platform; the offscreen one needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Tarnoch"));
        if (call.command == Command::Check)
            return check(call.files);
        return call.command == Command::Report ? report(call.file)
                                               : pdf(call.out, call.file, call.notes);
    }
    case Command::Window: break;
    }
    return std::nullopt;
}
