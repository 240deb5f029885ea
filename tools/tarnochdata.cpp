// The rules data tool: checks the readable source and scrambles it into Tarn1.dat,
// checks a rules pack against the data, or turns a data file back into readable text.
#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool readAll(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

void printFault(const QString& path, int line, int section, const QString& reason)
{
    err() << path << ':' << line << ": ";
    if (section > 0)
        err() << "section " << section << " (" << DataGrammar::sectionName(section) << "): ";
    err() << reason << Qt::endl;
}

// Returns the scrambled file, or an empty array after reporting every fault.
bool compile(const QString& sourcePath, const QByteArray& source, QByteArray& scrambled)
{
    const DataSource::Lines parsed = DataSource::parse(source);
    auto sourceLine = [&](qsizetype index) { return parsed.sourceLine.value(index, 1); };
    QByteArray plain;
    qsizetype bad = 0;
    if (!DataFile::joinLines(parsed.lines, plain, &bad)) {
        printFault(sourcePath, sourceLine(bad), 0,
                   QStringLiteral("the line holds a character that Windows-1252 cannot store"));
        return false;
    }
    const QList<DataGrammar::Fault> faults = DataGrammar::faults(parsed.lines);
    for (const DataGrammar::Fault& fault : faults) {
        QString reason = fault.rule;
        if (fault.earlierLine >= 0)
            reason +=
                QStringLiteral(" (first given at line %1)").arg(sourceLine(fault.earlierLine));
        printFault(sourcePath, sourceLine(fault.line), fault.section, reason);
    }
    if (!faults.isEmpty())
        return false;
    scrambled = DataFile::scramble(plain);
    return true;
}

// A full source fills its second section with the generations; a pack leaves it empty.
bool isFullSource(const QStringList& lines)
{
    const qsizetype end = lines.indexOf(QStringLiteral("---"));
    return end >= 0 && end + 1 < lines.size() && !DataFile::isSectionEnd(lines[end + 1]) &&
           !DataFile::isHeader(lines[end + 1]);
}

// The data a pack joins: beside the tool, in the build's program folder, or installed.
QString defaultDataFile()
{
    const QString tool = QCoreApplication::applicationDirPath() + u'/';
    for (const QString& folder :
         {tool, tool + QStringLiteral("../bin/"), tool + QStringLiteral("../share/tarnoch/")}) {
        const QString path = QDir::cleanPath(folder + DataFile::FileName);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

int checkPack(const QString& packPath, const QByteArray& pack, QString dataPath)
{
    if (dataPath.isEmpty())
        dataPath = defaultDataFile();
    if (dataPath.isEmpty()) {
        err() << "no " << DataFile::FileName
              << " found beside the tool, in ../bin or in ../share/tarnoch; name it: "
                 "tarnoch-data check PACK.txt DATA"
              << Qt::endl;
        return 1;
    }
    const RulesDataLoader::Result data = RulesDataLoader::load(dataPath);
    if (!data.problem.isEmpty()) {
        err() << data.problem << Qt::endl;
        return 1;
    }
    const QList<RulesPack::Problem> problems = RulesPack::check(data.lines, packPath, pack);
    for (const RulesPack::Problem& problem : problems)
        printFault(packPath, problem.line, problem.section, problem.reason);
    return problems.isEmpty() ? 0 : 1;
}

int usage()
{
    err() << "usage: tarnoch-data build SOURCE TARN1.DAT   check and scramble the source\n"
             "       tarnoch-data check FILE [DATA]        check a source or a rules pack\n"
             "       tarnoch-data text TARN1.DAT OUTPUT    unscramble into readable text\n"
             "\n"
             "check: a FILE whose second section holds the generations is a full source and is\n"
             "checked on its own. Any other FILE is a rules pack, checked as the program would\n"
             "merge it into the rules data DATA; without DATA, the first Tarn1.dat found beside\n"
             "the tool, in ../bin (the build's program folder) or in ../share/tarnoch (the\n"
             "installed one). Every fault is printed as FILE:LINE; the exit status is 0 when\n"
             "the file is sound.\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString& command = args[0];

    if (command == u"build" && args.size() == 3) {
        QByteArray source, scrambled;
        return readAll(args[1], source) && compile(args[1], source, scrambled) &&
                       writeAll(args[2], scrambled)
                   ? 0
                   : 1;
    }
    if (command == u"check" && (args.size() == 2 || args.size() == 3)) {
        QByteArray source;
        if (!readAll(args[1], source))
            return 1;
        if (args.size() == 2 && isFullSource(DataSource::parse(source).lines)) {
            QByteArray scrambled;
            return compile(args[1], source, scrambled) ? 0 : 1;
        }
        return checkPack(args[1], source, args.value(2));
    }
    if (command == u"text" && args.size() == 3) {
        const DataFile::ReadResult data = DataFile::read(args[1]);
        if (!data.error.isEmpty()) {
            err() << args[1] << ": " << data.error << Qt::endl;
            return 1;
        }
        QByteArray text;
        for (const QString& line : data.lines)
            text += line.toUtf8() + '\n';
        return writeAll(args[2], text) ? 0 : 1;
    }
    return usage();
}
