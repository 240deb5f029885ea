#include "CharacterReport.h"

#include "engine/RulesCheck.h"
#include "files/ExperienceRecord.h"
#include "rules/TextRoutines.h"

#include <QJsonArray>

using TextRoutines::StripDots;
using Trait = Character::Trait;

namespace {

// An empty row whose first dot is always free stores -1 red dots; it shows none.
QJsonObject rated(const Trait& trait)
{
    return {{"rating", trait.rating}, {"freebies", std::max(0, trait.freebies)}, {"max", trait.maxDots}};
}

// An attribute or ability also names its specialty, and whether the rating lets it count.
QJsonObject specialized(const Trait& trait)
{
    QJsonObject object = rated(trait);
    object.insert("specialty", trait.specialty);
    object.insert("specialty_counts", trait.specialtyCounts());
    return object;
}

// The rows in use of one column, without empty ones (the open row among them); the ten
// standard abilities always count.
QJsonArray rows(const Character::Rows& list, int count, int alwaysShown = 0,
                QJsonObject (*values)(const Trait&) = rated)
{
    QJsonArray array;
    for (int r = 0; r < count; ++r) {
        const QString name = StripDots(list[r].name);
        if (r < alwaysShown || list[r].rating > 0 || !name.isEmpty()) {
            QJsonObject row = values(list[r]);
            row.insert("name", name);
            array.append(row);
        }
    }
    return array;
}

QJsonArray entries(const std::array<QString, SheetLayout::RowsPerGroup>& list, int count)
{
    QJsonArray array;
    for (int r = 0; r < count; ++r)
        if (const QString entry = StripDots(list[r]); !entry.isEmpty())
            array.append(entry);
    return array;
}

} // namespace

QJsonArray CharacterReport::checks(const std::vector<RuleCheck>& list)
{
    QJsonArray array;
    for (const RuleCheck& check : list)
        array.append(QJsonObject{{"rule", check.rule},
                                 {"row", check.row},
                                 {"text", check.text},
                                 {"severity", RulesCheck::severityName(check.severity)}});
    return array;
}

