#include "../support/DataRows.h"
#include "../support/RulesLines.h"
#include "../support/ShippedCharacter.h"
#include "engine/CharacterPass.h"
#include "engine/CreationBaseline.h"
#include "engine/ExperienceSpending.h"
#include "files/CharacterDocument.h"
#include "files/CharacterExtensionBlock.h"
#include "files/CharacterReadResult.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "files/CharacterWriter.h"
#include "files/ExperienceRecord.h"

#include <QJsonArray>
#include <QJsonObject>

Q_DECLARE_METATYPE(CharacterExperience)

namespace {

// Finished with a baseline of two traits, points earned and two raises, notes that hold the
// separators of the text.
CharacterExperience played()
{
    CharacterExperience xp;
    xp.creationFinished = true;
    xp.startingPoints = 15;
    xp.options = {"15", true, "4"};
    xp.tallies = {{"(7/7)", "(5/5)", "(3/3)"},
                  {"(13/13)", "(9/9)", "(5/5)"},
                  "(3/3)",
                  "(5/5)",
                  "(7/7)",
                  "15/15",
                  false};
    xp.baseline = {{{TraitRef::Attribute, 0, 0}, "", 3, 1},
                   {{TraitRef::Ability, 0, 2}, "Brawl", 2, 0}};
    xp.log = {{{}, "", 0, 0, -20, QDate(2026, 12, 7), "session 3\twith a tab"},
              {{TraitRef::Ability, 0, 2}, "Brawl", 2, 3, 4, QDate(2026, 12, 8), "back\\slash"},
              {{TraitRef::Discipline, 0, 3}, "Auspex", 0, 1, 10, {}, "two\nlines"}};
    return xp;
}

// The lines of the character's file.
QStringList fileLines(const Character& c)
{
    return CharacterWriter::lines(CharacterDocument::record(c));
}

// The document after reading lines as Load reads them.
CharacterDocument& opened(CharacterDocument& document, const QStringList& lines)
{
    document.open(CharacterReader::read(lines, QStringLiteral("x.tnc")));
    document.settle();
    return document;
}

} // namespace

// Experience as the file's extension entry carries it, and as the report shows it.
class TestExperienceFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        columns<CharacterExperience>({"experience"});
        dataRow("played", played());
        CharacterExperience creating;
        creating.log = {{{}, "", 0, 0, -5, QDate(2026, 1, 2), ""}};
        creating.options.XpBackgroundsRule = true;
        dataRow("still creating", creating);
    }
    void roundTrip()
    {
        const auto [xp] = fetch<CharacterExperience>({"experience"});
        const QString text = ExperienceRecord::text(xp);
        const ExperienceRecord::Read read = ExperienceRecord::read(text);
        QCOMPARE(read.damagedLine, 0);
        QVERIFY(read.experience == xp);
        QVERIFY(ExperienceRecord::text({}).isEmpty());
    }

    // A line that cannot be read is passed over and the first one noted; the rest stands.
    void damagedLines_data()
    {
        columns<QString, int>({"line", "entries"});
        dataRow("unknown item", "later\t1", 3);
        dataRow("row out of range", "entry\tability\t0\t20\t2\t3\t4\t\tBrawl\t", 3);
        dataRow("raise that gives points", "entry\tability\t0\t2\t2\t3\t-4\t\tBrawl\t", 3);
        dataRow("earning that costs", "entry\tearned\t0\t0\t0\t0\t5\t\t\t", 3);
        dataRow("raise downward", "entry\tvirtue\t0\t1\t4\t3\t6\t\tSelf-Control\t", 3);
        dataRow("too few fields", "entry\tvirtue\t0\t1", 3);
        dataRow("sound", "entry\tvirtue\t0\t1\t3\t4\t6\tnot a date\tSelf-Control\t", 4);
    }
    void damagedLines()
    {
        const auto [line, entries] = fetch<QString, int>({"line", "entries"});
        QStringList lines = ExperienceRecord::text(played()).split(u'\n');
        lines.insert(4, line);
        const ExperienceRecord::Read read = ExperienceRecord::read(lines.join(u'\n'));
        QCOMPARE(read.damagedLine, entries == 3 ? 5 : 0);
        QCOMPARE(read.experience.log.size(), entries);
        QCOMPARE(read.experience.baseline, played().baseline);
    }

    // A Brujah finished, 20 earned, Brawl raised, Auspex learned: saved and loaded, the log,
    // the baseline and the frozen accounting come back; a program that reads only the body sees
    // the ratings as they are now, as a character still in creation; New forgets it all.
    void throughTheFile()
    {
        CharacterDocument document(shippedRules());
        Character c = document.character();
        c.header[0] = QStringLiteral("Mara");
        c.header[5] = QStringLiteral("Brujah");
        opened(document, fileLines(c));
        c = document.character();
        const ExperienceChart& chart = document.tables().XpChart;
        c.abilities[0][traitNamed(c, "Brawl").row].rating = 2;
        opened(document, fileLines(c));
        c = document.character();
        c.disciplines[3].name = QStringLiteral("Auspex"); // the open row
        QVERIFY(ExperienceSpending::finishCreation(c).done);
        ExperienceSpending::earn(c, 20, QStringLiteral("session 3"), QDate(2026, 12, 7));
        QCOMPARE(ExperienceSpending::setRating(c, chart, traitNamed(c, "Brawl"), 3, {}).points, 4);
        QCOMPARE(ExperienceSpending::setRating(c, chart, traitNamed(c, "Auspex"), 1, {}).points,
                 10);
        CharacterPass::derive(c);
        const QStringList lines = fileLines(c);

        const Character& loaded = opened(document, lines).character();
        QVERIFY(loaded.experience == c.experience);
        QCOMPARE(loaded.freebieTally, c.freebieTally);
        QCOMPARE(loaded.abilityTallies, c.abilityTallies);
        QCOMPARE(loaded.disciplines[3].rating, 1);
        const QJsonObject report = CharacterReport::build(loaded, "1.43", {});
        QCOMPARE(report["creation_finished"].toBool(), true);
        QCOMPARE(report["experience"].toObject()["left"].toInt(), 6);

        const qsizetype block = lines.indexOf(CharacterExtensionBlock::Banner);
        QVERIFY(block > 0);
        const Character& older = opened(document, lines.first(block)).character();
        QCOMPARE(older.experience, CharacterExperience());
        QCOMPARE(older.disciplines[3].rating, 1);
        QCOMPARE(older.abilities[0][traitNamed(older, "Brawl").row].rating, 3);
        QCOMPARE(CharacterReport::build(older, "1.43", {})["creation_finished"].toBool(), false);

        opened(document, lines);
        const Character& fresh = opened(document, fileLines(Character())).character();
        QCOMPARE(fresh.experience, CharacterExperience());
    }

    void report()
    {
        const QJsonObject json = ExperienceRecord::report(played());
        QCOMPARE(json["earned"].toInt(), 35);
        QCOMPARE(json["spent"].toInt(), 14);
        QCOMPARE(json["left"].toInt(), 21);
        const QJsonArray log = json["log"].toArray();
        QCOMPARE(log.size(), 3);
        QCOMPARE(log[0].toObject(), (QJsonObject{{"trait", ""},
                                                 {"from", 0},
                                                 {"to", 0},
                                                 {"cost", -20},
                                                 {"note", "session 3\twith a tab"}}));
        QCOMPARE(log[1].toObject()["trait"].toString(), "Brawl");
        QCOMPARE(log[2].toObject()["cost"].toInt(), 10);
    }
};

QTEST_GUILESS_MAIN(TestExperienceFile)
#include "tst_experiencefile.moc"
