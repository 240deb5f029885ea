#include "PrintedSheet.h"

#include "rules/TextRoutines.h"

using TextRoutines::StripDots;
using Trait = Character::Trait;

namespace {

bool emptyRow(const Trait& row)
{
    return row.rating == 0 && StripDots(row.name).isEmpty();
}

// The rows in use without the open empty row that ends a list that is not full.
template <typename IsEmpty> int printedRows(int count, IsEmpty isEmpty)
{
    return count > 0 && isEmpty(count - 1) ? count - 1 : count;
}

QString countingSpecialty(const Trait& trait)
{
    return trait.specialtyCounts() ? trait.specialty : QString();
}

PrintedSheet::TraitRow row(const Trait& trait)
{
    return {trait.name, trait.rating, trait.maxDots, countingSpecialty(trait)};
}

PrintedSheet::Rating rating(const Trait& trait)
{
    return {trait.rating, trait.maxDots, countingSpecialty(trait)};
}

} // namespace

PrintedSheet PrintedSheet::of(const Character& c)
{
    PrintedSheet p;
    for (auto [field, i] : {std::pair{&PrintedSheet::Name, 0}, {&PrintedSheet::Player, 1},
                            {&PrintedSheet::Chronicle, 2}, {&PrintedSheet::Nature, 3},
                            {&PrintedSheet::Demeanor, 4}, {&PrintedSheet::Clan, 5},
                            {&PrintedSheet::Generation, 6}, {&PrintedSheet::Haven, 7},
                            {&PrintedSheet::Concept, 8}})
        p.*field = c.header[i];
    const std::array<Rating PrintedSheet::*, 9> attributes = {
        &PrintedSheet::Strength,   &PrintedSheet::Dexterity,    &PrintedSheet::Stamina,
        &PrintedSheet::Charisma,   &PrintedSheet::Manipulation, &PrintedSheet::Appearance,
        &PrintedSheet::Perception, &PrintedSheet::Intelligence, &PrintedSheet::Wits};
    for (int i = 0; i < 9; ++i)
        p.*attributes[i] = rating(c.attributes[i]);
    // The ability columns share their rows: the open row is empty in all three.
    auto shared = [](const std::array<Character::Rows, 3>& columns, int count) {
        return printedRows(count, [&](int r) {
            return emptyRow(columns[0][r]) && emptyRow(columns[1][r]) && emptyRow(columns[2][r]);
        });
    };
    const int abilities = shared(c.abilities, c.rows.AbilityRows);
    const int secondary = shared(c.secondaries, c.rows.SecondaryRows);
    for (int col = 0; col < 3; ++col) {
        for (int r = 0; r < abilities; ++r)
            p.Abilities[col].append(row(c.abilities[col][r]));
        for (int r = 0; r < secondary; ++r)
            p.Secondary[col].append(row(c.secondaries[col][r]));
    }
    const auto list = [](const Character::Rows& rows, int count) {
        return printedRows(count, [&](int r) { return emptyRow(rows[r]); });
    };
    for (int r = 0; r < list(c.disciplines, c.rows.DisciplineRows); ++r) {
        DisciplineRow discipline;
        static_cast<TraitRow&>(discipline) = row(c.disciplines[r]);
        discipline.clanFont = c.clanDisciplinesFixed && r < 3;
        p.Disciplines.append(discipline);
    }
    for (int r = 0; r < list(c.backgrounds, c.rows.BackgroundRows); ++r)
        p.Backgrounds.append(row(c.backgrounds[r]));
    for (int i = 0; i < 3; ++i)
        p.Virtues[i] = {c.virtueNames[i], c.virtues[i].rating, c.virtues[i].maxDots};
    p.Path = c.path;
    p.Humanity = c.humanity.rating;
    p.Willpower = c.willpower.rating;
    p.BloodTurn = c.bloodPerTurn;
    const auto entries = [](const std::array<QString, SheetLayout::RowsPerGroup>& rows, int count) {
        QStringList list;
        for (int r = 0; r < printedRows(count, [&](int i) { return StripDots(rows[i]).isEmpty(); }); ++r)
            list.append(StripDots(rows[r]));
        return list;
    };
    p.Merits = entries(c.merits, c.rows.MeritRows);
    p.Flaws = entries(c.flaws, c.rows.FlawRows);
    p.AppearanceStruckOut = c.counters.ZeroAppearanceClan || c.counters.ZeroAppearanceFlaw;
    p.HugeSize = c.counters.HugeSize;
    const CharacterExperience& xp = c.experience;
    p.ExperienceShown = xp.creationFinished || !xp.log.isEmpty();
    p.ExperienceLeft = xp.left();
    p.ExperienceEarned = xp.earned();
    return p;
}
