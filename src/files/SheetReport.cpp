#include "SheetReport.h"

#include "app/ClickLabel.h"
#include "app/RulesPanel.h"
#include "app/SheetPanel.h"
#include "app/SourcebooksPanel.h"
#include "app/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/CharacterCounters.h"
#include "rules/TextRoutines.h"

#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>

using TextRoutines::StripDots;

namespace {

int redDots(const TVampireDots* dots)
{
    return std::max(0, dots->Freebies());
}

QJsonObject rated(const TVampireDots* dots)
{
    return {{"rating", dots->Filled()}, {"freebies", redDots(dots)}, {"max", dots->MaxDots()}};
}

QJsonObject row(const SheetPanel::TraitRow& r)
{
    QJsonObject o = rated(r.dots);
    o.insert("name", StripDots(r.name->text()));
    return o;
}

// The rows in use of one column, without empty ones (the open row among them); the ten
// standard abilities always count.
QJsonArray rows(const SheetPanel::TraitRows& list, int count, int alwaysShown = 0)
{
    QJsonArray array;
    for (int r = 0; r < count; ++r)
        if (r < alwaysShown || list[r].dots->Filled() > 0 || !StripDots(list[r].name->text()).isEmpty())
            array.append(row(list[r]));
    return array;
}

QJsonArray entries(const SheetPanel::NameRows& list, int count)
{
    QJsonArray array;
    for (int r = 0; r < count; ++r)
        if (const QString entry = StripDots(list[r]->text()); !entry.isEmpty())
            array.append(entry);
    return array;
}

bool red(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

} // namespace

QJsonObject SheetReport::build(TMainForm& form, const QString& fileVersion,
                               const QList<QPair<QString, QString>>& messages)
{
    SheetPanel* s = form.sheet();
    const RowCounts& counts = form.rowCounts();
    const CharacterCounters& counters = form.counters();
    const RulesSettings& settings = form.settings();
    RulesPanel* rules = form.rulesPanel();

    QJsonArray shown;
    for (const auto& [caption, text] : messages)
        shown.append(QJsonObject{{"caption", caption}, {"text", text}});

    QJsonObject header;
    for (auto [key, box] : {std::pair{"Name", s->Name}, {"Player", s->Player}, {"Chronicle", s->Chronicle},
                            {"Nature", s->Nature}, {"Demeanor", s->Demeanor}, {"Clan", s->Clan},
                            {"Generation", s->Generation}, {"Haven", s->Haven}, {"Concept", s->Concept}})
        header.insert(key, box->text());

    QJsonObject attributes;
    for (auto [key, dots] : {std::pair{"Strength", s->Strength}, {"Dexterity", s->Dexterity},
                             {"Stamina", s->Stamina}, {"Charisma", s->Charisma},
                             {"Manipulation", s->Manipulation}, {"Appearance", s->Appearance},
                             {"Perception", s->Perception}, {"Intelligence", s->Intelligence},
                             {"Wits", s->Wits}})
        attributes.insert(key, rated(dots));

    QJsonArray virtues;
    for (auto [label, dots] : {std::pair{s->Virtue1, s->Conscience}, {s->Virtue2, s->SelfControl},
                               {s->Virtue3, s->Courage}})
        virtues.append(QJsonObject{{"name", StripDots(label->text())},
                                   {"rating", dots->Filled()},
                                   {"freebies", redDots(dots)}});

    const QStringList tally = form.FreebieTally->text().split(u'/');
    int boxes = 0;
    for (QWidget* box : s->BloodPool)
        boxes += box->isVisibleTo(s);

    QJsonObject rulesObject;
    for (auto [key, box] :
         {std::pair{"AttPriEdit", rules->AttPriEdit}, {"AttSecEdit", rules->AttSecEdit},
          {"AttTerEdit", rules->AttTerEdit}, {"AbPriEdit", rules->AbPriEdit},
          {"AbSecEdit", rules->AbSecEdit}, {"AbTerEdit", rules->AbTerEdit},
          {"DisciplineEdit", rules->DisciplineEdit}, {"BackgroundEdit", rules->BackgroundEdit},
          {"VirtueEdit", rules->VirtueEdit}, {"FreebiesEdit", rules->FreebiesEdit},
          {"StartingGenerationEdit", rules->StartingGenerationEdit},
          {"VirtueNamesEdit", rules->VirtueNamesEdit}, {"MaxPrimaryEdit", rules->MaxPrimaryEdit},
          {"MaxSecondaryEdit", rules->MaxSecondaryEdit}, {"MaxHumanityEdit", rules->MaxHumanityEdit}})
        rulesObject.insert(key, box->text());
    rulesObject.insert("SecondaryCostFactor", double(settings.SecondaryCostFactor));
    rulesObject.insert("GolcondaOn", settings.GolcondaOn);
    rulesObject.insert("GolcondaChoice", settings.GolcondaChoice);
    rulesObject.insert("HumanityFromVirtues", settings.HumanityFromVirtues);
    rulesObject.insert("WillpowerFromVirtues", settings.WillpowerFromVirtues);
    rulesObject.insert("ElderRules", settings.ElderRules);
    rulesObject.insert("ElysiumRule", settings.ElysiumRule);
    rulesObject.insert("DirtySecretsRule", settings.DirtySecretsRule);

    return {
        {"file_version", fileVersion},
        {"messages", shown},
        {"header", header},
        {"attributes", attributes},
        {"appearance_crossed", s->AppCrossOut->isVisibleTo(s->AppCrossOut->parentWidget())},
        {"talents", rows(s->AbilityRows[0], counts.AbilityRows, 10)},
        {"skills", rows(s->AbilityRows[1], counts.AbilityRows, 10)},
        {"knowledges", rows(s->AbilityRows[2], counts.AbilityRows, 10)},
        {"secondary_talents", rows(s->SecondaryRows[0], counts.SecondaryRows)},
        {"secondary_skills", rows(s->SecondaryRows[1], counts.SecondaryRows)},
        {"secondary_knowledges", rows(s->SecondaryRows[2], counts.SecondaryRows)},
        {"disciplines", rows(s->DisciplineRows, counts.DisciplineRows)},
        {"backgrounds", rows(s->BackgroundRows, counts.BackgroundRows)},
        {"virtues", virtues},
        {"humanity", QJsonObject{{"path", s->Path->text()},
                                 {"rating", s->Humanity->Filled()},
                                 {"freebies", redDots(s->Humanity)},
                                 {"bought", counters.BoughtHumanity}}},
        {"willpower", QJsonObject{{"rating", s->Willpower->Filled()},
                                  {"freebies", redDots(s->Willpower)},
                                  {"bought", counters.BoughtWillpower}}},
        {"merits", entries(s->MeritRows, counts.MeritRows)},
        {"flaws", entries(s->FlawRows, counts.FlawRows)},
        {"merit_points", counters.MeritPoints},
        {"flaw_points", counters.FlawPoints},
        {"tallies", QJsonObject{{"physical", s->PhysLabel->text()},
                                {"social", s->SocLabel->text()},
                                {"mental", s->MenLabel->text()},
                                {"talents", s->TalentTallyLabel->text()},
                                {"skills", s->SkillTallyLabel->text()},
                                {"knowledges", s->KnowledgeTallyLabel->text()},
                                {"disciplines", s->DisciplineTallyLabel->text()},
                                {"backgrounds", s->BackgroundTallyLabel->text()},
                                {"virtues", s->VirtueTallyLabel->text()}}},
        {"freebies", QJsonObject{{"spent", tally.value(0).toDouble()},
                                 {"available", tally.value(1).toDouble()},
                                 {"text", form.FreebieTally->text()}}},
        {"generation", QJsonObject{{"max_trait_rating", counters.MaxTraitRating},
                                   {"blood_per_turn", s->BloodTurn->text()},
                                   {"blood_pool_boxes", boxes}}},
        {"warnings", QJsonObject{{"flaws_exceed_7", form.FlawWarning->isVisibleTo(form.FlawWarning->parentWidget())},
                                 {"derangement", form.DerangementWarning->isVisibleTo(form.DerangementWarning->parentWidget())
                                                     ? form.DerangementWarning->text() : QString()}}},
        {"rules", rulesObject},
        {"presets", QJsonObject{{"Camarilla", red(rules->CamarillaButtonLabel)},
                                {"Sabbat", red(rules->SabbatButtonLabel)},
                                {"Elder", red(rules->ElderButtonLabel)}}},
        {"books", QJsonArray::fromStringList(form.books()->ChosenBooks().items())},
    };
}