QJsonObject CharacterReport::build(const Character& c, const QString& fileVersion,
                                   const QList<QPair<QString, QString>>& messages)
{
    QJsonArray shown;
    for (const auto& [caption, text] : messages)
        shown.append(QJsonObject{{"caption", caption}, {"text", text}});

    static const std::array<const char*, 9> headerKeys = {
        "Name", "Player", "Chronicle", "Nature", "Demeanor", "Clan", "Generation", "Haven", "Concept"};
    QJsonObject header;
    for (int i = 0; i < 9; ++i)
        header.insert(headerKeys[i], c.header[i]);

    QJsonObject attributes;
    for (int i = 0; i < 9; ++i)
        attributes.insert(Character::attributeNames()[i], specialized(c.attributes[i]));

    QJsonArray virtues;
    for (int i = 0; i < 3; ++i)
        virtues.append(QJsonObject{{"name", StripDots(c.virtueNames[i])},
                                   {"rating", c.virtues[i].rating},
                                   {"freebies", std::max(0, c.virtues[i].freebies)}});

    const RulesBoxTexts& boxes = c.rulesBoxes;
    QJsonObject rules;
    for (auto [key, text] : {std::pair{"AttPriEdit", &boxes.AttPriEdit}, {"AttSecEdit", &boxes.AttSecEdit},
                             {"AttTerEdit", &boxes.AttTerEdit}, {"AbPriEdit", &boxes.AbPriEdit},
                             {"AbSecEdit", &boxes.AbSecEdit}, {"AbTerEdit", &boxes.AbTerEdit},
                             {"DisciplineEdit", &boxes.DisciplineEdit},
                             {"BackgroundEdit", &boxes.BackgroundEdit},
                             {"VirtueEdit", &boxes.VirtueEdit}, {"FreebiesEdit", &boxes.FreebiesEdit},
                             {"StartingGenerationEdit", &boxes.StartingGenerationEdit},
                             {"VirtueNamesEdit", &boxes.VirtueNamesEdit},
                             {"MaxPrimaryEdit", &boxes.MaxPrimaryEdit},
                             {"MaxSecondaryEdit", &boxes.MaxSecondaryEdit},
                             {"MaxHumanityEdit", &boxes.MaxHumanityEdit}})
        rules.insert(key, *text);
    const RulesSettings& settings = c.settings;
    rules.insert("SecondaryCostFactor", double(settings.SecondaryCostFactor));
    rules.insert("GolcondaOn", settings.GolcondaOn);
    rules.insert("GolcondaChoice", settings.GolcondaChoice);
    rules.insert("HumanityFromVirtues", settings.HumanityFromVirtues);
    rules.insert("WillpowerFromVirtues", settings.WillpowerFromVirtues);
    rules.insert("ElderRules", settings.ElderRules);
    rules.insert("ElysiumRule", settings.ElysiumRule);
    rules.insert("DirtySecretsRule", settings.DirtySecretsRule);
    ExperienceRecord::addRules(c.experience.options, rules);

    const QStringList tally = c.freebieTally.split(u'/');
    const RowCounts& counts = c.rows;
    QJsonObject report{
        {"file_version", fileVersion},
        {"messages", shown},
        {"header", header},
        {"attributes", attributes},
        {"appearance_crossed", c.appearanceCrossed},
        {"talents", rows(c.abilities[0], counts.AbilityRows, 10, specialized)},
        {"skills", rows(c.abilities[1], counts.AbilityRows, 10, specialized)},
        {"knowledges", rows(c.abilities[2], counts.AbilityRows, 10, specialized)},
        {"secondary_talents", rows(c.secondaries[0], counts.SecondaryRows, 0, specialized)},
        {"secondary_skills", rows(c.secondaries[1], counts.SecondaryRows, 0, specialized)},
        {"secondary_knowledges", rows(c.secondaries[2], counts.SecondaryRows, 0, specialized)},
        {"disciplines", rows(c.disciplines, counts.DisciplineRows)},
        {"backgrounds", rows(c.backgrounds, counts.BackgroundRows)},
        {"virtues", virtues},
        {"humanity", QJsonObject{{"path", c.path},
                                 {"rating", c.humanity.rating},
                                 {"freebies", std::max(0, c.humanity.freebies)},
                                 {"bought", c.counters.BoughtHumanity}}},
        {"willpower", QJsonObject{{"rating", c.willpower.rating},
                                  {"freebies", std::max(0, c.willpower.freebies)},
                                  {"bought", c.counters.BoughtWillpower}}},
        {"merits", entries(c.merits, counts.MeritRows)},
        {"flaws", entries(c.flaws, counts.FlawRows)},
        {"merit_points", c.counters.MeritPoints},
        {"flaw_points", c.counters.FlawPoints},
        {"tallies", QJsonObject{{"physical", c.attributeTallies[0]},
                                {"social", c.attributeTallies[1]},
                                {"mental", c.attributeTallies[2]},
                                {"talents", c.abilityTallies[0]},
                                {"skills", c.abilityTallies[1]},
                                {"knowledges", c.abilityTallies[2]},
                                {"disciplines", c.disciplineTally},
                                {"backgrounds", c.backgroundTally},
                                {"virtues", c.virtueTally}}},
        {"freebies", QJsonObject{{"spent", tally.value(0).toDouble()},
                                 {"available", tally.value(1).toDouble()},
                                 {"text", c.freebieTally}}},
        {"generation", QJsonObject{{"max_trait_rating", c.counters.MaxTraitRating},
                                   {"blood_per_turn", c.bloodPerTurn},
                                   {"blood_pool_boxes", c.bloodPoolBoxes}}},
        {"warnings", QJsonObject{{"flaws_exceed_7", c.flawWarning},
                                 {"derangement", c.derangementWarning}}},
        {"rules", rules},
        {"presets", QJsonObject{{"Camarilla", c.presets.Camarilla},
                                {"Sabbat", c.presets.Sabbat},
                                {"Elder", c.presets.Elder}}},
        {"books", QJsonArray::fromStringList(c.books)},
        {"checks", checks(c.checks)},
    };
    report.insert("creation_finished", c.experience.creationFinished);
    report.insert("experience", ExperienceRecord::report(c.experience));
    return report;
}
