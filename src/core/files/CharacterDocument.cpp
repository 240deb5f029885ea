#include "CharacterDocument.h"

#include "engine/CharacterEditing.h"
#include "engine/CharacterPass.h"
#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "engine/MeritFlawEditing.h"
#include "engine/RulesCheck.h"
#include "engine/VirtueRules.h"
#include "files/CharacterReadResult.h"
#include "files/CharacterSpecialties.h"
#include "files/ExperienceRecord.h"
#include "rules/TextRoutines.h"

#include <algorithm>

using TextRoutines::StripDots;
using Trait = Character::Trait;
using Record = CharacterRecord;

namespace {

constexpr int RowsPerGroup = SheetLayout::RowsPerGroup;

template <typename T, typename U> void take(const std::optional<T>& value, U& target)
{
    if (value)
        target = *value;
}

void setTrait(Trait& trait, const Record::Trait& read)
{
    trait.name = StripDots(read.name);
    CharacterPass::setRating(trait, read.rating);
}

void clearTrait(Trait& trait)
{
    trait.name.clear();
    CharacterPass::setRating(trait, 0);
}

} // namespace

CharacterDocument::CharacterDocument(const QStringList& dataLines) : m_dataLines(dataLines)
{
    m_books = SourcebookFilter::buildBookList(m_dataLines);
    m_character.books = m_books.ChosenBooks.items();
    applyBooks();
    Character& c = m_character;
    c.header[6] = QStringLiteral("13th");
    c.bloodPerTurn = QStringLiteral("1");
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < 10; ++r)
            c.abilities[col][r].name = m_tables.standardAbility(col, r);
    c.virtueNames = VirtueRules::virtueNames(c.settings.VirtueNames);
    CharacterEditing::generationSet(c, m_tables);
    CharacterEditing::clanSet(c, m_tables);
}

void CharacterDocument::applyBooks()
{
    SortedTextList chosen;
    for (const QString& title : std::as_const(m_character.books))
        chosen.add(title);
    const auto selection =
        SourcebookFilter::applySelection(m_dataLines, m_books.BookTitles, chosen);
    m_tables.build(selection.ActiveLines, m_character.settings.ElderRules);
    m_entryBooks = EntryBooks(m_dataLines, m_books.BookTitles, chosen, m_tables,
                              m_character.settings.ElderRules);
}

