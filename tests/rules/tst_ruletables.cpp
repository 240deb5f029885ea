#include "../support/DataRows.h"
#include "../support/RulesLines.h"
#include "rules/RuleTables.h"
#include "rules/SourcebookFilter.h"

#include <QRegularExpression>

using namespace SourcebookFilter;

namespace {

const QString Core = QStringLiteral("Vampire - The Masquerade");
const QString Guide = QStringLiteral("Vampire Players Guide");
const QString Brujah = QStringLiteral("Clanbook: Brujah");
const QString Gangrel = QStringLiteral("Clanbook: Gangrel");
const QString Sabbat = QStringLiteral("Guide to the Sabbat");
const QString BlackHand = QStringLiteral("Dirty Secrets of the Black Hand");
const QString CoreHeader = "*2002" + Core, GuideHeader = "*2206" + Guide;

QStringList items(const QString& text)
{
    return text.split(u'|', Qt::SkipEmptyParts);
}

// Lines before a section's first header, book blocks, and a section without headers.
QStringList dataLines()
{
    return items("Loner|*2002" + Core + "|Architect|*2206" + Guide + "|Rebel|Bravo|*2051" + Brujah +
                 "|Firebrand|---|*2002" + Core + "|Short (1)|*3303" + Sabbat +
                 "|Sabbat Merit (2)|*4210" + BlackHand + "|Black Hand Merit (1)|*2052" + Gangrel +
                 "|Wolf Merit (1)|---|Huge Size (4)|Short (1)|---");
}

SortedTextList sorted(const QStringList& texts)
{
    SortedTextList list;
    for (const QString& text : texts)
        list.add(text);
    return list;
}

QList<bool> flags(const SortedTextList& titles, const QStringList& inUse)
{
    QList<bool> result;
    for (const QString& title : titles.items())
        result.append(inUse.contains(title, Qt::CaseInsensitive));
    return result;
}

// One letter per preset label, None to No clanbooks: R red, C caption colour, - black.
QString letters(const PresetColours& c)
{
    QString text;
    for (LabelColour colour : {c.NoneButtonLabel, c.ClassicButtonLabel, c.VampireButtonLabel,
                               c.AllButtonLabel, c.AllClanBookButtonLabel, c.NoClanBookButtonLabel})
        text += colour == LabelColour::Red ? u'R' : colour == LabelColour::Caption ? u'C' : u'-';
    return text;
}

RuleTables built(const QMap<int, QStringList>& content, bool elderRules = false)
{
    RuleTables tables;
    tables.build(withSections(content), elderRules);
    return tables;
}

// Visits every record key of a section with the title of the book block it stands in.
// In section 12 the keys are the discipline names and the powers under their discipline.
template <typename Visit> void forEachKey(int section, const QStringList& lines, Visit visit)
{
    const int length = section == 1 ? 6 : section == 13 ? 12 : 1;
    QString title, discipline;
    for (qsizetype i = 0; i < lines.size();) {
        if (DataFile::isHeader(lines[i])) {
            title = DataFile::headerTitle(lines[i++]);
        } else if (section == 12) {
            if (DataFile::leadingNumber(lines[i]) == 0)
                discipline = lines[i];
            visit(title, discipline + u'/' + lines[i++]);
        } else {
            visit(title, lines[i]);
            i += length;
        }
    }
}

// Every table's entries by the section of the data they come from: a key entry with its
// columns, a discipline with its powers.
QList<QStringList> bySection(const RuleTables& t)
{
    QList<QStringList> sections;
    const auto add = [&](const QStringList& keys, const QList<const QStringList*>& columns = {}) {
        QStringList entries;
        for (qsizetype k = 0; k < keys.size(); ++k) {
            QStringList entry{keys[k]};
            for (const QStringList* column : columns)
                entry << column->value(k, QStringLiteral("(missing)"));
            entries << entry.join(u'/');
        }
        sections << entries;
    };
    add(t.ClanNames.items(), {&t.ClanDiscipline1, &t.ClanDiscipline2, &t.ClanDiscipline3,
                              &t.ClanDescriptions, &t.ClanWeaknesses});
    add(t.GenerationNames, {&t.GenerationTitles, &t.GenerationMaxTraits, &t.GenerationBloodPools,
                            &t.GenerationBloodPerTurn});
    add(t.Archetypes.items());
    add(t.StandardAbilities);
    for (const SortedTextList* list :
         {&t.TalentChoices, &t.SkillChoices, &t.KnowledgeChoices, &t.SecondaryTalents,
          &t.SecondarySkills, &t.SecondaryKnowledges, &t.Backgrounds})
        add(list->items());
    QStringList powers;
    for (qsizetype d = 0; d < t.DisciplineNames.size(); ++d)
        powers << t.DisciplinePowers[d].items().join(u'/');
    add(t.DisciplineNames.items(), {&powers});
    QList<const QStringList*> pathColumns{&t.PathDescriptions};
    for (const QStringList& texts : t.PathLevelTexts)
        pathColumns << &texts;
    add(t.PathNames.items(), pathColumns);
    add(t.Merits.items());
    add(t.Flaws.items());
    add(t.ExclusivePairsFirst, {&t.ExclusivePairsSecond});
    add(t.VirtueSets);
    QStringList specialties;
    for (const QString& trait : QStringList(t.Specialties.keyBegin(), t.Specialties.keyEnd()))
        for (const QString& specialty : t.specialties(trait))
            specialties << trait + QStringLiteral(": ") + specialty;
    specialties.sort();
    add(specialties);
    return sections;
}

} // namespace

