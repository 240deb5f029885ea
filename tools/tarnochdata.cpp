// The rules data tool: checks the readable source and scrambles it into Tarn1.dat,
// or turns a data file back into readable text.
#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"

#include <QCoreApplication>
#include <QFile>
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

// Returns the scrambled file, or an empty array after reporting what is wrong.
bool compile(const QString& sourcePath, QByteArray& scrambled)
{
    QByteArray source;
    if (!readAll(sourcePath, source))
        return false;
    const DataSource::Lines parsed = DataSource::parse(source);
    auto report = [&](qsizetype index, const QString& what) {
        const int at = parsed.sourceLine.isEmpty() ? 1 : parsed.sourceLine[index];
        err() << sourcePath << ':' << at << ": " << what << Qt::endl;
    };
    QByteArray plain;
    qsizetype bad = 0;
    if (!DataFile::joinLines(parsed.lines, plain, &bad)) {
        report(bad, QStringLiteral("the line holds a character that Windows-1252 cannot store"));
        return false;
    }
    if (const auto fault = DataGrammar::check(parsed.lines)) {
        report(fault->line, QStringLiteral("section %1 (%2): %3")
                                .arg(fault->section)
                                .arg(DataGrammar::sectionName(fault->section), fault->rule));
        return false;
    }
    scrambled = DataFile::scramble(plain);
    return true;
}

int usage()
{
    err() << "usage: tarnoch-data build SOURCE TARN1.DAT   check and scramble the source\n"
             "       tarnoch-data check SOURCE             check the source only\n"
             "       tarnoch-data text TARN1.DAT OUTPUT    unscramble into readable text\n";
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
        QByteArray scrambled;
        return compile(args[1], scrambled) && writeAll(args[2], scrambled) ? 0 : 1;
    }
    if (command == u"check" && args.size() == 2) {
        QByteArray scrambled;
        return compile(args[1], scrambled) ? 0 : 1;
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
