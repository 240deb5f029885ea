#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/RulesLines.h"
#include "rules/RulesPack.h"
#include "rules/TextRoutines.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

using Sections = QMap<int, QStringList>;

const QString Book = QStringLiteral("*9101Homebrew");

// A pack with the given sections and no notes: section k's first line is line k.
QByteArray packText(const Sections& content)
{
    return withSections(content).join(u'\n').toUtf8() + '\n';
}

QStringList clan(const QString& name)
{
    return {name, "Auspex", "Fortitude", "Gloaming", "Lamp keepers.", "Light hurts."};
}

QStringList disciplines(int count, const QString& prefix)
{
    if (count == 0)
        return {};
    QStringList lines{Book};
    for (int i = 0; i < count; ++i)
        lines += {QStringLiteral("%1 %2").arg(prefix).arg(i), QStringLiteral("1: Power")};
    return lines;
}

} // namespace

// The rules data file read and checked, and the rules packs merged into it.
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

    // The files' code page both ways: every byte comes back as it was, the five bytes the code
    // page leaves out as the control characters of their numbers, and a character it cannot
    // hold as "?".
    void windows1252()
    {
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every.append(char(b));
        const QString text = TextRoutines::fromWindows1252(every);
        QCOMPARE(text.size(), 256);
        QCOMPARE(TextRoutines::toWindows1252(text), every);
        QCOMPARE(text.mid(0x80, 3), u"\u20ac\u0081\u201a"_qs);
        QCOMPARE(text.at(0x9f), QChar(0x0178));
        QCOMPARE(text.at(0xe9), QChar(0x00e9));
        QCOMPARE(TextRoutines::toWindows1252(u"Ω\u0080x"_qs), QByteArray("??x"));
    }

    void lineKinds()
    {
        QVERIFY(!DataFile::isHeader(""));
        QVERIFY(!DataFile::isSectionEnd("\n---"));
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
    void leadingNumber() { QTEST(DataFile::leadingNumber(column<QString>("line")), "number"); }

    void scramblingRoundTripsAnyBytes()
    {
        QByteArray bytes(1000, Qt::Uninitialized);
        QRandomGenerator(72).fillRange(reinterpret_cast<quint32*>(bytes.data()), 250);
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
        dataRow("specialty without its trait", "Wits: Ambushes", "Ambushes", 18, "specialty line");
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
        // Every cut of the file is refused without reading past its end, but the one that
        // leaves out the optional last section.
        qsizetype required = 0;
        for (int ends = 0; ends < DataGrammar::RequiredSections; ++required)
            ends += DataFile::isSectionEnd(lines[required]) ? 1 : 0;
        for (qsizetype n = 0; n < lines.size(); ++n)
            QVERIFY2(bool(DataGrammar::check(lines.mid(0, n))) == (n != required),
                     qPrintable(QString::number(n)));
        // After the specialties a line begins the experience chart; after its end nothing.
        QCOMPARE(DataGrammar::check(lines + QStringList{"trailing"})->section,
                 DataGrammar::ChartSection);
        const QStringList charted = lines + QStringList{"Willpower: current x 2", "---"};
        QVERIFY(!DataGrammar::check(charted));
        QCOMPARE(DataGrammar::check(charted + QStringList{"trailing"})->section, 0);
        QCOMPARE(DataGrammar::check(lines.first(required) + QStringList{"Wits: Ambushes"})->section,
                 18);
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

    void mergePlacesEachSectionBeforeItsEnd()
    {
        const Sections first{{1, QStringList{Book} + clan("Lamplighters")},
                             {14, {Book, "Keen Night Eyes (1)"}},
                             {16, {"Keen Night Eyes (1)", "Short (1)"}}};
        const Sections second{{3, {"*9102Other", "Watchman"}},
                              {14, {"*9102Other", "Street Memory (2)"}}};
        // The base has no experience chart: the second pack's becomes its last section.
        const QByteArray secondText = packText(second) + "---\nAttribute: current x 5\n---\n";
        const RulesPack::Result result = RulesPack::merge(
            smallRules(), {{"a.txt", packText(first), {}}, {"b.txt", secondText, {}}});
        QVERIFY(result.problems.isEmpty());
        QCOMPARE(result.mergedFiles, (QStringList{"a.txt", "b.txt"}));

        const QList<QStringList> base = splitSections(smallRules());
        const QList<QStringList> merged = splitSections(result.lines);
        QCOMPARE(base.size(), DataGrammar::SpecialtiesSection);
        QCOMPARE(merged.size(), DataGrammar::ChartSection);
        for (int s = 1; s < merged.size(); ++s)
            QCOMPARE(merged[s - 1], base[s - 1] + first.value(s) + second.value(s));
        QCOMPARE(merged.last(), QStringList{"Attribute: current x 5"});
    }

    void refusals_data()
    {
        columns<QByteArray, int, int, QString>({"pack", "section", "line", "reason"});
        dataRow("shipped clan", packText({{1, QStringList{Book} + clan("Brujah")}}), 1, 2,
                "clan name is used twice (first given in the rules data, line 2)");
        dataRow("clan cut short", packText({{1, {Book, "Lamplighters", "Auspex"}}}), 1, 3,
                "cut short");
        dataRow("shipped merit", packText({{14, {Book, "baby face (2)"}}}), 14, 15,
                "\"baby face (2)\" is already defined");
        dataRow("record outside a book", packText({{3, {"Loner"}}}), 3, 3, "only book blocks");
        dataRow("generations", packText({{2, {"16th"}}}), 2, 2, "cannot add");
        dataRow("header form", packText({{14, {"*91Bad", "New (1)"}}}), 14, 14, "four-digit");
        dataRow("header among pairs", packText({{16, {Book, "A (1)", "B (1)"}}}), 16, 16,
                "no book header");
        dataRow("not Windows-1252", packText({{14, {Book, "Snow \u2603 (1)"}}}), 14, 15,
                "Windows-1252");
        dataRow("sections missing", QByteArray("# notes\n---\n---\n"), 3, 3, "ends in section 3");
        dataRow("specialties", packText({}) + "\n# note\nstray\n", 18, 20, "cannot add");
        const QByteArray chartPack = packText({}) + "---\n";
        dataRow("lines after the end", chartPack + "Willpower: 2\n---\nstray\n", 0, 21,
                "nothing may follow");
        dataRow("chart line", chartPack + "Attribute: 4 per dot\n---\n", 19, 19,
                "a chart line is a kind of trait");
        dataRow("chart without its end", chartPack + "Willpower: 2\n", 19, 19,
                "ends in section 19");
    }
    void refusals()
    {
        const auto [pack, section, line, reason] =
            fetch<QByteArray, int, int, QString>({"pack", "section", "line", "reason"});
        const QList<RulesPack::Problem> problems = RulesPack::check(smallRules(), "p.txt", pack);
        QVERIFY(!problems.isEmpty());
        QCOMPARE(problems[0].section, section);
        QCOMPARE(problems[0].line, line);
        QVERIFY2(problems[0].reason.contains(reason), qPrintable(problems[0].reason));
    }

    void faultyPacksAreLeftOutWhole()
    {
        const QByteArray sound = packText(
            {{1, QStringList{Book} + clan("Lamplighters")}, {14, {Book, "Keen Night Eyes (1)"}}});
        const QByteArray clash = packText({{1, QStringList{"*9102Copy"} + clan("lamplighters")},
                                           {15, {"*9102Copy", "Lamp-Blind (2)"}}});
        const QByteArray other = packText({{15, {"*9103Third", "Moth (1)"}}});
        const RulesPack::Result result =
            RulesPack::merge(smallRules(), {{"a.txt", sound, {}},
                                            {"b.txt", clash, {}},
                                            {"c.txt", {}, "Permission denied"},
                                            {"d.txt", other, {}}});
        QCOMPARE(result.mergedFiles, (QStringList{"a.txt", "d.txt"}));
        QCOMPARE(result.problems.size(), 2);
        QCOMPARE(result.problems[0].text(),
                 "b.txt, section 1 (Clans), line 2: the clan name is used twice "
                 "(first given in \"a.txt\", line 2)");
        QCOMPARE(result.problems[1].text(), "c.txt: the file cannot be read: Permission denied");
        QVERIFY(result.lines.contains("Keen Night Eyes (1)"));
        QVERIFY(!result.lines.contains("Lamp-Blind (2)"));
        QVERIFY(result.lines.contains("Moth (1)"));
        const QString message = RulesPack::message(result.problems);
        QVERIFY(message.contains("b.txt") && message.contains("c.txt"));
    }

    // The small data holds 6 disciplines; packs may bring the whole to 60, not 61.
    void sixtyDisciplinesInAll_data()
    {
        columns<int, int, QStringList>({"first", "second", "merged"});
        QTest::newRow("54 in one pack") << 54 << 0 << QStringList{"a.txt", "b.txt"};
        QTest::newRow("55 in one pack") << 55 << 0 << QStringList{"b.txt"};
        QTest::newRow("27 and 28") << 27 << 28 << QStringList{"a.txt"};
    }
    void sixtyDisciplinesInAll()
    {
        const auto [first, second] = fetch<int, int>({"first", "second"});
        const RulesPack::Result result = RulesPack::merge(
            smallRules(), {{"a.txt", packText({{12, disciplines(first, "First")}}), {}},
                           {"b.txt", packText({{12, disciplines(second, "Second")}}), {}}});
        QTEST(result.mergedFiles, "merged");
        for (const RulesPack::Problem& problem : result.problems)
            QVERIFY2(problem.reason.contains("more than 60"), qPrintable(problem.text()));
    }

    void foldersAreReadInFileNameOrder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("user") && QDir(dir.path()).mkpath("shared"));
        for (const QString& name : {"user/b.txt", "shared/a.txt", "user/c.md", "shared/b.txt"})
            QVERIFY(writeFile(dir.filePath(name), name.toUtf8()));
        const QList<RulesPack::PackFile> packs =
            RulesPack::readFolders({dir.filePath("user"), dir.filePath("shared")});
        QStringList order;
        for (const RulesPack::PackFile& pack : packs)
            order += QString::fromUtf8(pack.bytes);
        QCOMPARE(order, (QStringList{"shared/a.txt", "user/b.txt", "shared/b.txt"}));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