// The rule tables built from the data, the shipped data, and the sourcebook filter.
class TestRuleTables : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_shipped.build(shippedRules(), false);
        QCOMPARE(m_shipped.GenerationNames.size(), 13);
    }

    void clansSortWithTheirColumns()
    {
        const RuleTables tables =
            built({{1, {CoreHeader, "Ventrue",       "Dominate", "Fortitude", "Presence",
                        "Kings.",   "Picky eaters.", "brujah",   "Celerity",  "Potence",
                        "Presence", "Rebels.",       "Frenzy.",  GuideHeader, "Lasombra",
                        "Dominate", "Obtenebration", "Potence",  "Shadows.",  "No reflection."}}});
        QCOMPARE(tables.ClanNames.items(), (QStringList{"brujah", "Lasombra", "Ventrue"}));
        QCOMPARE(tables.ClanDiscipline2, (QStringList{"Potence", "Obtenebration", "Fortitude"}));
        QCOMPARE(tables.ClanDescriptions, (QStringList{"Rebels.", "Shadows.", "Kings."}));
        QCOMPARE(tables.ClanWeaknesses,
                 (QStringList{"Frenzy.", "No reflection.", "Picky eaters."}));
        QCOMPARE(tables.clanIndex("Lasombra"), 1);
        QCOMPARE(tables.clanIndex("lasombra"), -1);
    }

    void sameEntryFromTwoBooksOnce()
    {
        const RuleTables tables =
            built({{3, {CoreHeader, "Rebel", "Architect", GuideHeader, "rebel", "Visionary"}},
                   {12,
                    {CoreHeader, "Celerity", "2: Precision", "1: Quickness", "Potence", "1: Might",
                     GuideHeader, "Celerity", "1: Quickness", "1: Ancient Echo"}}});
        QCOMPARE(tables.Archetypes.items(), (QStringList{"Architect", "Rebel", "Visionary"}));
        QCOMPARE(tables.DisciplineNames.items(), (QStringList{"Celerity", "Potence"}));
        QCOMPARE(tables.DisciplinePowers[0].items(),
                 (QStringList{"1: Ancient Echo", "1: Quickness", "2: Precision"}));
        QCOMPARE(tables.disciplineIndex("Potence......"), 1);
        QCOMPARE(tables.disciplineIndex("potence"), -1);
    }

    void fileOrderTables()
    {
        const RuleTables tables =
            built({{16, {"Huge Size (4)", "Short (1)", "Baby Face (2)", "Monstrous (3)"}},
                   {17,
                    {CoreHeader, "Sabbat (Callousness, Instincts & Morale)", GuideHeader,
                     "Human (x, y & z)"}}});
        QCOMPARE(tables.ExclusivePairsFirst, (QStringList{"Huge Size (4)", "Baby Face (2)"}));
        QCOMPARE(tables.ExclusivePairsSecond, (QStringList{"Short (1)", "Monstrous (3)"}));
        QCOMPARE(tables.VirtueSets,
                 (QStringList{"Sabbat (Callousness, Instincts & Morale)", "Human (x, y & z)"}));
    }

    void truncatedLinesStopAtTheEnd()
    {
        // Cut after any line, the sections before the cut are read whole, the cut one as far
        // as it goes (at most one record, cut short, not as in the whole), the later ones not
        // at all.
        const QStringList lines = smallRules();
        RuleTables tables;
        tables.build(lines, false);
        const QList<QStringList> whole = bySection(tables);
        QCOMPARE(tables.specialties("Brawl"), QStringList({"Grappling", "Dirty fighting"}));
        QVERIFY(tables.specialties("Dodge").isEmpty());
        for (qsizetype n = 0; n <= lines.size(); ++n) {
            tables.build(lines.first(n), false);
            const QList<QStringList> read = bySection(tables);
            const qsizetype cut = lines.first(n).count(QStringLiteral("---"));
            for (qsizetype section = 0; section < whole.size(); ++section) {
                const QString at =
                    QStringLiteral("cut after line %1, section %2: ").arg(n).arg(section + 1);
                const QString entries = read[section].join(u'|');
                if (section < cut)
                    QCOMPARE(at + entries, at + whole[section].join(u'|'));
                else if (section > cut)
                    QCOMPARE(at + entries, at);
                else
                    QVERIFY2(std::count_if(read[section].begin(), read[section].end(),
                                           [&](const QString& entry) {
                                               return !whole[section].contains(entry);
                                           }) <= 1 &&
                                 read[section].size() <= whole[section].size(),
                             qPrintable(at + entries));
            }
        }
        // A power line right after a header cannot be credited and is passed over.
        tables.build(withSections({{12, {CoreHeader, "1: Orphan", "Potence", "1: Might"}}}), false);
        QCOMPARE(tables.DisciplineNames.items(), (QStringList{"Potence"}));
        QCOMPARE(tables.DisciplinePowers[0].items(), (QStringList{"1: Might"}));
    }

    // The shipped data: parallel columns line up, and every name one table gives another
    // is found there.
    void shippedTablesAgree()
    {
        const RuleTables& t = m_shipped;
        for (const QStringList* column : {&t.GenerationTitles, &t.GenerationMaxTraits,
                                          &t.GenerationBloodPools, &t.GenerationBloodPerTurn})
            QCOMPARE(column->size(), 13);
        for (int g = 3; g <= 15; ++g)
            QCOMPARE(DataFile::leadingNumber(t.GenerationNames[t.generationRow(g)]), g);
        QCOMPARE(t.StandardAbilities.size(), 30);
        QVERIFY(t.DisciplineNames.size() <= RuleTables::PowerLists);
        for (const QStringList* column :
             {&t.ClanDiscipline1, &t.ClanDiscipline2, &t.ClanDiscipline3, &t.ClanDescriptions,
              &t.ClanWeaknesses})
            QCOMPARE(column->size(), t.ClanNames.size());
        QCOMPARE(t.PathDescriptions.size(), t.PathNames.size());
        QCOMPARE(t.ExclusivePairsFirst.size(), t.ExclusivePairsSecond.size());
        QVERIFY(t.ExclusivePairsFirst.size() >= 25);

        // Clan disciplines can be rated; the free-choice clans name none.
        for (qsizetype c = 0; c < t.ClanNames.size(); ++c)
            for (const QStringList* column :
                 {&t.ClanDiscipline1, &t.ClanDiscipline2, &t.ClanDiscipline3})
                QVERIFY2(t.DisciplineNames.indexOf(column->at(c)) >= 0 ||
                             t.ClanNames.at(c).contains(u"Caitiff"),
                         qPrintable(t.ClanNames.at(c) + ": " + column->at(c)));
        // Powers are numbered. Every power of a discipline of paths names its path or is a
        // ritual, and each path has one power on every level 1 to 5.
        const QStringList pathDisciplines{"Thaumaturgy", "Necromancy", "Koldunic Sorcery"};
        QMap<QString, QString> pathLevels;
        int rituals = 0;
        for (qsizetype d = 0; d < t.DisciplineNames.size(); ++d) {
            QVERIFY2(!t.DisciplinePowers[d].isEmpty(), qPrintable(t.DisciplineNames.at(d)));
            const bool paths = pathDisciplines.contains(t.DisciplineNames.at(d));
            for (const QString& power : t.DisciplinePowers[d].items()) {
                QVERIFY2(DataFile::leadingNumber(power) > 0, qPrintable(power));
                QVERIFY2(!power.endsWith(u"(Ritual)") || paths, qPrintable(power));
                if (!paths || power.endsWith(u"(Ritual)")) {
                    rituals += paths;
                    continue;
                }
                QVERIFY2(power.endsWith(u')'), qPrintable(power));
                pathLevels[t.DisciplineNames.at(d) + power.mid(power.lastIndexOf(u'('))] +=
                    power.left(1);
            }
        }
        QVERIFY(pathLevels.size() >= 20 && rituals >= 10);
        for (auto path = pathLevels.cbegin(); path != pathLevels.cend(); ++path) {
            QString levels = path.value();
            std::sort(levels.begin(), levels.end());
            QVERIFY2(levels == u"12345", qPrintable(path.key() + ": " + levels));
        }

        // Merits and flaws cost 1 to 7 and are never both; a pair is a merit, then a flaw.
        static const QRegularExpression cost(QStringLiteral(" \\(([1-7])\\)$"));
        QVERIFY(t.Merits.size() >= 90 && t.Flaws.size() >= 90);
        for (const SortedTextList* list : {&t.Merits, &t.Flaws})
            for (const QString& entry : list->items())
                QVERIFY2(cost.match(entry).hasMatch(), qPrintable(entry));
        for (const QString& merit : t.Merits.items())
            QVERIFY2(t.Flaws.indexOf(merit) < 0, qPrintable(merit));
        for (qsizetype k = 0; k < t.ExclusivePairsFirst.size(); ++k) {
            QVERIFY2(t.Merits.indexOf(t.ExclusivePairsFirst[k]) >= 0,
                     qPrintable(t.ExclusivePairsFirst[k]));
            QVERIFY2(t.Flaws.indexOf(t.ExclusivePairsSecond[k]) >= 0,
                     qPrintable(t.ExclusivePairsSecond[k]));
        }

        // Virtue sets are listed once, even with every book in use.
        QCOMPARE(QSet<QString>(t.VirtueSets.cbegin(), t.VirtueSets.cend()).size(),
                 t.VirtueSets.size());
    }

    // Every path's description names its virtues; whatever single book is in use, each path
    // it offers comes with that virtue set.
    void shippedPathsFindTheirVirtues()
    {
        const QStringList lines = shippedRules();
        const BookList books = buildBookList(lines);
        static const QRegularExpression virtues(
            QStringLiteral("Virtues: (\\w[\\w-]*), (\\w[\\w-]*) and (\\w[\\w-]*)"));
        int offered = 0;
        for (const QString& book : books.BookTitles.items()) {
            RuleTables t;
            t.build(SourcebookFilter::applySelection(lines, books.BookTitles, sorted({book}))
                        .ActiveLines,
                    false);
            for (qsizetype p = 0; p < t.PathNames.size(); ++p) {
                const auto match = virtues.match(t.PathDescriptions[p]);
                QVERIFY2(match.hasMatch(), qPrintable(t.PathNames.at(p)));
                const QString set =
                    QStringLiteral("(%1, %2 & %3)")
                        .arg(match.captured(1), match.captured(2), match.captured(3));
                QVERIFY2(std::any_of(t.VirtueSets.cbegin(), t.VirtueSets.cend(),
                                     [&](const QString& s) { return s.endsWith(set); }),
                         qPrintable(book + ": " + t.PathNames.at(p)));
                ++offered;
            }
        }
        QVERIFY(offered >= 16);
    }

    // Sixty disciplines, the most the data may hold (the checker refuses more), each keep
    // their own powers.
    void sixtyDisciplines()
    {
        QStringList section{CoreHeader};
        for (int d = 0; d < RuleTables::PowerLists; ++d)
            section << QStringLiteral("Discipline %1").arg(d, 2, 10, QChar(u'0'))
                    << QStringLiteral("1: Power of %1").arg(d);
        const RuleTables tables = built({{12, section}});
        QCOMPARE(tables.DisciplineNames.size(), 60);
        for (int d = 0; d < 60; ++d)
            QCOMPARE(tables.DisciplinePowers[d].items(),
                     QStringList{QStringLiteral("1: Power of %1").arg(d)});
        QCOMPARE(tables.disciplineIndex("Discipline 59....."), 59);
    }

    // Every book keeps one code; the "Vampire" preset's books are those below code 3000 plus
    // Dirty Secrets, so later books need codes of 3000 and above. Within one book a section
    // lists each entry once.
    void shippedBooksAndBlocks()
    {
        const QStringList lines = shippedRules();
        QSet<QString> vampireBooks;
        QMap<QString, QString> codeOfTitle;
        for (const QString& line : lines) {
            if (!DataFile::isHeader(line))
                continue;
            const QString title = DataFile::headerTitle(line);
            QCOMPARE(codeOfTitle.value(title, line.mid(1, 4)), line.mid(1, 4));
            codeOfTitle[title] = line.mid(1, 4);
            if (line < u"*3000" || line == u"*4210Dirty Secrets of the Black Hand")
                vampireBooks.insert(title);
        }
        QCOMPARE(codeOfTitle.value("Vampire - The Masquerade"), "2002");
        QCOMPARE(codeOfTitle.value("Vampire Players Guide"), "2206");
        const QSet<QString> expected = {"Vampire - The Masquerade",
                                        "Vampire Players Guide",
                                        "The Players Guide to the Sabbat",
                                        "Storytellers Handbook to the Sabbat",
                                        "Elysium: The Elder Wars",
                                        "Dirty Secrets of the Black Hand",
                                        "Clanbook: Brujah",
                                        "Clanbook: Gangrel",
                                        "Clanbook: Malkavian",
                                        "Clanbook: Nosferatu",
                                        "Clanbook: Toreador",
                                        "Clanbook: Tremere",
                                        "Clanbook: Ventrue"};
        QCOMPARE(vampireBooks, expected);

        const QList<QStringList> sections = splitSections(lines);
        QCOMPARE(sections.size(), DataGrammar::SectionCount);
        for (int section : {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17}) {
            QHash<QString, QSet<QString>> seen;
            forEachKey(
                section, sections[section - 1], [&](const QString& book, const QString& key) {
                    QVERIFY2(!seen[book].contains(key.toCaseFolded()),
                             qPrintable(
                                 QStringLiteral("section %1, %2: %3").arg(section).arg(book, key)));
                    seen[book].insert(key.toCaseFolded());
                });
        }
    }

    // Names the program's rules look up, and the exclusive pairs of the game as "merit/flaw".
    void shippedEntries_data()
    {
        columns<QString, QString, bool>({"table", "entry", "present"});
        const auto rows = [](const char* table, std::initializer_list<const char*> entries,
                             bool present = true) {
            for (const char* entry : entries)
                QTest::addRow("%s %s", table, entry) << table << entry << present;
        };
        rows("clan",
             {"Caitiff", "Panders (Sabbat Caitiff)", "Nosferatu", "Nosferatu Antitribu", "Samedi",
              "Samedi (Revised)", "Gargoyles", "Ventrue", "Lasombra", "Lasombra Antitribu",
              "Malkavian", "Malkavian Antitribu", "Malkavian (Revised)"});
        rows("merit", {"Baby Face (2)", "Huge Size (4)"});
        rows("flaw",
             {"Child (3)", "Short (1)", "Selective Digestion (2)", "Prey Exclusion (1)",
              "Monstrous (3)", "Disfigured (2)", "Cast No Reflection (2)", "Cast No Reflection (1)",
              "Insane Sire (1)", "Inept (5)", "Unskilled (5)", "Uneducated (5)"});
        rows("background", {"Generation", "Age", "Elder Status"});
        rows("virtues", {"Human (Conscience, Self-Control & Courage)",
                         "Sabbat (Callousness, Instincts & Morale)"});
        rows("pair",
             {"Iron Will (3)/Weak-Willed (3)", "Clan Friendship (3)/Clan Enmity (2)",
              "Huge Size (4)/Short (1)", "Huge Size (4)/Child (3)", "Baby Face (2)/Disfigured (2)",
              "Baby Face (2)/Monstrous (3)", "Luck (3)/Cursed (5)"});
        // A blind character may have acute hearing.
        rows("pair", {"Acute Sense (1)/Blind (6)", "Blush of Health (2)/Smell of the Grave (1)"},
             false);
    }
    void shippedEntries()
    {
        const auto [table, entry] = fetch<QString, QString>({"table", "entry"});
        const RuleTables& t = m_shipped;
        QStringList entries;
        if (table == u"pair") {
            for (qsizetype k = 0; k < t.ExclusivePairsFirst.size(); ++k)
                entries << t.ExclusivePairsFirst[k] + u'/' + t.ExclusivePairsSecond[k];
            QCOMPARE(QSet<QString>(entries.cbegin(), entries.cend()).size(), entries.size());
        } else {
            const QMap<QString, QStringList> tables = {{"clan", t.ClanNames.items()},
                                                       {"merit", t.Merits.items()},
                                                       {"flaw", t.Flaws.items()},
                                                       {"background", t.Backgrounds.items()},
                                                       {"virtues", t.VirtueSets}};
            entries = tables.value(table);
        }
        QTEST(entries.contains(entry), "present");
    }

    void bookList()
    {
        const BookList books = buildBookList(
            dataLines() + items("*2002vampire - the masquerade|*2999Last|*3000After|*300|*3999x"));
        QCOMPARE(books.BookTitles.items(), (QStringList{"", "After", Brujah, Gangrel, BlackHand,
                                                        Sabbat, "Last", Core, Guide, "x"}));
        QCOMPARE(books.ChosenBooks.items(), (QStringList{Core, Guide}));
        // Below "*3000" byte by byte, a prefix counting as smaller, plus the Black Hand.
        QCOMPARE(books.VampireBooks.items(),
                 (QStringList{"", Brujah, Gangrel, BlackHand, "Last", Core, Guide}));
        QVERIFY(buildBookList({"*3000"}).VampireBooks.isEmpty());
    }

    void applySelection_data()
    {
        columns<QStringList, QString>({"chosen", "active"});
        dataRow("no book: lines outside blocks and section ends", QStringList{},
                "Loner|---|---|Huge Size (4)|Short (1)|---");
        dataRow("title differing in case is in use",
                QStringList{"VAMPIRE - the masquerade", "Unknown Book"},
                "Loner|*2002" + Core + "|Architect|---|*2002" + Core +
                    "|Short (1)|---|Huge Size (4)|Short (1)|---");
        dataRow("neighbouring blocks out of use", QStringList{Guide, Gangrel},
                "Loner|*2206" + Guide + "|Rebel|Bravo|---|*2052" + Gangrel +
                    "|Wolf Merit (1)|---|Huge Size (4)|Short (1)|---");
        dataRow("every book", QStringList{Core, Guide, Brujah, Sabbat, BlackHand, Gangrel},
                dataLines().join(u'|'));
    }
    void applySelection()
    {
        const auto [chosen, active] = fetch<QStringList, QString>({"chosen", "active"});
        const BookList books = buildBookList(dataLines());
        const Selection selection =
            SourcebookFilter::applySelection(dataLines(), books.BookTitles, sorted(chosen));
        QCOMPARE(selection.ActiveLines, items(active));
        QCOMPARE(selection.BookInUse, flags(books.BookTitles, chosen));
    }

    void presets_data()
    {
        columns<int, QStringList>({"preset", "chosen"});
        using S = QStringList;
        dataRow("None", int(Preset::None), S{});
        dataRow("Classic", int(Preset::Classic), S{Core, Guide});
        dataRow("Vampire", int(Preset::Vampire), S{Brujah, Gangrel, BlackHand, Core, Guide});
        dataRow("All", int(Preset::All), S{Brujah, Gangrel, BlackHand, Sabbat, Core, Guide});
        dataRow("All clanbooks", int(Preset::AllClanbooks),
                S{Brujah, Gangrel, Sabbat, Core, Guide});
        dataRow("No clanbooks", int(Preset::NoClanbooks), S{Sabbat, Core, Guide});
    }
    void presets()
    {
        const auto [preset, chosen] = fetch<int, QStringList>({"preset", "chosen"});
        const BookList books = buildBookList(dataLines());
        const QList<bool> start = flags(books.BookTitles, {Core, Guide, Brujah, Sabbat});
        const Choice choice =
            applyPreset(Preset(preset), books.BookTitles, start, books.VampireBooks);
        QCOMPARE(choice.ChosenBooks.items(), chosen);
        QCOMPARE(choice.BookInUse, flags(books.BookTitles, chosen));
        QCOMPARE(choice.applyNow, preset == int(Preset::Vampire));
    }

    void toggleRebuildsTheChoiceFromTheTicks()
    {
        const BookList books = buildBookList(dataLines());
        const Choice choice = toggleBook(books.BookTitles, flags(books.BookTitles, {Core}), 0);
        QCOMPARE(choice.ChosenBooks.items(), (QStringList{Brujah, Core}));
        QVERIFY(!choice.applyNow);
        const qsizetype core = books.BookTitles.find(Core);
        QCOMPARE(toggleBook(books.BookTitles, choice.BookInUse, core).ChosenBooks.items(),
                 (QStringList{Brujah}));
    }

    void labelColours_data()
    {
        columns<QStringList, QStringList, QString>({"titles", "chosen", "colours"});
        const QStringList core{Core, Guide};
        const QStringList four{Brujah, Sabbat, Core, Guide};
        dataRow("no clanbook in the data", core, core, "-R-RCC");
        dataRow("exactly the core books", four, core, "-R---C");
        dataRow("a third book darkens Classic", four, core + QStringList{Sabbat}, "-----C");
        dataRow("nothing", four, QStringList{}, "R----C");
        dataRow("everything", four, four, "---RC-");
        dataRow("the Vampire line", four, QStringList{Brujah, Core, Guide}, "--R-C-");
        dataRow("only a book this data lacks", core, QStringList{"Lost"}, "R---CC");
    }
    void labelColours()
    {
        const auto [titles, chosen] = fetch<QStringList, QStringList>({"titles", "chosen"});
        const SortedTextList bookTitles = sorted(titles);
        const PresetColours result = presetLabelColours(
            bookTitles, flags(bookTitles, chosen), sorted(chosen), sorted({Brujah, Core, Guide}));
        QTEST(letters(result), "colours");
    }

    void sixtyBooksBuildTables()
    {
        const QStringList lines = sourceLines(QStringLiteral("sixty-books.txt"));
        QVERIFY(!DataGrammar::check(lines));
        const BookList books = buildBookList(lines);
        QCOMPARE(books.BookTitles.size(), 60);
        const Choice all = applyPreset(Preset::All, books.BookTitles, {}, books.VampireBooks);
        RuleTables tables;
        tables.build(
            SourcebookFilter::applySelection(lines, books.BookTitles, all.ChosenBooks).ActiveLines,
            false);
        QCOMPARE(tables.Archetypes.size(), 60);
        QCOMPARE(tables.Merits.size(), 60);
    }

private:
    RuleTables m_shipped;
};

QTEST_GUILESS_MAIN(TestRuleTables)
#include "tst_ruletables.moc"
