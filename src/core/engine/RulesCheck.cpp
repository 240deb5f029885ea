#include "RulesCheck.h"

#include "engine/ClanRules.h"
#include "engine/GenerationRules.h"
#include "engine/MeritFlawRules.h"
#include "engine/PointAccounting.h"
#include "rules/DataFile.h"
#include "rules/EntryBooks.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

#include <QVarLengthArray>
#include <algorithm>

namespace RulesCheck {

namespace {

using Place = RuleCheck::Place;
using Severity = RuleCheck::Severity;
using Table = EntryBooks::Table;

const std::array<QString, 9>& AttributeNames = Character::attributeNames();
const std::array<QString, 9> HeaderNames = {
    QStringLiteral("Name"),       QStringLiteral("Player"),   QStringLiteral("Chronicle"),
    QStringLiteral("Nature"),     QStringLiteral("Demeanor"), QStringLiteral("Clan"),
    QStringLiteral("Generation"), QStringLiteral("Haven"),    QStringLiteral("Concept")};

// A row's name without the full stops that pad it, without making a text of its own: the
// window's rows are padded, and the check reads every one of them on every pass.
QStringView bare(const QString& name)
{
    QStringView view(name);
    while (view.endsWith(u'.'))
        view.chop(1);
    return view;
}

// A sentence written into one buffer: most passes find what the last one found, and then no
// text needs to be made at all (see Checker::add).
class Sentence
{
public:
    template <qsizetype N> Sentence& operator<<(const char16_t (&text)[N])
    {
        return *this << QStringView(text, N - 1);
    }
    Sentence& operator<<(QStringView text)
    {
        m_chars.append(reinterpret_cast<const char16_t*>(text.data()), text.size());
        return *this;
    }
    Sentence& operator<<(qint64 value)
    {
        char16_t digits[24];
        int count = 0;
        quint64 magnitude = value < 0 ? 0u - quint64(value) : quint64(value);
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
    Sentence& operator<<(int value) { return *this << qint64(value); }
    // "s" after a count other than one.
    Sentence& plural(qint64 count) { return count == 1 ? *this : *this << u"s"; }
    QStringView view() const { return QStringView(m_chars.constData(), m_chars.size()); }
    operator QStringView() const { return view(); }

private:
    QVarLengthArray<char16_t, 128> m_chars;
};

const QString BoughtRule = QStringLiteral("freebie-dots");

struct Where
{
    Place place;
    TraitRef trait{};
    int index = 0;
};

Where at(TraitRef::Group group, int column, int row)
{
    return {Place::Trait, {group, column, row}};
}

class Checker
{
public:
    Checker(const Character& c, const RuleTables& tables, const EntryBooks& books)
        : c(c), tables(tables), books(books)
    {
    }

    void missingChoices();
    void golcondaRatings();
    void specialties();
    void entries();
    void exclusivePairs();
    void flawPoints();
    void clanRules();
    void derangements();
    void freebies();
    void experience();

    std::vector<RuleCheck> previous;
    std::vector<RuleCheck> checks;

private:
    // A finding the last pass made already is taken over whole: an unchanged sheet, checked
    // on every idle moment, then makes no new texts.
    void add(const QString& rule, QStringView row, QStringView text, Severity severity, Where where,
             quint64 madeOf = 0)
    {
        if (checks.size() < previous.size()) {
            const RuleCheck& last = previous[checks.size()];
            if (last.text == text && last.row == row && last.rule == rule &&
                last.severity == severity && last.place == where.place &&
                last.trait == where.trait && last.index == where.index) {
                checks.push_back(last);
                return;
            }
        }
        checks.push_back({rule, row.toString(), text.toString(), severity, where.place, where.trait,
                          where.index, madeOf});
    }
    // The same, without writing the sentence, for a finding whose sentence the numbers madeOf
    // and its row decide: true when the last pass found it already.
    bool takeOver(const QString& rule, QStringView row, Where where, quint64 madeOf)
    {
        if (checks.size() >= previous.size())
            return false;
        const RuleCheck& last = previous[checks.size()];
        if (last.madeOf != madeOf || last.place != where.place || last.trait != where.trait ||
            last.index != where.index || last.row != row || last.rule != rule)
            return false;
        checks.push_back(last);
        return true;
    }
    void entry(QStringView name, Table table, Where where);
    void bought(QStringView name, int rating, int dots, int perDot, Where where,
                QStringView dotName = u"freebie dot");

