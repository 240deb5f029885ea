#include "../support/DataRows.h"
#include "../support/RulesLines.h"
#include "../support/ShippedCharacter.h"
#include "engine/CharacterEditing.h"
#include "engine/CharacterPass.h"
#include "engine/CreationBaseline.h"
#include "engine/ExperienceSpending.h"
#include "engine/VirtueRules.h"
#include "rules/RuleTables.h"
#include "rules/RulesPack.h"

using namespace ExperienceSpending;

namespace {

const QDate Today(2026, 12, 7);

int rating(const Character& c, const QString& name)
{
    const Character::Trait* trait = CreationBaseline::traitAt(c, traitNamed(c, name));
    return trait ? trait->rating : -1;
}

// A neonate at the end of creation: Strength 2, Brawl 2, the clan's first discipline at 1, an
// unrated Auspex row, Resources 1.
Character neonate(const QString& clan = QStringLiteral("Brujah"))
{
    Character c;
    const RuleTables& tables = shippedTables();
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < 10; ++r)
            c.abilities[col][r].name = tables.standardAbility(col, r);
    c.header[5] = clan;
    CharacterEditing::clanSet(c, tables);
    c.rows.DisciplineRows = 5;
    c.disciplines[0].rating = 1;
    c.disciplines[3].name = QStringLiteral("Auspex");
    c.rows.BackgroundRows = 2;
    c.backgrounds[0] = {.name = QStringLiteral("Resources"), .rating = 1};
    c.attributes[0].rating = 2;
    CharacterPass::setRating(c.abilities[0][traitNamed(c, "Brawl").row], 2);
    c.virtueNames = VirtueRules::virtueNames(c.settings.VirtueNames);
    CharacterPass::derive(c);
    return c;
}

QString summary(const Character& c)
{
    QStringList log;
    for (const ExperienceEntry& e : c.experience.log)
        log << (e.earning()
                    ? QStringLiteral("+%1").arg(-e.cost)
                    : QStringLiteral("%1 %2-%3:%4").arg(e.trait).arg(e.from).arg(e.to).arg(e.cost));
    const CharacterExperience& xp = c.experience;
    return QStringLiteral("%1Brawl %2 Strength %3 Auspex %4 Resources %5 | %6/%7/%8 | %9")
        .arg(xp.creationFinished ? "" : "creating ")
        .arg(rating(c, "Brawl"))
        .arg(rating(c, "Strength"))
        .arg(rating(c, "Auspex"))
        .arg(rating(c, "Resources"))
        .arg(xp.earned())
        .arg(xp.spent())
        .arg(xp.left())
        .arg(log.join(u", "));
}

// One step of a script: "finish", "reopen", "earn 5", "take 2" (a log entry), "leave" (raising
// backgrounds allowed), "starting 15", or "Brawl=3".
QString run(Character& c, const QString& step)
{
    const QStringList words = step.split(u' ');
    const ExperienceChart& chart = shippedTables().XpChart;
    Outcome outcome{true};
    if (step == u"finish")
        outcome = finishCreation(c);
    else if (step == u"reopen")
        outcome = reopenCreation(c);
    else if (step == u"leave")
        c.experience.options.XpBackgroundsRule = true;
    else if (words[0] == u"starting")
        c.experience.options.StartingXpEdit = words[1];
    else if (words[0] == u"earn")
        outcome = earn(c, words[1].toInt(), words.mid(2).join(u' '), Today);
    else if (words[0] == u"take")
        outcome = takeBack(c, words[1].toInt());
    else {
        const QStringList set = step.split(u'=');
        outcome = setRating(c, chart, traitNamed(c, set[0]), set[1].toInt(), Today);
    }
    CharacterPass::derive(c);
    return outcome.message;
}

} // namespace