void CharacterDocument::apply(const CharacterReadResult& result, Character& c)
{
    const Record& r = result.record;
    c.counters.AgeHumanityPenalty = 0;
    c.clanRuleChanges.clear();
    // No rating read below may be cut down by the limits of the character shown before.
    CharacterEditing::raiseLimitsForLoading(c);
    const auto fields = Record::headerFields();
    for (int i = 0; i < 9; ++i)
        take(r.*fields[i], c.header[i]);
    if (r.FixedAbilities)
        for (int row = 0; row < 10; ++row) {
            CharacterPass::setRating(c.abilities[0][row], (*r.FixedAbilities)[row].talent);
            CharacterPass::setRating(c.abilities[1][row], (*r.FixedAbilities)[row].skill);
            CharacterPass::setRating(c.abilities[2][row], (*r.FixedAbilities)[row].knowledge);
        }
    const auto column = [](const Record::AbilityRow& line, int col) -> const Record::Trait& {
        return col == 0 ? line.talent : col == 1 ? line.skill : line.knowledge;
    };
    if (r.FreeAbilities) {
        c.rows.AbilityRows = 10 + int(r.FreeAbilities->size());
        for (int row = 10; row < RowsPerGroup; ++row)
            for (int col = 0; col < 3; ++col) {
                if (row < c.rows.AbilityRows)
                    setTrait(c.abilities[col][row], column((*r.FreeAbilities)[row - 10], col));
                else
                    clearTrait(c.abilities[col][row]);
            }
    }
    if (r.SecondaryAbilities) {
        c.rows.SecondaryRows = int(r.SecondaryAbilities->size());
        for (int row = 0; row < RowsPerGroup; ++row)
            for (int col = 0; col < 3; ++col) {
                if (row < c.rows.SecondaryRows)
                    setTrait(c.secondaries[col][row], column((*r.SecondaryAbilities)[row], col));
                else
                    clearTrait(c.secondaries[col][row]);
            }
    }
    const std::pair<const std::optional<QList<Record::Trait>>*, std::pair<Character::Rows*, int*>>
        lists[] = {{&r.Disciplines, {&c.disciplines, &c.rows.DisciplineRows}},
                   {&r.Backgrounds, {&c.backgrounds, &c.rows.BackgroundRows}}};
    for (const auto& [list, target] : lists) {
        if (!*list)
            continue;
        auto& [rows, count] = target;
        *count = int((*list)->size());
        for (int row = 0; row < RowsPerGroup; ++row) {
            if (row < *count)
                setTrait((*rows)[row], (**list)[row]);
            else
                clearTrait((*rows)[row]);
        }
    }
    // A background's name decides its limit.
    for (Trait& background : c.backgrounds)
        background.maxDots =
            GenerationRules::backgroundMaxDots(background.name, c.counters.MaxTraitRating);
    const std::array<const std::optional<int>*, 3> virtues = {&r.Conscience, &r.SelfControl,
                                                              &r.Courage};
    for (int i = 0; i < 3; ++i)
        if (*virtues[i])
            CharacterPass::setRating(c.virtues[i], **virtues[i]);
    const std::pair<const std::optional<QStringList>*,
                    std::pair<std::array<QString, RowsPerGroup>*, int*>>
        names[] = {{&r.Merits, {&c.merits, &c.rows.MeritRows}},
                   {&r.Flaws, {&c.flaws, &c.rows.FlawRows}}};
    for (const auto& [list, target] : names) {
        if (!*list)
            continue;
        auto& [rows, count] = target;
        *count = int((*list)->size());
        for (int row = 0; row < RowsPerGroup; ++row)
            (*rows)[row] = row < *count ? StripDots((**list)[row]) : QString();
    }
    take(r.Path, c.path);
    take(r.Notes, c.notes);
    take(r.BoughtHumanity, c.counters.BoughtHumanity);
    take(r.BoughtWillpower, c.counters.BoughtWillpower);

    const std::pair<PriorityGrid*, const std::optional<Record::PriorityBox>*> grids[] = {
        {&c.attributePriorities, &r.AttributePriorities},
        {&c.abilityPriorities, &r.AbilityPriorities}};
    for (const auto& [grid, box] : grids)
        if (*box)
            *grid = PriorityGrid::stored(
                {(*box)->ValueFirst, (*box)->ValueSecond, (*box)->ValueThird},
                {(*box)->CategoryOne, (*box)->CategoryTwo, (*box)->CategoryThree});
    RulesBoxTexts& texts = c.rulesBoxes;
    if (r.AttributePriorities) {
        texts.AttPriEdit = QString::number(r.AttributePriorities->ValueFirst);
        texts.AttSecEdit = QString::number(r.AttributePriorities->ValueSecond);
        texts.AttTerEdit = QString::number(r.AttributePriorities->ValueThird);
    }
    if (r.AbilityPriorities) {
        texts.AbPriEdit = QString::number(r.AbilityPriorities->ValueFirst);
        texts.AbSecEdit = QString::number(r.AbilityPriorities->ValueSecond);
        texts.AbTerEdit = QString::number(r.AbilityPriorities->ValueThird);
    }
    take(r.DisciplineEdit, texts.DisciplineEdit);
    take(r.BackgroundEdit, texts.BackgroundEdit);
    take(r.VirtueEdit, texts.VirtueEdit);
    take(r.MaxPrimaryEdit, texts.MaxPrimaryEdit);
    take(r.MaxSecondaryEdit, texts.MaxSecondaryEdit);
    take(r.MaxHumanityEdit, texts.MaxHumanityEdit);
    take(r.FreebiesEdit, texts.FreebiesEdit);
    take(r.VirtueNamesEdit, texts.VirtueNamesEdit);
    RulesSettings& settings = c.settings;
    take(r.SecondaryCostFactor, settings.SecondaryCostFactor);
    take(r.GolcondaOn, settings.GolcondaOn);
    take(r.GolcondaChoice, settings.GolcondaChoice);
    const auto attributes = Record::attributeFields();
    for (int i = 0; i < 9; ++i)
        if (r.*attributes[i])
            CharacterPass::setRating(c.attributes[i], *(r.*attributes[i]));
    if (r.ChosenBooks) {
        SortedTextList chosen;
        for (const QString& title : *r.ChosenBooks)
            chosen.add(title);
        c.books = chosen.items();
    }
    take(r.HumanityFromVirtues, settings.HumanityFromVirtues);
    take(r.WillpowerFromVirtues, settings.WillpowerFromVirtues);
    if (r.Humanity)
        CharacterPass::setRating(c.humanity, *r.Humanity);
    if (r.Willpower)
        CharacterPass::setRating(c.willpower, *r.Willpower);
    if (r.StartingGenerationEdit) {
        texts.StartingGenerationEdit = *r.StartingGenerationEdit;
        settings.StartingGeneration = result.StartingGeneration.value_or(0);
    }
    take(r.ElysiumRule, settings.ElysiumRule);
    take(r.DirtySecretsRule, settings.DirtySecretsRule);
    take(r.ElderRules, settings.ElderRules);
    // Another character's entries and specialties never travel with this one.
    c.experience = {};
    if (!result.bannerRejected) {
        c.extension = r.extension;
        CharacterSpecialties::apply(c.extension.take(CharacterSpecialties::Key).value_or(QString()), c);
        if (const auto xp = c.extension.take(ExperienceRecord::Key))
            c.experience = ExperienceRecord::read(*xp).experience;
    }
}