    const Character& c;
    const RuleTables& tables;
    const EntryBooks& books;
};

void Checker::missingChoices()
{
    static const QString Rule = QStringLiteral("missing-choice");
    // The generation is never missing: the pass derives it from the starting generation.
    for (int field : {3, 4, 5})
        if (QStringView(c.header[field]).trimmed().isEmpty())
            add(Rule, HeaderNames[field],
                Sentence() << u"No " << HeaderNames[field].toLower() << u" chosen.",
                Severity::Breach, {Place::Header, {}, field});
}

// Ratings above what the generation allows, which only Golconda lets a row hold: each row's
// limit cuts a higher rating otherwise.
void Checker::golcondaRatings()
{
    if (!c.settings.GolcondaOn)
        return;
    const int g = DataFile::leadingNumber(c.header[6]);
    if (g < GenerationRules::Lowest || g > GenerationRules::Highest)
        return;
    static const QString Rule = QStringLiteral("above-generation-limit");
    const int most = GenerationRules::maxTraitRating(g, false, 0);
    const auto rating = [&](QStringView name, int value, Where where) {
        if (value > most)
            add(Rule, name,
                Sentence() << name << u" " << value << u" is above " << most << u", the most the "
                           << QStringView(c.header[6]).trimmed()
                           << u" generation allows; Golconda lets it be.",
                Severity::Note, where);
    };
    for (int i = 0; i < 9; ++i)
        rating(AttributeNames[i], c.attributes[i].rating, at(TraitRef::Attribute, 0, i));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            rating(bare(c.abilities[col][r].name), c.abilities[col][r].rating,
                   at(TraitRef::Ability, col, r));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            rating(bare(c.secondaries[col][r].name), c.secondaries[col][r].rating,
                   at(TraitRef::Secondary, col, r));
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        rating(bare(c.disciplines[r].name), c.disciplines[r].rating,
               at(TraitRef::Discipline, 0, r));
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        rating(bare(c.backgrounds[r].name), c.backgrounds[r].rating,
               at(TraitRef::Background, 0, r));
}

// A specialty is kept when its trait drops below four dots, but no longer counts.
void Checker::specialties()
{
    static const QString Rule = QStringLiteral("specialty-below-4");
    const auto specialty = [&](QStringView name, const Character::Trait& trait, Where where) {
        if (trait.specialty.isEmpty() || trait.specialtyCounts())
            return;
        add(Rule, name,
            Sentence() << name << u" " << trait.rating << u" has the specialty " << trait.specialty
                       << u", which counts only from " << Character::Trait::SpecialtyRating
                       << u" dots.",
            Severity::Note, where);
    };
    for (int i = 0; i < 9; ++i)
        specialty(AttributeNames[i], c.attributes[i], at(TraitRef::Attribute, 0, i));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            specialty(bare(c.abilities[col][r].name), c.abilities[col][r],
                      at(TraitRef::Ability, col, r));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            specialty(bare(c.secondaries[col][r].name), c.secondaries[col][r],
                      at(TraitRef::Secondary, col, r));
}

void Checker::entry(QStringView name, Table table, Where where)
{
    if (name.isEmpty() || books.inUse(table, name))
        return;
    // A free row may repeat a standard ability, as files of older rules do.
    if (where.trait.group == TraitRef::Ability && tables.StandardAbilities.contains(name))
        return;
    // A value the clan's rules give a flaw ("Monstrous (1)") stands for the entry it revalues.
    if (table == Table::Flaw)
        for (bool zeroAppearance : {false, true})
            if (const auto other =
                    ClanRules::flawUnderClan(name.toString(), {c.header[5], zeroAppearance});
                other && !other->isEmpty() && books.inUse(table, *other))
                return;
    static const QString OutOfUse = QStringLiteral("book-out-of-use");
    static const QString Unknown = QStringLiteral("unknown-entry");
    const QString book = books.bookOf(table, name);
    const QString& rule = book.isEmpty() ? Unknown : OutOfUse;
    // A row's own name decides its sentence: the book out of use that has an entry is the
    // first of them, whichever are chosen. The header's boxes are named by their caption.
    const bool named = where.place != Place::Header;
    const quint64 madeOf = 1ull << 63 | quint64(table);
    if (named && takeOver(rule, name, where, madeOf))
        return;
    const QStringView row = named ? name : QStringView(HeaderNames[where.index]);
    if (!book.isEmpty())
        add(rule, row, Sentence() << name << u" comes from " << book << u", which is not in use.",
            Severity::Breach, where, named ? madeOf : 0);
    else
        add(rule, row, Sentence() << name << u" is not in the rules data.", Severity::Note, where,
            named ? madeOf : 0);
}

void Checker::entries()
{
    entry(c.header[3], Table::Archetype, {Place::Header, {}, 3});
    entry(c.header[4], Table::Archetype, {Place::Header, {}, 4});
    entry(c.header[5], Table::Clan, {Place::Header, {}, 5});
    static constexpr std::array<Table, 3> abilityTables = {Table::Talent, Table::Skill,
                                                           Table::Knowledge};
    static constexpr std::array<Table, 3> secondaryTables = {
        Table::SecondaryTalent, Table::SecondarySkill, Table::SecondaryKnowledge};
    for (int col = 0; col < 3; ++col)
        for (int r = 10; r < c.rows.AbilityRows; ++r)
            entry(bare(c.abilities[col][r].name), abilityTables[col],
                  at(TraitRef::Ability, col, r));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            entry(bare(c.secondaries[col][r].name), secondaryTables[col],
                  at(TraitRef::Secondary, col, r));
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        entry(bare(c.disciplines[r].name), Table::Discipline, at(TraitRef::Discipline, 0, r));
    for (int r = 0; r < c.rows.BackgroundRows; ++r)
        entry(bare(c.backgrounds[r].name), Table::Background, at(TraitRef::Background, 0, r));
    entry(c.path, Table::Path, at(TraitRef::Humanity, 0, 0));
    for (int r = 0; r < c.rows.MeritRows; ++r)
        entry(bare(c.merits[r]), Table::Merit, {Place::Merit, {}, r});
    for (int r = 0; r < c.rows.FlawRows; ++r)
        entry(bare(c.flaws[r]), Table::Flaw, {Place::Flaw, {}, r});
}

void Checker::exclusivePairs()
{
    static const QString Rule = QStringLiteral("exclusive-pair");
    const qsizetype pairs =
        std::min(tables.ExclusivePairsFirst.size(), tables.ExclusivePairsSecond.size());
    const auto merits = c.merits.begin();
    for (int f = 0; f < c.rows.FlawRows; ++f) {
        const QStringView flaw = bare(c.flaws[f]);
        if (flaw.isEmpty())
            continue;
        for (qsizetype k = 0; k < pairs; ++k) {
            if (tables.ExclusivePairsSecond[k] != flaw)
                continue;
            const QString& merit = tables.ExclusivePairsFirst[k];
            if (std::any_of(merits, merits + c.rows.MeritRows,
                            [&merit](const QString& m) { return bare(m) == merit; }))
                add(Rule, flaw,
                    Sentence() << MeritFlawRules::withoutCost(merit) << u" and "
                               << MeritFlawRules::withoutCost(flaw.toString())
                               << u" exclude each other.",
                    Severity::Breach, {Place::Flaw, {}, f});
        }
    }
}

void Checker::flawPoints()
{
    static const QString Rule = QStringLiteral("flaws-over-7");
    if (c.counters.FlawPoints > MeritFlawRules::FlawWarningLimit)
        add(Rule, u"FlawPanel",
            Sentence() << u"Flaws come to " << c.counters.FlawPoints << u" points; at most "
                       << MeritFlawRules::FlawWarningLimit << u" are allowed.",
            Severity::Breach, {Place::Flaw, {}, 0});
}

void Checker::clanRules()
{
    static const QString Rule = QStringLiteral("clan-merit-flaw");
    for (const Character::ClanRuleChange& change : c.clanRuleChanges) {
        if (change.clan != c.header[5])
            continue; // another clan's rule; the entry is back under the user's choice
        Sentence text;
        text << change.entry;
        if (change.replacement.isEmpty())
            text << u" was taken off: it does not apply to ";
        else
            text << u" counts as " << change.replacement << u" for ";
        if (change.clan.isEmpty())
            text << u"a character without a clan.";
        else
            text << u"a " << change.clan << u".";
        add(Rule, u"Clan", text.view(), Severity::Note, {Place::Header, {}, 5});
    }
}

void Checker::derangements()
{
    static const QString Rule = QStringLiteral("elder-derangements");
    if (!c.derangementWarning.isEmpty())
        add(Rule, u"DerangementWarning", Sentence() << c.derangementWarning << u".", Severity::Note,
            {Place::Freebies});
}

void Checker::bought(QStringView name, int rating, int dots, int perDot, Where where,
                     QStringView dotName)
{
    if (dots <= 0 || perDot <= 0)
        return;
    // An over-spent full sheet lists a hundred of these on every pass, nearly all unchanged.
    const quint64 madeOf = quint64(quint16(rating)) | quint64(quint16(dots)) << 16 |
                           quint64(quint16(perDot)) << 32 | quint64(dotName.size()) << 48 |
                           1ull << 63;
    if (takeOver(BoughtRule, name, where, madeOf))
        return;
    const int points = dots * perDot;
    Sentence text;
    text << name << u" " << rating << u": " << dots << u" " << dotName;
    text.plural(dots) << u", " << points << u" point";
    add(BoughtRule, name, text.plural(points).view(), Severity::Note, where, madeOf);
}

void Checker::freebies()
{
    const QStringView tally(c.freebieTally);
    const qsizetype slash = tally.indexOf(u'/');
    if (slash < 0)
        return;
    const qint64 spent = tally.left(slash).toLongLong();
    const qint64 available = tally.mid(slash + 1).toLongLong();
    if (spent <= available)
        return;
    static const QString Rule = QStringLiteral("freebies-overspent");
    add(Rule, u"FreebieTally",
        Sentence() << u"Freebies over-spent by " << spent - available << u": " << spent
                   << u" spent of " << available << u".",
        Severity::Breach, {Place::Freebies});
    // What bought what, in sheet order, so the user sees where to take dots back.
    const PointAccounting::DotCosts costs =
        PointAccounting::dotCosts(c.settings.SecondaryCostFactor, c.settings.ElderRules);
    for (int i = 0; i < 9; ++i)
        bought(AttributeNames[i], c.attributes[i].rating, c.attributes[i].freebies, costs.attribute,
               at(TraitRef::Attribute, 0, i));
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r) {
            const Character::Trait& row = c.abilities[col][r];
            bought(bare(row.name), row.rating, row.freebies, costs.ability,
                   at(TraitRef::Ability, col, r));
        }
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r) {
            const Character::Trait& row = c.secondaries[col][r];
            bought(bare(row.name), row.rating, row.freebies, costs.secondary,
                   at(TraitRef::Secondary, col, r));
        }
    for (int r = 0; r < c.rows.DisciplineRows; ++r) {
        const Character::Trait& row = c.disciplines[r];
        bought(bare(row.name), row.rating, row.freebies, costs.discipline,
               at(TraitRef::Discipline, 0, r));
    }
    for (int r = 0; r < c.rows.BackgroundRows; ++r) {
        const Character::Trait& row = c.backgrounds[r];
        if (row.freebies > 0)
            bought(bare(row.name), row.rating, row.freebies, costs.backgroundDot(row.name),
                   at(TraitRef::Background, 0, r));
    }
    for (int i = 0; i < 3; ++i)
        bought(bare(c.virtueNames[i]), c.virtues[i].rating, c.virtues[i].freebies, costs.virtue,
               at(TraitRef::Virtue, 0, i));
    bought(c.path, c.humanity.rating, c.counters.BoughtHumanity, costs.humanity,
           at(TraitRef::Humanity, 0, 0), u"bought dot");
    bought(u"Willpower", c.willpower.rating, c.willpower.freebies, costs.willpower,
           at(TraitRef::Willpower, 0, 0));
    for (int r = 0; r < c.rows.MeritRows; ++r) {
        const QStringView merit = bare(c.merits[r]);
        if (merit.isEmpty())
            continue;
        if (const int points = MeritFlawRules::cost(merit.toString()); points > 0)
            add(BoughtRule, merit,
                (Sentence() << merit << u": " << points << u" point").plural(points).view(),
                Severity::Note, {Place::Merit, {}, r});
    }
}

void Checker::experience()
{
    static const QString Rule = QStringLiteral("experience-overspent");
    const CharacterExperience& xp = c.experience;
    const int earned = xp.earned();
    const int spent = xp.spent();
    if (spent > earned)
        add(Rule, u"ExperienceTally",
            Sentence() << u"Experience over-spent by " << spent - earned << u": " << spent
                       << u" spent of " << earned << u" earned.",
            Severity::Breach, {Place::Experience});
}

} // namespace

void derive(Character& character, const RuleTables& tables, const EntryBooks& books)
{
    Checker checker(character, tables, books);
    checker.previous = std::move(character.checks);
    checker.checks.reserve(checker.previous.size());
    checker.missingChoices();
    checker.golcondaRatings();
    checker.specialties();
    checker.entries();
    checker.exclusivePairs();
    checker.flawPoints();
    checker.clanRules();
    checker.derangements();
    checker.freebies();
    checker.experience();
    character.checks = std::move(checker.checks);
}

void noteClanRule(std::vector<Character::ClanRuleChange>& changes, const QString& clan, bool flaw,
                  const QString& entry, const QString& replacement)
{
    const Character::ClanRuleChange change{clan, TextRoutines::StripDots(entry), replacement, flaw};
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