// Experience after creation: the chart from the rules data, and the operations on the log.
class TestExperience : public QObject
{
    Q_OBJECT

private slots:
    // The price of a raise from the revised chart, one line changed by a pack, and backgrounds
    // priced by their rules option.
    void chart_data()
    {
        columns<QString, QString, int, int, QString, int>(
            {"clan", "trait", "from", "to", "pack", "cost"});
        dataRow("attribute", "Brujah", "Strength", 2, 3, "", 8);
        dataRow("attribute two dots", "Brujah", "Strength", 2, 4, "", 8 + 12);
        dataRow("new ability", "Brujah", "Occult", 0, 1, "", 3);
        dataRow("new ability to 2", "Brujah", "Occult", 0, 2, "", 3 + 2);
        dataRow("ability", "Brujah", "Brawl", 2, 3, "", 4);
        dataRow("new discipline", "Brujah", "Auspex", 0, 1, "", 10);
        dataRow("other discipline", "Brujah", "Auspex", 1, 2, "", 7);
        dataRow("clan discipline", "Brujah", "Celerity", 1, 3, "", 5 + 10);
        dataRow("Caitiff", "Caitiff", "Auspex", 2, 3, "", 12);
        dataRow("virtue", "Brujah", "Conscience", 3, 4, "", 6);
        dataRow("Humanity", "Brujah", "Humanity", 7, 8, "", 14);
        dataRow("Willpower", "Brujah", "Willpower", 5, 6, "", 5);
        dataRow("background without leave", "Brujah", "Resources", 1, 2, "", -1);
        dataRow("background with leave", "Brujah", "Resources", 1, 3, "leave", 3 + 6);
        dataRow("pack changes attributes", "Brujah", "Strength", 2, 3, "Attribute: current x 5",
                10);
        dataRow("pack leaves abilities", "Brujah", "Brawl", 2, 3, "Attribute: current x 5", 4);
        dataRow("pack prices new disciplines", "Brujah", "Auspex", 0, 2, "new DISCIPLINE: 8",
                8 + 7);
    }
    // A chart line as the rules data may write it: "kind: price" or "kind: current x factor".
    void chartLine_data()
    {
        columns<QString, int, int, int>({"line", "kind", "fixed", "perCurrent"});
        const int none = -1;
        dataRow("per rating", u"Attribute: current x 4"_qs, int(ExperienceChart::Attribute), 0, 4);
        dataRow("fixed, spaced", u"  new ability :3  "_qs, int(ExperienceChart::NewAbility), 3, 0);
        dataRow("any case, times sign", u"ATTRIBUTE: CURRENT \u00d7 5"_qs,
                int(ExperienceChart::Attribute), 0, 5);
        dataRow("star, no spaces", u"Willpower:current*1"_qs, int(ExperienceChart::Willpower), 0, 1);
        dataRow("no colon", u"Attribute current x 4"_qs, none, 0, 0);
        dataRow("no operator", u"Attribute: current 4"_qs, none, 0, 0);
        dataRow("zero", u"Virtue: 0"_qs, none, 0, 0);
        dataRow("five digits", u"Virtue: 10000"_qs, none, 0, 0);
        dataRow("over the most", u"Virtue: 1001"_qs, none, 0, 0);
        dataRow("words after", u"Virtue: 2 each"_qs, none, 0, 0);
        dataRow("unknown kind", u"Merit: 2"_qs, none, 0, 0);
        dataRow("no kind", u" : 2"_qs, none, 0, 0);
        dataRow("second colon", u"Virtue: current: 2"_qs, none, 0, 0);
    }
    void chartLine()
    {
        const auto [line, kind, fixed, perCurrent] =
            fetch<QString, int, int, int>({"line", "kind", "fixed", "perCurrent"});
        QCOMPARE(ExperienceChart::lineFault(line).has_value(), kind < 0);
        // Read over the revised chart, a line changes its own kind's price and nothing else.
        const ExperienceChart revised, read = ExperienceChart::fromLines({line});
        for (int k = 0; k < ExperienceChart::KindCount; ++k) {
            const auto at = ExperienceChart::Kind(k);
            const ExperienceChart::Price expected =
                k == kind ? ExperienceChart::Price{fixed, perCurrent} : revised.price(at);
            QVERIFY(read.price(at) == expected);
        }
    }

