#include "ExperienceSpending.h"

#include "engine/CharacterPass.h"
#include "engine/CreationBaseline.h"
#include "engine/RulesSettings.h"
#include "rules/ExperienceChart.h"
#include "rules/TextRoutines.h"

#include <map>

namespace ExperienceSpending {

namespace {

using Kind = ExperienceChart::Kind;

Kind kindOf(const Character& c, TraitRef ref, int current)
{
    switch (ref.group) {
    case TraitRef::Attribute:
        return Kind::Attribute;
    case TraitRef::Ability:
    case TraitRef::Secondary:
        return current == 0 ? Kind::NewAbility : Kind::Ability;
    case TraitRef::Discipline:
        if (current == 0)
            return Kind::NewDiscipline;
        if (c.counters.CaitiffClan)
            return Kind::CaitiffDiscipline;
        return c.clanDisciplinesFixed && ref.row < 3 ? Kind::ClanDiscipline : Kind::OtherDiscipline;
    case TraitRef::Virtue:
        return Kind::Virtue;
    case TraitRef::Humanity:
        return Kind::Humanity;
    default:
        return Kind::Willpower;
    }
}

QString points(int n)
{
    return n == 1 ? QStringLiteral("1 point") : QStringLiteral("%1 points").arg(n);
}

// The row the entry raised: where it stood, or the row of its group that now bears its name.
TraitRef locate(const Character& c, const ExperienceEntry& entry)
{
    if (!entry.ref.named() || CreationBaseline::traitName(c, entry.ref) == entry.trait)
        return entry.ref;
    TraitRef found{TraitRef::None};
    CreationBaseline::forEachTrait(c, [&](TraitRef ref, const Character::Trait& trait) {
        if (found.group == TraitRef::None && ref.group == entry.ref.group &&
            ref.column == entry.ref.column && TextRoutines::StripDots(trait.name) == entry.trait)
            found = ref;
    });
    return found.group == TraitRef::None ? entry.ref : found;
}

bool sameTrait(const Character& c, const ExperienceEntry& entry, TraitRef ref)
{
    return !entry.earning() && locate(c, entry) == ref;
}

} // namespace

Outcome finishCreation(Character& c)
{
    CharacterExperience& xp = c.experience;
    if (xp.creationFinished)
        return Outcome::refused(QStringLiteral("Creation is finished already."));
    CreationBaseline::capture(c);
    xp.startingPoints = std::max(0, settingValue(xp.options.StartingXpEdit, 0));
    xp.creationFinished = true;
    return {true, {}, xp.startingPoints};
}

Outcome reopenCreation(Character& c)
{
    CharacterExperience& xp = c.experience;
    if (!xp.creationFinished)
        return Outcome::refused(QStringLiteral("Creation is not finished."));
    if (xp.spent() > 0)
        return Outcome::refused(
            QStringLiteral("Creation cannot be taken back while experience is spent (%1). Take "
                           "back the raises in the experience log first.")
                .arg(points(xp.spent())));
    xp.creationFinished = false;
    xp.baseline.clear();
    xp.tallies = {};
    xp.startingPoints = 0;
    return {true, {}, 0};
}

Outcome earn(Character& c, int amount, const QString& note, QDate date)
{
    if (amount <= 0 || amount > 100000)
        return Outcome::refused(
            QStringLiteral("Experience earned is a whole number from 1 to 100000."));
    c.experience.log.append({{}, {}, 0, 0, -amount, date, note.trimmed()});
    return {true, {}, amount};
}

std::optional<int> cost(const Character& c, const ExperienceChart& chart, TraitRef ref, int from,
                        int to)
{
    const ExperienceOptions& options = c.experience.options;
    if (ref.group == TraitRef::Background && !options.XpBackgroundsRule)
        return std::nullopt;
    int total = 0;
    for (int current = from; current < to; ++current)
        total += ref.group == TraitRef::Background
                     ? std::max(1, settingValue(options.XpBackgroundEdit, 3)) * std::max(1, current)
                     : chart.stepCost(kindOf(c, ref, current), current);
    return total;
}

Outcome setRating(Character& c, const ExperienceChart& chart, TraitRef ref, int rating, QDate date,
                  const QString& note)
{
    CharacterExperience& xp = c.experience;
    Character::Trait* trait = CreationBaseline::traitAt(c, ref);
    if (!xp.creationFinished || !trait || ref.group == TraitRef::None)
        return Outcome::refused(QStringLiteral("Experience is spent once creation is finished."));
    const QString name = CreationBaseline::traitName(c, ref);
    const int from = trait->rating;
    if (rating == from)
        return {true, {}, 0};
    if (rating > from) {
        if (name.isEmpty())
            return Outcome::refused(QStringLiteral("Name the row before raising it."));
        if (rating > trait->maxDots)
            return Outcome::refused(
                QStringLiteral("%1 cannot go above %2.").arg(name).arg(trait->maxDots));
        const std::optional<int> price = cost(c, chart, ref, from, rating);
        if (!price)
            return Outcome::refused(
                QStringLiteral("Backgrounds are raised with experience only with the "
                               "Storyteller's leave: tick \"Backgrounds with the Storyteller's "
                               "leave\" on the Rules panel."));
        if (*price > xp.left())
            return Outcome::refused(
                QStringLiteral("Raising %1 from %2 to %3 needs %4 of experience; %5 left.")
                    .arg(name)
                    .arg(from)
                    .arg(rating)
                    .arg(points(*price))
                    .arg(xp.left() == 1 ? QStringLiteral("only 1 is")
                                        : QStringLiteral("only %1 are").arg(xp.left())));
        CharacterPass::setRating(*trait, rating);
        xp.log.append({ref, name, from, rating, *price, date, note.trimmed()});
        return {true, {}, *price};
    }
    // Lowering: the trait's own entries, last first, down to the rating asked for.
    QList<qsizetype> entries;
    int floor = from;
    for (qsizetype i = xp.log.size() - 1; i >= 0 && floor > rating; --i)
        if (sameTrait(c, xp.log[i], ref)) {
            entries.append(i);
            floor = xp.log[i].from;
        }
    if (floor > rating)
        return Outcome::refused(
            QStringLiteral("%1 was %2 when creation was finished; experience cannot lower it "
                           "further.")
                .arg(name)
                .arg(floor));
    int refund = 0;
    for (qsizetype i : entries) // from the last, so the indexes before stay valid
        refund += xp.log.takeAt(i).cost;
    CharacterPass::setRating(*trait, floor);
    return {true, {}, refund};
}

Outcome takeBack(Character& c, qsizetype index)
{
    CharacterExperience& xp = c.experience;
    if (index < 0 || index >= xp.log.size())
        return Outcome::refused(QStringLiteral("There is no such entry in the log."));
    const ExperienceEntry entry = xp.log[index];
    if (entry.earning()) {
        if (xp.left() + entry.cost < 0)
            return Outcome::refused(
                QStringLiteral("Taking back these %1 would leave %2 of experience: take back "
                               "raises first.")
                    .arg(points(-entry.cost))
                    .arg(xp.left() + entry.cost));
        xp.log.removeAt(index);
        return {true, {}, -entry.cost};
    }
    const TraitRef ref = locate(c, entry);
    Character::Trait* trait = CreationBaseline::traitAt(c, ref);
    int refund = 0;
    for (qsizetype i = xp.log.size() - 1; i >= index; --i)
        if (i == index || sameTrait(c, xp.log[i], ref))
            refund += xp.log.takeAt(i).cost;
    if (trait)
        CharacterPass::setRating(*trait, entry.from);
    return {true, {}, refund};
}

QStringList reconcile(Character& c, const ExperienceChart& chart, QDate date)
{
    QStringList messages;
    if (!c.experience.creationFinished)
        return messages;
    // A trait's last raise, else what creation left it.
    std::map<TraitRef, int> raised;
    for (const ExperienceEntry& entry : c.experience.log)
        if (!entry.earning())
            raised[locate(c, entry)] = entry.to;
    QList<std::tuple<TraitRef, int, int>> changed;
    qsizetype cursor = 0;
    CreationBaseline::forEachTrait(c, [&](TraitRef ref, const Character::Trait& trait) {
        const BaselineSlot* slot =
            CreationBaseline::slotOf(c.experience.baseline, ref, trait, cursor);
        const auto last = raised.find(ref);
        const int rating = last != raised.end() ? last->second : slot ? slot->rating : 0;
        if (trait.rating != rating)
            changed.append({ref, rating, trait.rating});
    });
    for (const auto& [ref, rating, wanted] : changed) {
        CreationBaseline::traitAt(c, ref)->rating = rating;
        const Outcome outcome = setRating(c, chart, ref, wanted, date);
        if (!outcome.done)
            messages.append(outcome.message);
    }
    return messages;
}

} // namespace ExperienceSpending
