#include "CharacterCommands.h"

#include "engine/RulesCheck.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "output/ExperienceLogDocument.h"
#include "output/FontRegistry.h"
#include "output/FoundryExport.h"
#include "output/PrintedSheet.h"
#include "output/RtfReader.h"
#include "output/SheetPrinter.h"
#include "program/ProgramPaths.h"
#include "rules/DataFile.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
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

// The rules data lines with the rules packs merged in; null (the reason printed) when the
// program's data cannot be read.
std::optional<QStringList> rulesLines(const ProgramPaths& paths)
{
    const RulesDataLoader::Result data = RulesDataLoader::load(paths.readPath(DataFile::FileName));
    if (!data.problem.isEmpty()) {
        printError(data.problem);
        return std::nullopt;
    }
    const QStringList packFolders = {
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
            QStringLiteral("/packs"),
        paths.readFolder() + QStringLiteral("packs")};
    return RulesPack::merge(data.lines, RulesPack::readFolders(packFolders)).lines;
}

// A character as the Load command brings it onto a new sheet, settled; null (the reason
// printed) when the file cannot be read.
struct Loaded
{
    std::unique_ptr<CharacterDocument> document;
    CharacterReadResult read;
};
std::optional<Loaded> load(const ProgramPaths& paths, const QStringList& rules, const QString& file)
{
    auto document = std::make_unique<CharacterDocument>(rules);
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
    Loaded loaded{std::move(document),
                  CharacterReader::read(CharacterFileText::decode(*bytes), file)};
    loaded.document->open(loaded.read);
    loaded.document->settle();
    return loaded;
}

std::optional<Loaded> load(const ProgramPaths& paths, const QString& file)
{
    const std::optional<QStringList> rules = rulesLines(paths);
    return rules ? load(paths, *rules, file) : std::nullopt;
}

// The notes of a character as the notes editor shows them.
std::unique_ptr<QTextDocument> notesOf(const Character& character)
{
    auto notes = std::make_unique<QTextDocument>();
    const QByteArray rtf = CharacterFileText::encode(character.notes);
    if (!RtfReader().read(rtf, notes.get()))
        notes->setPlainText(character.notes.join(u'\n')); // notes that are not rich text
    return notes;
}

std::unique_ptr<QTextDocument> logOf(const Character& character)
{
    auto log = std::make_unique<QTextDocument>();
    log->setHtml(ExperienceLogDocument::html(character));
    return log;
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
    const std::optional<QStringList> rules = rulesLines(paths);
    if (!rules)
        return 2;
    int status = 0;
    for (const QString& file : files) {
        const std::optional<Loaded> loaded = load(paths, *rules, file);
        const QString name = QDir::toNativeSeparators(file);
        if (loaded && loaded->read.bannerRejected)
            printError(QStringLiteral("The file \"%1\" is no character file.").arg(name));
        if (!loaded || loaded->read.bannerRejected) {
            status = 2;
            continue;
        }
        if (loaded->read.corrupt)
            printError(QStringLiteral("The character file \"%1\" is damaged; what was read before "
                                      "line %2 is checked.")
                           .arg(name)
                           .arg(loaded->read.stopLine));
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

int CharacterCommands::pdf(const QString& out, const QStringList& files, bool notes, bool log)
{
    const ProgramPaths paths = programPaths();
    const std::optional<QStringList> rules = rulesLines(paths);
    if (!rules)
        return 2;
    FontRegistry fonts;
    fonts.registerAll(paths.readFolder());
    struct Printed
    {
        PrintedSheet sheet;
        std::unique_ptr<QTextDocument> notes;
        std::unique_ptr<QTextDocument> log;
    };
    std::vector<Printed> printed;
    QStringList names;
    for (const QString& file : files) {
        const std::optional<Loaded> loaded = load(paths, *rules, file);
        if (loaded && loaded->read.bannerRejected)
            printError(QStringLiteral("The file \"%1\" is no character file; it is left out.")
                           .arg(QDir::toNativeSeparators(file)));
        if (!loaded || loaded->read.bannerRejected)
            continue;
        if (loaded->read.corrupt)
            printError(QStringLiteral("The character file \"%1\" is damaged; its sheet shows what "
                                      "was read before line %2.")
                           .arg(QDir::toNativeSeparators(file))
                           .arg(loaded->read.stopLine));
        const Character& character = loaded->document->character();
        printed.push_back({PrintedSheet::of(character), notes ? notesOf(character) : nullptr,
                           log ? logOf(character) : nullptr});
        names.append(character.header[0]);
    }
    if (printed.empty()) {
        fonts.unregisterAll();
        return 2;
    }
    std::vector<SheetPrinter::Pages> pages;
    for (const Printed& character : printed)
        pages.push_back({&character.sheet, character.notes.get(), character.log.get()});
    const QString title = names.size() == 1
                              ? (notes || log ? QStringLiteral("Tarnoch - ") + names[0]
                                              : SheetPrinter::sheetJobTitle(names[0]))
                              : QStringLiteral("Tarnoch - ") + names.join(QStringLiteral(", "));
    const QString error = SheetPrinter::writePdf(out, title, pages);
    fonts.unregisterAll();
    if (!error.isEmpty()) {
        printError(error);
        return 1;
    }
    return printed.size() == size_t(files.size()) ? 0 : 1;
}

int CharacterCommands::exportFoundry(const QString& out, const QString& file)
{
    const std::optional<Loaded> loaded = load(programPaths(), file);
    if (!loaded)
        return 2;
    if (const QString error = FoundryExport::writeFile(out, loaded->document->character());
        !error.isEmpty()) {
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
    case Command::Help:
        print(stdout, CommandLine::usage());
        return 0;
    case Command::Version:
        print(stdout, CommandLine::versionText());
        return 0;
    case Command::Wrong:
        print(stderr, QStringLiteral("%1: %2\n\n").arg(QLatin1String(program), call.problem) +
                          CommandLine::usage());
        return 1;
    case Command::Report:
    case Command::Pdf:
    case Command::Export:
    case Command::Check: {
        // The character is read onto a model of the sheet: no window, no display. The PDF
        // draws text, which needs a platform; the offscreen one needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Tarnoch"));
        if (call.command == Command::Export)
            return exportFoundry(call.out, call.file);
        if (call.command == Command::Check)
            return check(call.files);
        return call.command == Command::Report ? report(call.file)
                                               : pdf(call.out, call.files, call.notes, call.log);
    }
    case Command::Window:
        break;
    }
    return std::nullopt;
}
