#include "RulesCheck.h"

#include "engine/ClanRules.h"
#include "engine/MeritFlawRules.h"
#include "engine/PointAccounting.h"
#include "rules/EntryBooks.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

#include <QStringBuilder>
#include <QVarLengthArray>
#include <algorithm>

namespace RulesCheck {

namespace {

using Place = RuleCheck::Place;
using Severity = RuleCheck::Severity;
using Table = EntryBooks::Table;
using TextRoutines::StripDots;

const std::array<QString, 9> AttributeNames = {
    QStringLiteral("Strength"),   QStringLiteral("Dexterity"),    QStringLiteral("Stamina"),
    QStringLiteral("Charisma"),   QStringLiteral("Manipulation"), QStringLiteral("Appearance"),
    QStringLiteral("Perception"), QStringLiteral("Intelligence"), QStringLiteral("Wits")};
const std::array<QString, 9> HeaderNames = {
    QStringLiteral("Name"),       QStringLiteral("Player"),   QStringLiteral("Chronicle"),
    QStringLiteral("Nature"),     QStringLiteral("Demeanor"), QStringLiteral("Clan"),
    QStringLiteral("Generation"), QStringLiteral("Haven"),    QStringLiteral("Concept")};

struct Where
{
    Place place;
    int column = 0;
    int index = 0;
};

class Checker
{
public:
    Checker(const Character& c, const RuleTables& tables, const EntryBooks& books)
        : c(c), tables(tables), books(books)
    {
    }

    void missingChoices();
    void derangements();
    void entries();
    void exclusivePairs();
    void flawPoints();
    void clanRules();
    void freebies();

    std::vector<RuleCheck> previous;
    std::vector<RuleCheck> checks;

private:
    // A finding the last pass made already is taken over whole: an unchanged sheet, checked
    // on every idle moment, then makes no new texts.
    void add(const QString& rule, const QString& row, QStringView text, Severity severity,
             Where where)
    {
        if (checks.size() < previous.size()) {
            const RuleCheck& last = previous[checks.size()];
            if (last.text == text && last.row == row && last.rule == rule &&
                last.severity == severity && last.place == where.place &&
                last.column == where.column && last.index == where.index) {
                checks.push_back(last);
                return;
            }
        }
        checks.push_back(
            {rule, row, text.toString(), severity, where.place, where.column, where.index});
    }
    void entry(const QString& name, Table table, Where where);
    void bought(const QString& name, int rating, int dots, int perDot, Where where,
                const QString& dotName = QStringLiteral("freebie dot"));

