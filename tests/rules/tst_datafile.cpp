#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/RulesLines.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestDataFile : public QObject
{
    Q_OBJECT
private slots:
    void splitLines_data()
    {
        columns<QByteArray, QStringList>({"bytes", "lines"});
        // A line ends at CR alone; the text after the last CR is lost.
        dataRow("CR", QByteArray("one\rtwo\r\rlast"), QStringList{"one", "two", ""});
        dataRow("CR LF is not the format", QByteArray("*2002Book\r\n---\r\nx\r\n"),
                QStringList{"*2002Book", "\n---", "\nx"});
        dataRow("Windows-1252", QByteArray("Caf\xe9 \x80\r"), QStringList{u"Café €"_qs});
    }
    void splitLines()
    {
        const auto [bytes, lines] = fetch<QByteArray, QStringList>({"bytes", "lines"});
        QCOMPARE(DataFile::splitLines(bytes), lines);
        QByteArray plain;
        QVERIFY(DataFile::joinLines(lines, plain));
        QCOMPARE(plain, bytes.left(bytes.lastIndexOf('\r') + 1));
    }

    void lineKinds()
    {
        QVERIFY(DataFile::isHeader("*2002Vampire - The Masquerade"));
        QVERIFY(!DataFile::isHeader(""));
        QVERIFY(DataFile::isSectionEnd("---"));
        QVERIFY(!DataFile::isSectionEnd("\n---"));
        QCOMPARE(DataFile::headerTitle("*2002Vampire - The Masquerade"),
                 QStringLiteral("Vampire - The Masquerade"));
        QByteArray plain;
        qsizetype bad = -1;
        QVERIFY(!DataFile::joinLines({"fine", u"snow ☃"_qs}, plain, &bad));
        QCOMPARE(bad, 1);
    }

    void leadingNumber_data()
    {
        columns<QString, int>({"line", "number"});
        dataRow("name", "Celerity", 0);
        dataRow("power", "3: Swiftness", 3);
        dataRow("blanks and sign", "  +2 x", 2);
        dataRow("negative", "-4", -4);
        dataRow("huge", "99999999999999999999", 1000000000);
    }
    void leadingNumber()
    {
        QFETCH(QString, line);
        QTEST(DataFile::leadingNumber(line), "number");
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
        const QByteArray key = DataFile::scramble(QByteArray(144, '\0'));
        QCOMPARE(key.left(72), key.mid(72));
    }

    void sourceDropsCommentsAndBlankLines()
    {
        const DataSource::Lines parsed = DataSource::parse("# note\nBrujah\n\n   \r\nCelerity\r\n");
        QCOMPARE(parsed.lines, (QStringList{"Brujah", "Celerity"}));
        QCOMPARE(parsed.sourceLine, (QList<int>{2, 5}));
    }

    // Each row damages the sound source and names the fault the checker must find.
    void grammarFaults_data()
    {
        // The last line equal to "find" is replaced, or removed for "<drop>".
        columns<QString, QString, int, QString>({"find", "replace", "section", "rule"});
        dataRow("short clan record", "They look dead.", "<drop>", 1, "cut short");
        dataRow("duplicate clan", "Samedi", "Brujah", 1, "clan name is used twice");
        dataRow("header in generations", "Antediluvian", "*2002X", 2, "no book header");
        dataRow("wrong generation", "15th", "16th", 2, "must describe generation 15");
        dataRow("header twice", "Architect", "*2002Vampire - The Masquerade", 3,
                "followed by a record");
        dataRow("29 abilities", "Science", "<drop>", 4, "need 30");
        dataRow("power after header", "Necromancy", "1: Insight", 12,
                "begin with a discipline name");
        dataRow("empty record", "Allies", "", 11, "empty line");
        dataRow("path record short", "Sin 1", "<drop>", 13, "cut short");
        dataRow("star in record", "Rebels and firebrands.", "*bold", 1, "begin with \"*\"");
    }
    void grammarFaults()
    {
        const auto [find, replace, section, rule] =
            fetch<QString, QString, int, QString>({"find", "replace", "section", "rule"});
        QStringList lines = smallRules();
        QVERIFY(!DataGrammar::check(lines));
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
        const QStringList lines = smallRules();
        // Every cut of the file is refused without reading past its end.
        for (qsizetype n = 0; n < lines.size(); ++n)
            QVERIFY2(DataGrammar::check(lines.mid(0, n)), qPrintable(QString::number(n)));
        QCOMPARE(DataGrammar::check(lines + QStringList{"trailing"})->section, 0);
    }

    void loaderNamesFileAndPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Tarn1.dat");
        QVERIFY(RulesDataLoader::load(path).problem.contains("cannot be read"));

        QStringList lines = smallRules();
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