    void chart()
    {
        const auto [clan, trait, from, to, pack, expected] =
            fetch<QString, QString, int, int, QString, int>(
                {"clan", "trait", "from", "to", "pack", "cost"});
        Character c = neonate(clan);
        c.abilities[2][traitNamed(c, "Occult").row].rating = from;
        c.experience.options.XpBackgroundsRule = pack == u"leave";
        RuleTables tables = shippedTables();
        if (!pack.isEmpty() && pack != u"leave") {
            const QString text = QStringLiteral("---\n").repeated(DataGrammar::ChartSection - 1);
            const RulesPack::Result merged = RulesPack::merge(
                shippedRules(), {{"chart.txt", (text + pack + "\n---\n").toUtf8(), {}}});
            QCOMPARE(merged.problems.size(), 0);
            tables.build(merged.lines, false);
        }
        QCOMPARE(cost(c, tables.XpChart, traitNamed(c, trait), from, to).value_or(-1), expected);
    }

    // Scripts of operations: the ratings, earned/spent/left and the log after them, and the
    // refusals met on the way.
    void operations_data()
    {
        columns<QStringList, QString, QStringList>({"steps", "after", "refusals"});
        dataRow("earn, raise, learn, take back",
                QStringList{"finish", "earn 20 session 3", "Brawl=3", "Auspex=1", "take 1"},
                "Brawl 2 Strength 2 Auspex 1 Resources 1 | 20/10/10 | +20, Auspex 0-1:10",
                QStringList{});
        dataRow("too few points", QStringList{"finish", "earn 5", "Strength=3", "Strength=4"},
                "Brawl 2 Strength 2 Auspex 0 Resources 1 | 5/0/5 | +5",
                QStringList{
                    "Raising Strength from 2 to 3 needs 8 points of experience; only 5 are left.",
                    "needs 20 points"});
        dataRow("several dots cost each step", QStringList{"finish", "earn 30", "Brawl=4"},
                "Brawl 4 Strength 2 Auspex 0 Resources 1 | 30/10/20 | +30, Brawl 2-4:10",
                QStringList{});
        dataRow("lowering takes back the last raise",
                QStringList{"finish", "earn 30", "Brawl=3", "Brawl=4", "Brawl=3"},
                "Brawl 3 Strength 2 Auspex 0 Resources 1 | 30/4/26 | +30, Brawl 2-3:4",
                QStringList{});
        dataRow("lowering a raise of two dots",
                QStringList{"finish", "earn 30", "Brawl=4", "Brawl=3"},
                "Brawl 2 Strength 2 Auspex 0 Resources 1 | 30/0/30 | +30", QStringList{});
        dataRow("not below creation", QStringList{"finish", "earn 30", "Brawl=3", "Brawl=1"},
                "Brawl 3 Strength 2 Auspex 0 Resources 1 | 30/4/26 | +30, Brawl 2-3:4",
                QStringList{"Brawl was 2 when creation was finished"});
        dataRow("taking back out of order",
                QStringList{"finish", "earn 40", "Brawl=3", "Strength=3", "Brawl=4", "take 1"},
                "Brawl 2 Strength 3 Auspex 0 Resources 1 | 40/8/32 | +40, Strength 2-3:8",
                QStringList{});
        dataRow(
            "earnings spent stay",
            QStringList{"finish", "earn 10", "earn 5", "Strength=3", "Brawl=3", "take 1", "take 0"},
            "Brawl 3 Strength 3 Auspex 0 Resources 1 | 15/12/3 | +10, +5, Strength 2-3:8, Brawl "
            "2-3:4",
            QStringList{"Taking back these 5 points would leave -2", "leave -7"});
        dataRow("reopened only while nothing is spent",
                QStringList{"finish", "earn 10", "Brawl=3", "reopen", "take 1", "reopen"},
                "creating Brawl 2 Strength 2 Auspex 0 Resources 1 | 10/0/10 | +10",
                QStringList{"Creation cannot be taken back while experience is spent (4 points)"});
        dataRow("backgrounds with leave",
                QStringList{"finish", "earn 20", "Resources=2", "leave", "Resources=2"},
                "Brawl 2 Strength 2 Auspex 0 Resources 2 | 20/3/17 | +20, Resources 1-2:3",
                QStringList{"only with the Storyteller's leave"});
        dataRow("starting experience", QStringList{"starting 15", "finish", "Strength=3"},
                "Brawl 2 Strength 3 Auspex 0 Resources 1 | 15/8/7 | Strength 2-3:8", QStringList{});
        dataRow("not before finishing", QStringList{"earn 10", "Brawl=3"},
                "creating Brawl 2 Strength 2 Auspex 0 Resources 1 | 10/0/10 | +10",
                QStringList{"once creation is finished"});
        dataRow("earning nothing", QStringList{"finish", "earn 0", "earn -4"},
                "Brawl 2 Strength 2 Auspex 0 Resources 1 | 0/0/0 | ",
                QStringList{"whole number from 1", "whole number from 1"});
    }
    void operations()
    {
        const auto [steps, after, refusals] =
            fetch<QStringList, QString, QStringList>({"steps", "after", "refusals"});
        Character c = neonate();
        QStringList met;
        for (const QString& step : steps)
            if (const QString message = run(c, step); !message.isEmpty())
                met << message;
        QCOMPARE(summary(c), after);
        QCOMPARE(met.size(), refusals.size());
        for (int i = 0; i < met.size(); ++i)
            QVERIFY2(met[i].contains(refusals[i]), qPrintable(met[i]));
    }