    const Character& c;
    const RuleTables& tables;
    const EntryBooks& books;
};

void Checker::missingChoices()
{
    // The generation is never missing: the pass derives it from the starting generation.
    for (int field : {3, 4, 5}) {
        if (c.header[field].trimmed().isEmpty())
            add(QStringLiteral("missing-choice"), HeaderNames[field],
                QStringLiteral("No %1 chosen.").arg(HeaderNames[field].toLower()), Severity::Breach,
                {Place::Header, 0, field});
    }
}

void Checker::entry(const QString& name, Table table, Where where)
{
    if (name.isEmpty())
        return;
    const auto known = [this, table](const QString& entry) { return books.inUse(table, entry); };
    if (known(name))
        return;
    // A free row may repeat a standard ability, as files of older rules do.
    if (where.place == Place::Ability && tables.StandardAbilities.contains(name))
        return;
    // A value the clan's rules give a flaw ("Monstrous (1)") stands for the entry it revalues.
    if (table == Table::Flaw)
        for (bool zeroAppearance : {false, true})
            if (const auto other = ClanRules::flawUnderClan(name, {c.header[5], zeroAppearance});
                other && !other->isEmpty() && known(*other))
                return;
    const QString row = where.place == Place::Header ? HeaderNames[where.index] : name;
    if (const QString book = books.bookOf(table, name); !book.isEmpty())
        add(QStringLiteral("book-out-of-use"), row,
            QStringLiteral("%1 comes from %2, which is not in use.").arg(name, book),
            Severity::Breach, where);
    else
        add(QStringLiteral("unknown-entry"), row,
            QStringLiteral("%1 is not in the rules data.").arg(name), Severity::Note, where);
}

void Checker::entries()
{
    entry(c.header[5], Table::Clan, {Place::Header, 0, 5});
    entry(c.header[3], Table::Archetype, {Place::Header, 0, 3});
    entry(c.header[4], Table::Archetype, {Place::Header, 0, 4});
    static constexpr std::array<Table, 3> abilityTables = {Table::Talent, Table::Skill,
                                                           Table::Knowledge};
    static constexpr std::array<Table, 3> secondaryTables = {
        Table::SecondaryTalent, Table::SecondarySkill, Table::SecondaryKnowledge};
    for (int col = 0; col < 3; ++col)
        for (int r = 10; r < c.rows.AbilityRows; ++r)
            entry(StripDots(c.abilities[col][r].name), abilityTables[col],
                  {Place::Ability, col, r});
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            entry(StripDots(c.secondaries[col][r].name), secondaryTables[col],
                  {Place::Secondary, col, r});
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        entry(StripDots(c.disciplines[r].name), Table::Discipline, {Place::Discipline, 0, r});
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        entry(StripDots(c.backgrounds[r].name), Table::Background, {Place::Background, 0, r});
    entry(c.path, Table::Path, {Place::Humanity});
    for (int r = 0; r < c.rows.MeritRows; ++r)
        entry(StripDots(c.merits[r]), Table::Merit, {Place::Merit, 0, r});
    for (int r = 0; r < c.rows.FlawRows; ++r)
        entry(StripDots(c.flaws[r]), Table::Flaw, {Place::Flaw, 0, r});
}

void Checker::exclusivePairs()
{
    const qsizetype pairs =
        std::min(tables.ExclusivePairsFirst.size(), tables.ExclusivePairsSecond.size());
    for (int f = 0; f < c.rows.FlawRows; ++f) {
        const QString flaw = StripDots(c.flaws[f]);
        if (flaw.isEmpty())
            continue;
        for (qsizetype k = 0; k < pairs; ++k) {
            if (tables.ExclusivePairsSecond[k] != flaw)
                continue;
            const QString& merit = tables.ExclusivePairsFirst[k];
            const bool taken = std::any_of(c.merits.begin(), c.merits.begin() + c.rows.MeritRows,
                                           [&](const QString& m) { return StripDots(m) == merit; });
            if (taken)
                add(QStringLiteral("exclusive-pair"), flaw,
                    QStringLiteral("%1 and %2 exclude each other.")
                        .arg(MeritFlawRules::withoutCost(merit), MeritFlawRules::withoutCost(flaw)),
                    Severity::Breach, {Place::Flaw, 0, f});
        }
    }
}

void Checker::flawPoints()
{
    if (c.counters.FlawPoints > MeritFlawRules::FlawWarningLimit)
        add(QStringLiteral("flaws-over-7"), QStringLiteral("FlawPanel"),
            QStringLiteral("Flaws come to %1 points; at most %2 are allowed.")
                .arg(c.counters.FlawPoints)
                .arg(MeritFlawRules::FlawWarningLimit),
            Severity::Breach, {Place::Flaw, 0, 0});
}

void Checker::clanRules()
{
    for (const Character::ClanRuleChange& change : c.clanRuleChanges) {
        if (change.clan != c.header[5])
            continue; // another clan's rule; the entry is back under the user's choice
        const QString clan = change.clan.isEmpty() ? QStringLiteral("a character without a clan")
                                                   : QStringLiteral("a ") + change.clan;
        add(QStringLiteral("clan-merit-flaw"), QStringLiteral("Clan"),
            change.replacement.isEmpty()
                ? QStringLiteral("%1 was taken off: it does not apply to %2.")
                      .arg(change.entry, clan)
                : QStringLiteral("%1 counts as %2 for %3.")
                      .arg(change.entry, change.replacement, clan),
            Severity::Note, {Place::Header, 0, 5});
    }
}

void Checker::derangements()
{
    if (!c.derangementWarning.isEmpty())
        add(QStringLiteral("elder-derangements"), QStringLiteral("DerangementWarning"),
            c.derangementWarning + u'.', Severity::Note, {Place::Freebies});
}

// Written into one buffer and made a text once: an over-spent full sheet lists a hundred rows
// on every pass, and building the sentence piece by piece costs more than the rest of the check.
class Sentence
{
public:
    Sentence& operator<<(QStringView text)
    {
        m_chars.append(reinterpret_cast<const char16_t*>(text.data()), text.size());
        return *this;
    }
    Sentence& operator<<(int value)
    {
        char16_t digits[12];
        int count = 0;
        unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
        do {
            digits[count++] = char16_t(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude > 0);
        if (value < 0)
            m_chars.append(u'-');
        while (count > 0)
            m_chars.append(digits[--count]);
        return *this;
    }
    QStringView view() const { return QStringView(m_chars.constData(), m_chars.size()); }

private:
    QVarLengthArray<char16_t, 128> m_chars;
};

void Checker::bought(const QString& name, int rating, int dots, int perDot, Where where,
                     const QString& dotName)
{
    if (dots <= 0 || perDot <= 0)
        return;
    static const QString Rule = QStringLiteral("freebie-dots");
    const int points = dots * perDot;
    Sentence text;
    text << name << u" " << rating << u": " << dots << u" " << dotName << (dots == 1 ? u"" : u"s")
         << u", " << points << (points == 1 ? u" point" : u" points");
    add(Rule, name, text.view(), Severity::Note, where);
}

void Checker::freebies()
{
    const qsizetype slash = c.freebieTally.indexOf(u'/');
    const qint64 spent = c.freebieTally.left(slash).toLongLong();
    const qint64 available = c.freebieTally.mid(slash + 1).toLongLong();
    if (slash < 0 || spent <= available)
        return;
    add(QStringLiteral("freebies-overspent"), QStringLiteral("FreebieTally"),
        QStringLiteral("Freebies over-spent by %1: %2 spent of %3.")
            .arg(spent - available)
            .arg(spent)
            .arg(available),
        Severity::Breach, {Place::Freebies});
    // What bought what, in sheet order, so the user sees where to take dots back.
    const PointAccounting::DotCosts costs =
        PointAccounting::dotCosts(c.settings.SecondaryCostFactor, c.settings.ElderRules);
    for (int i = 0; i < 9; ++i)
        bought(AttributeNames[i], c.attributes[i].rating, c.attributes[i].freebies, costs.attribute,
               {Place::Attribute, 0, i});
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            bought(StripDots(c.abilities[col][r].name), c.abilities[col][r].rating,
                   c.abilities[col][r].freebies, costs.ability, {Place::Ability, col, r});
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            bought(StripDots(c.secondaries[col][r].name), c.secondaries[col][r].rating,
                   c.secondaries[col][r].freebies, costs.secondary, {Place::Secondary, col, r});
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        bought(StripDots(c.disciplines[r].name), c.disciplines[r].rating, c.disciplines[r].freebies,
               costs.discipline, {Place::Discipline, 0, r});
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        bought(StripDots(c.backgrounds[r].name), c.backgrounds[r].rating, c.backgrounds[r].freebies,
               costs.backgroundDot(c.backgrounds[r].name), {Place::Background, 0, r});
    for (int i = 0; i < 3; ++i)
        bought(StripDots(c.virtueNames[i]), c.virtues[i].rating, c.virtues[i].freebies,
               costs.virtue, {Place::Virtue, 0, i});
    bought(c.path, c.humanity.rating, c.counters.BoughtHumanity, costs.humanity, {Place::Humanity},
           QStringLiteral("bought dot"));
    bought(QStringLiteral("Willpower"), c.willpower.rating, c.willpower.freebies, costs.willpower,
           {Place::Willpower});
    for (int r = 0; r < c.rows.MeritRows; ++r) {
        const QString merit = StripDots(c.merits[r]);
        if (const int points = MeritFlawRules::cost(merit); points > 0)
            add(QStringLiteral("freebie-dots"), merit,
                QStringLiteral("%1: %2 point%3")
                    .arg(merit)
                    .arg(points)
                    .arg(points == 1 ? QString() : QStringLiteral("s")),
                Severity::Note, {Place::Merit, 0, r});
    }
}

} // namespace

void derive(Character& character, const RuleTables& tables, const EntryBooks& books)
{
    Checker checker(character, tables, books);
    checker.previous = std::move(character.checks);
    checker.checks.reserve(checker.previous.size());
    checker.missingChoices();
    checker.entries();
    checker.exclusivePairs();
    checker.flawPoints();
    checker.clanRules();
    checker.derangements();
    checker.freebies();
    character.checks = std::move(checker.checks);
}

void noteClanRule(std::vector<Character::ClanRuleChange>& changes, const QString& clan, bool flaw,
                  const QString& entry, const QString& replacement)
{
    const Character::ClanRuleChange change{clan, StripDots(entry), replacement, flaw};
    if (std::find(changes.begin(), changes.end(), change) == changes.end())
        changes.push_back(change);
}

int breaches(const std::vector<RuleCheck>& checks)
{
    return int(std::count_if(checks.begin(), checks.end(), [](const RuleCheck& check) {
        return check.severity == RuleCheck::Severity::Breach;
    }));
}

QString severityName(RuleCheck::Severity severity)
{
    return severity == RuleCheck::Severity::Breach ? QStringLiteral("breach")
                                                   : QStringLiteral("note");
}

} // namespace RulesCheck