CharacterRecord CharacterDocument::record(const Character& c)
{
    Record r;
    const auto fields = Record::headerFields();
    for (int i = 0; i < 9; ++i)
        r.*fields[i] = c.header[i];
    std::array<Record::FixedAbilityRow, 10> fixed{};
    for (int row = 0; row < 10; ++row)
        fixed[row] = {c.abilities[0][row].rating, c.abilities[1][row].rating,
                      c.abilities[2][row].rating};
    r.FixedAbilities = fixed;
    const auto trait = [](const Trait& t) { return Record::Trait{t.name, t.rating}; };
    const auto line = [&](const std::array<Character::Rows, 3>& columns, int row) {
        return Record::AbilityRow{trait(columns[0][row]), trait(columns[1][row]),
                                  trait(columns[2][row])};
    };
    r.FreeAbilities.emplace();
    for (int row = 10; row < c.rows.AbilityRows; ++row)
        r.FreeAbilities->append(line(c.abilities, row));
    r.SecondaryAbilities.emplace();
    for (int row = 0; row < c.rows.SecondaryRows; ++row)
        r.SecondaryAbilities->append(line(c.secondaries, row));
    r.Disciplines.emplace();
    for (int row = 0; row < c.rows.DisciplineRows; ++row)
        r.Disciplines->append(trait(c.disciplines[row]));
    r.Backgrounds.emplace();
    for (int row = 0; row < c.rows.BackgroundRows; ++row)
        r.Backgrounds->append(trait(c.backgrounds[row]));
    r.Conscience = c.virtues[0].rating;
    r.SelfControl = c.virtues[1].rating;
    r.Courage = c.virtues[2].rating;
    r.Merits = QStringList(c.merits.begin(), c.merits.begin() + c.rows.MeritRows);
    r.Flaws = QStringList(c.flaws.begin(), c.flaws.begin() + c.rows.FlawRows);
    r.Path = c.path;
    r.BoughtHumanity = c.counters.BoughtHumanity;
    r.BoughtWillpower = c.counters.BoughtWillpower;
    for (auto [box, grid] : {std::pair{&r.AttributePriorities, &c.attributePriorities},
                             std::pair{&r.AbilityPriorities, &c.abilityPriorities}})
        *box = Record::PriorityBox{grid->category(0), grid->category(1), grid->category(2),
                                   grid->value(0),    grid->value(1),    grid->value(2)};
    // The allowances and limits as the numbers in force, the rest of the rules as they stand.
    const RulesSettings& settings = c.settings;
    RulesSettings inForce = settings;
    readRulesBoxes(c.rulesBoxes, inForce);
    r.DisciplineEdit = QString::number(inForce.DisciplinePoints);
    r.BackgroundEdit = QString::number(inForce.BackgroundPoints);
    r.VirtueEdit = QString::number(inForce.VirtuePoints);
    r.MaxPrimaryEdit = QString::number(inForce.MaxAbilityRating);
    r.MaxSecondaryEdit = QString::number(inForce.MaxSecondaryRating);
    r.MaxHumanityEdit = c.rulesBoxes.MaxHumanityEdit;
    r.FreebiesEdit = QString::number(inForce.FreebiePoints);
    r.VirtueNamesEdit = c.rulesBoxes.VirtueNamesEdit;
    r.SecondaryCostFactor = settings.SecondaryCostFactor;
    r.GolcondaOn = settings.GolcondaOn;
    r.GolcondaChoice = settings.GolcondaChoice;
    const auto attributes = Record::attributeFields();
    for (int i = 0; i < 9; ++i)
        r.*attributes[i] = c.attributes[i].rating;
    r.ChosenBooks = c.books;
    r.HumanityFromVirtues = settings.HumanityFromVirtues;
    r.WillpowerFromVirtues = settings.WillpowerFromVirtues;
    r.Humanity = c.humanity.rating;
    r.Willpower = c.willpower.rating;
    r.StartingGenerationEdit = c.rulesBoxes.StartingGenerationEdit;
    r.ElysiumRule = settings.ElysiumRule;
    r.DirtySecretsRule = settings.DirtySecretsRule;
    r.ElderRules = settings.ElderRules;
    // The entries of this program first, then those it keeps for another, in their order.
    if (const QString specialties = CharacterSpecialties::entry(c); !specialties.isEmpty())
        r.extension.setText(CharacterSpecialties::Key, specialties);
    if (const QString experience = ExperienceRecord::text(c.experience); !experience.isEmpty())
        r.extension.setText(ExperienceRecord::Key, experience);
    for (const CharacterExtension::Entry& entry : c.extension.entries())
        r.extension.setText(entry.key, entry.text);
    return r;
}

