#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"
#include "rules/RulesDataLoader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList smallSource()
{
    QFile file(QStringLiteral(TARNOCH_SOURCE_DIR "tests/rules/small-rules.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DataSource::parse(file.readAll()).lines;
}

QByteArray scrambledFile(const QStringList& lines)
{
    QByteArray plain;
    if (!DataFile::joinLines(lines, plain))
        return {};
    return DataFile::scramble(plain);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
private slots:
    void linesEndAtCrOnly()
    {
        const QStringList lines = DataFile::splitLines(QByteArrayView("one\rtwo\r\rlast"));
        QCOMPARE(lines, (QStringList{"one", "two", ""}));
    }

    void crLfIsNotTheFormat()
    {
        const QStringList lines = DataFile::splitLines(QByteArrayView("*2002Book\r\n---\r\nx\r\n"));
        QCOMPARE(lines.size(), 3);
        QVERIFY(DataFile::isHeader(lines[0]));
        QVERIFY(!DataFile::isSectionEnd(lines[1]));
        QCOMPARE(lines[1], QStringLiteral("\n---"));
    }

    void textIsWindows1252()
    {
        const QStringList lines = DataFile::splitLines(QByteArrayView("Caf\xe9 \x80\r"));
        QCOMPARE(lines.value(0), QString::fromUtf8("Café €"));
        QByteArray plain;
        QVERIFY(DataFile::joinLines(lines, plain));
        QCOMPARE(plain, QByteArray("Caf\xe9 \x80\r"));
        qsizetype bad = -1;
        QVERIFY(!DataFile::joinLines({"fine", QString::fromUtf8("snow ☃")}, plain, &bad));
        QCOMPARE(bad, 1);
    }

    void scramblingRoundTripsAnyBytes()
    {
        QByteArray bytes(1000, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(QRandomGenerator::global()->bounded(256));
        const QByteArray scrambled = DataFile::scramble(bytes);
        QVERIFY(scrambled != bytes);
        QCOMPARE(DataFile::scramble(scrambled), bytes);
        // The key repeats every 72 bytes.
        const QByteArray zeros(144, '\0');
        const QByteArray key = DataFile::scramble(zeros);
        QCOMPARE(key.left(72), key.mid(72));
    }

    void readingTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tarn1.dat");
        // The last line has no CR and is lost.
        QVERIFY(writeFile(path, DataFile::scramble("first\rsecond\rno end")));
        const DataFile::ReadResult once = DataFile::read(path);
        QVERIFY(once.error.isEmpty());
        QCOMPARE(once.lines, (QStringList{"first", "second"}));
        QCOMPARE(DataFile::read(path).lines, once.lines);

        const DataFile::ReadResult missing = DataFile::read(dir.filePath("none.dat"));
        QVERIFY(!missing.error.isEmpty());
        QVERIFY(missing.lines.isEmpty());
    }

    void headersAndNumbers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number");
        QTest::newRow("name") << "Celerity" << 0;
        QTest::newRow("power") << "3: Swiftness" << 3;
        QTest::newRow("blanks and sign") << "  +2 x" << 2;
        QTest::newRow("negative") << "-4" << -4;
        QTest::newRow("zero") << "0 Null" << 0;
        QTest::newRow("huge") << "99999999999999999999" << 1000000000;
    }
    void headersAndNumbers()
    {
        QFETCH(QString, line);
        QFETCH(int, number);
        QCOMPARE(DataFile::leadingNumber(line), number);
    }

    void headerTitle()
    {
        QVERIFY(DataFile::isHeader("*2002Vampire - The Masquerade"));
        QVERIFY(!DataFile::isHeader(""));
        QCOMPARE(DataFile::headerTitle("*2002Vampire - The Masquerade"),
                 QStringLiteral("Vampire - The Masquerade"));
    }

    void sourceDropsCommentsAndBlankLines()
    {
        const DataSource::Lines parsed = DataSource::parse("# note\nBrujah\n\n   \r\nCelerity\r\n");
        QCOMPARE(parsed.lines, (QStringList{"Brujah", "Celerity"}));
        QCOMPARE(parsed.sourceLine, (QList<int>{2, 5}));
    }

    void smallSourceIsSound()
    {
        const QStringList lines = smallSource();
        QVERIFY(!lines.isEmpty());
        const auto fault = DataGrammar::check(lines);
        QVERIFY2(!fault, fault ? qPrintable(fault->rule) : "");
    }

    // Each row damages the sound source and names the fault the checker must find.
    void grammarFaults_data()
    {
        QTest::addColumn<QString>("find");    // the last line equal to this is changed
        QTest::addColumn<QString>("replace"); // "<drop>" removes it, "<dup>" doubles it
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("rule");
        QTest::newRow("short clan record") << "They look dead." << "<drop>" << 1 << "cut short";
        QTest::newRow("duplicate clan") << "Samedi" << "Brujah" << 1 << "clan name is used twice";
        QTest::newRow("header in generations") << "Antediluvian" << "*2002X" << 2
                                               << "no book header";
        QTest::newRow("wrong generation") << "15th" << "16th" << 2 << "must describe generation 15";
        QTest::newRow("header twice") << "Architect" << "*2002Vampire - The Masquerade" << 3
                                      << "followed by a record";
        QTest::newRow("29 abilities") << "Science" << "<drop>" << 4 << "need 30";
        QTest::newRow("power after header") << "Necromancy" << "1: Insight" << 12
                                            << "begin with a discipline name";
        QTest::newRow("empty record") << "Allies" << "" << 11 << "empty line";
        QTest::newRow("path record short") << "Sin 1" << "<drop>" << 13 << "cut short";
        QTest::newRow("star in record") << "Rebels and firebrands." << "*bold" << 1 << "begin with \"*\"";
    }
    void grammarFaults()
    {
        QFETCH(QString, find);
        QFETCH(QString, replace);
        QFETCH(int, section);
        QFETCH(QString, rule);
        QStringList lines = smallSource();
        const qsizetype at = lines.lastIndexOf(find);
        QVERIFY(at >= 0);
        if (replace == u"<drop>")
            lines.removeAt(at);
        else
            lines[at] = replace;
        const auto fault = DataGrammar::check(lines);
        QVERIFY(fault);
        QCOMPARE(fault->section, section);
        QVERIFY2(fault->rule.contains(rule), qPrintable(fault->rule));
    }

    void missingSectionEndAndTruncation()
    {
        const QStringList lines = smallSource();
        // Every cut of the file is refused without reading past its end.
        for (qsizetype n = 0; n < lines.size(); ++n)
            QVERIFY2(DataGrammar::check(lines.mid(0, n)), qPrintable(QString::number(n)));
        QStringList extra = lines;
        extra.append("trailing");
        QCOMPARE(DataGrammar::check(extra)->section, 0);
    }

    void tooManyDisciplines()
    {
        QStringList lines = smallSource();
        const qsizetype at = lines.lastIndexOf("Thanatosis");
        for (int i = 0; i < 25; ++i)
            lines.insert(at, QStringLiteral("Invented %1").arg(i));
        const auto fault = DataGrammar::check(lines);
        QVERIFY(fault);
        QCOMPARE(fault->section, 12);
        QVERIFY(fault->rule.contains("more than 30"));
    }

    void loaderNamesFileAndPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tarn1.dat");
        QVERIFY(RulesDataLoader::load(path).problem.contains("cannot be read"));

        QStringList lines = smallSource();
        QVERIFY(writeFile(path, scrambledFile(lines)));
        const RulesDataLoader::Result good = RulesDataLoader::load(path);
        QVERIFY(good.problem.isEmpty());
        QCOMPARE(good.lines, lines);

        lines.removeAll("---");
        QVERIFY(writeFile(path, scrambledFile(lines)));
        const RulesDataLoader::Result bad = RulesDataLoader::load(path);
        QVERIFY(bad.lines.isEmpty());
        QVERIFY(bad.problem.contains(path));
        QVERIFY2(bad.problem.contains("Section 1 (Clans), line"), qPrintable(bad.problem));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
