#include "../support/RulesLines.h"
#include "engine/RulesCheck.h"
#include "files/CharacterDocument.h"
#include "files/CharacterReadResult.h"
#include "files/CharacterSpecialties.h"
#include "files/ExperienceRecord.h"

#include <QtTest>
#include <functional>

// A character as a file would carry it onto a new sheet, over a sound Brujah.
using Setup = std::function<void(CharacterRecord&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

using Trait = CharacterRecord::Trait;

QList<Trait> traits(std::initializer_list<Trait> list)
{
    return QList<Trait>(list) << Trait{};
}

} // namespace

// The rules check over a settled character: what each state gives, as rule, row and severity.
class TestRulesCheck : public QObject
{
    Q_OBJECT

    QStringList m_rules;

private slots:
    void initTestCase()
    {
        m_rules = shippedRules();
        QVERIFY(!m_rules.isEmpty());
    }

    void checks_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("sentences"); // of the first checks
        const auto row = [](const char* name, Setup setup, QStringList expected,
                            QStringList sentences = {}) {
            QTest::newRow(name) << setup << expected << sentences;
        };
        row("sound", [](CharacterRecord&) {}, {});
        row("no nature, demeanor or clan",
            [](CharacterRecord& r) { r.Nature = r.Demeanor = r.Clan = QString(); },
            {"missing-choice Nature breach", "missing-choice Demeanor breach",
             "missing-choice Clan breach"});
        row("over-spent, with what bought what",
            [](CharacterRecord& r) {
                r.Strength = 3;
                r.Dexterity = 3;
                r.Stamina = 5; // one dot beyond the seven: 5 points
                r.Merits = QStringList{"Eat Food (1)", {}};
                r.FreebiesEdit = "0";
            },
            {"freebies-overspent FreebieTally breach", "freebie-dots Stamina note",
             "freebie-dots Eat Food (1) note"},
            {"Freebies over-spent by 6: 6 spent of 0.", "Stamina 5: 1 freebie dot, 5 points",
             "Eat Food (1): 1 point"});
        row("within the freebies",
            [](CharacterRecord& r) {
                r.Stamina = 3;
                r.Merits = QStringList{"Eat Food (1)", {}};
            },
            {});
        row("exclusive merit and flaw",
            [](CharacterRecord& r) {
                r.Merits = QStringList{"Baby Face (2)", {}};
                r.Flaws = QStringList{"Monstrous (3)", {}};
            },
            {"exclusive-pair Monstrous (3) breach"},
            {"Baby Face and Monstrous exclude each other."});
        row("flaws over 7",
            [](CharacterRecord& r) {
                r.Flaws = QStringList{"Uneducated (5)", "Monstrous (3)", {}};
            },
            {"flaws-over-7 FlawPanel breach"}, {"Flaws come to 8 points; at most 7 are allowed."});
        row("seven flaw points",
            [](CharacterRecord& r) {
                r.Flaws = QStringList{"Uneducated (5)", "Short (1)", "Deep Sleeper (1)", {}};
            },
            {});
        row("flaw the clan takes off",
            [](CharacterRecord& r) {
                r.Clan = "Ventrue";
                r.Flaws = QStringList{"Prey Exclusion (1)", {}};
            },
            {"clan-merit-flaw Clan note"},
            {"Prey Exclusion (1) was taken off: it does not apply to a Ventrue."});
        row("flaw the clan revalues",
            [](CharacterRecord& r) {
                r.Clan = "Nosferatu";
                r.Flaws = QStringList{"Monstrous (3)", {}};
            },
            {"clan-merit-flaw Clan note"},
            {"Monstrous (3) counts as Monstrous (1) for a Nosferatu."});
        row("entry of a book out of use",
            [](CharacterRecord& r) {
                r.SecondaryAbilities =
                    QList<CharacterRecord::AbilityRow>{{{}, {}, {"Sabbat Lore", 1}}, {}};
            },
            {"book-out-of-use Sabbat Lore breach"},
            {"Sabbat Lore comes from The Players Guide to the Sabbat, which is not in use."});
        row("entries the rules data lacks",
            [](CharacterRecord& r) {
                r.Disciplines =
                    traits({{"Celerity", 0}, {"Potence", 0}, {"Presence", 0}, {"Mind Reading", 1}});
                r.Merits = QStringList{"Lucky Charm (2)", {}};
                r.Path = "Path of Tea";
            },
            {"unknown-entry Mind Reading note", "unknown-entry Path of Tea note",
             "unknown-entry Lucky Charm (2) note"});
        row("Golconda above the generation's limit",
            [](CharacterRecord& r) {
                r.GolcondaOn = true;
                r.GolcondaChoice = 2; // any trait
                r.Strength = 7;
                r.FreebiesEdit = "40";
            },
            {"above-generation-limit Strength note"},
            {"Strength 7 is above 5, the most the 13th generation allows; Golconda lets it be."});
        row("specialty below 4 dots",
            [](CharacterRecord& r) {
                r.Strength = 2;
                r.extension.setText(CharacterSpecialties::Key, "Strength=Iron grip");
            },
            {"specialty-below-4 Strength note"},
            {"Strength 2 has the specialty Iron grip, which counts only from 4 dots."});
        row("experience over-spent",
            [](CharacterRecord& r) {
                CharacterExperience xp;
                xp.log.append({{TraitRef::Attribute, 0, 0}, "Strength", 1, 2, 4, {}, {}});
                r.extension.setText(ExperienceRecord::Key, ExperienceRecord::text(xp));
            },
            {"experience-overspent ExperienceTally breach"},
            {"Experience over-spent by 4: 4 spent of 0 earned."});
        row("elder traits above 5",
            [](CharacterRecord& r) {
                r.ElderRules = true;
                r.StartingGenerationEdit = "10";
                r.Generation = "7th";
                r.Backgrounds = traits({{"Elder Generation", 3}}); // the 7th: ratings up to 6
                r.Strength = 6;
            },
            {"elder-derangements DerangementWarning note"});
    }
    void checks()
    {
        QFETCH(Setup, setup);
        CharacterReadResult read;
        CharacterRecord& r = read.record;
        r.Name = "Kasimir";
        r.Nature = "Architect";
        r.Demeanor = "Bravo";
        r.Clan = "Brujah";
        setup(r);
        if (r.StartingGenerationEdit)
            read.StartingGeneration = r.StartingGenerationEdit->toInt();
        CharacterDocument document(m_rules);
        document.open(read);
        document.settle();
        QStringList found;
        for (const RuleCheck& check : document.character().checks)
            found << check.rule + u' ' + check.row + u' ' +
                         RulesCheck::severityName(check.severity);
        QTEST(found, "expected");
        QFETCH(QStringList, sentences);
        for (qsizetype i = 0; i < sentences.size(); ++i)
            QCOMPARE(document.character().checks[i].text, sentences[i]);
    }
};

QTEST_MAIN(TestRulesCheck)
#include "tst_rulescheck.moc"