void CharacterDocument::open(const CharacterReadResult& result)
{
    apply(result, m_character);
    Character& c = m_character;
    // The limits follow the generation shown, whether the read went through or not.
    CharacterEditing::generationSet(c, m_tables);
    if (result.completed()) {
        MeritFlawEditing(c, m_tables, m_escape).recountAll();
        applyBooks();
    }
    CharacterEditing::clanSet(c, m_tables);
}

void CharacterDocument::generationFromBackgrounds()
{
    Character& c = m_character;
    const QString shown = c.header[6];
    CharacterEditing::generationFromBackgrounds(c, false);
    // The Generation box's own rule runs when its text changes.
    if (c.header[6] != shown)
        CharacterEditing::generationSet(c, m_tables);
}

void CharacterDocument::applyClanRules()
{
    Character& c = m_character;
    const ClanRules::Context context{c.header[5], c.counters.ZeroAppearanceClan};
    MeritFlawEditing editing(c, m_tables, m_escape);
    ClanRules::applyToLists(context,
                            {[&c](bool flaw) { return flaw ? c.rows.FlawRows : c.rows.MeritRows; },
                             [&c](bool flaw, int r) { return flaw ? c.flaws[r] : c.merits[r]; },
                             [&](bool flaw, int r, const QString& entry) {
                                 QString& row = flaw ? c.flaws[r] : c.merits[r];
                                 RulesCheck::noteClanRule(c.clanRuleChanges, c.header[5], flaw, row, entry);
                                 row = entry;
                                 editing.rowChanged({flaw, r});
                             }});
}

void CharacterDocument::pass()
{
    Character& c = m_character;
    CharacterEditing::rulesChanged(c, m_tables, m_elderShown);
    CharacterPass::keepRows({&c.disciplines}, c.rows.DisciplineRows, 3, {});
    CharacterPass::keepRows({&c.backgrounds}, c.rows.BackgroundRows, 0, {});
    generationFromBackgrounds();
    CharacterPass::keepRows({&c.abilities[0], &c.abilities[1], &c.abilities[2]}, c.rows.AbilityRows,
                            10, {});
    CharacterPass::keepRows({&c.secondaries[0], &c.secondaries[1], &c.secondaries[2]},
                            c.rows.SecondaryRows, 0, {});
    applyClanRules();
    CharacterPass::derive(c);
    RulesCheck::derive(c, m_tables, m_entryBooks);
}

void CharacterDocument::settle()
{
    for (int round = 0; round < 100; ++round) {
        const Character before = m_character;
        pass();
        if (m_character == before)
            return;
    }
}