    // Once finished, the red dots and the tallies stay as creation left them, Humanity and
    // Willpower no longer follow the virtues, and a sheet that changed ratings in place is
    // charged or put back.
    void creationIsFrozen()
    {
        Character c = neonate();
        c.attributes[0].rating = c.attributes[1].rating = 5; // beyond the allowance: red dots
        CharacterPass::derive(c);
        const Character created = c;
        QCOMPARE(c.attributes[1].freebies, 1);
        QVERIFY(finishCreation(c).done);
        run(c, "earn 40");
        run(c, "Conscience=3");
        run(c, "Stamina=3");
        QCOMPARE(c.attributes[1].freebies, 1);
        QCOMPARE(c.attributes[2].freebies, 0);
        QCOMPARE(c.attributeTallies, created.attributeTallies);
        QCOMPARE(c.virtueTally, created.virtueTally);
        QCOMPARE(c.freebieTally, created.freebieTally);
        QCOMPARE(c.humanity.rating, created.humanity.rating);
        QCOMPARE(c.virtues[0].freebies, 0);

        Character sheet = c;
        sheet.attributes[3].rating = 3;                            // Charisma 1 -> 3: 4 + 8
        sheet.abilities[0][traitNamed(c, "Brawl").row].rating = 5; // 4 + 6 + 8 is more than is left
        const QStringList messages = reconcile(sheet, shippedTables().XpChart, Today);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Raising Brawl from 2 to 5 needs 18 points"),
                 qPrintable(messages[0]));
        QCOMPARE(rating(sheet, "Charisma"), 3);
        QCOMPARE(rating(sheet, "Brawl"), 2);
        QCOMPARE(sheet.experience.log.last().cost, 12);
    }

    // Emptying a row moves the rows below it up: they keep their account by their names.
    void rowsMovingUp()
    {
        Character c = neonate();
        c.disciplines[4] = {.name = QStringLiteral("Dominate"), .rating = 1};
        c.rows.DisciplineRows = 6;
        CharacterPass::derive(c);
        QCOMPARE(c.disciplines[4].freebies, 1);
        run(c, "finish");
        run(c, "earn 20");
        run(c, "Dominate=2");
        c.disciplines[3].name.clear(); // Auspex, never rated
        QVERIFY(CharacterPass::keepRows({&c.disciplines}, c.rows.DisciplineRows, 3, {}));
        QCOMPARE(c.disciplines[3].name, QStringLiteral("Dominate"));
        QCOMPARE(reconcile(c, shippedTables().XpChart, Today), QStringList());
        CharacterPass::derive(c);
        QCOMPARE(c.disciplines[3].rating, 2);
        QCOMPARE(c.disciplines[3].freebies, 1);
        QCOMPARE(summary(c),
                 "Brawl 2 Strength 2 Auspex -1 Resources 1 | 20/7/13 | +20, Dominate 1-2:7");
        run(c, "Dominate=1");
        QCOMPARE(c.experience.spent(), 0);
    }
};

QTEST_GUILESS_MAIN(TestExperience)
#include "tst_experience.moc"
