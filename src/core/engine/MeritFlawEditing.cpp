#include "MeritFlawEditing.h"

#include "engine/MeritFlawRules.h"
#include "engine/RuleQuestions.h"
#include "rules/RuleTables.h"

namespace {

constexpr int RowsPerGroup = SheetLayout::RowsPerGroup;

} // namespace

MeritFlawEditing::MeritFlawEditing(Character& character, const RuleTables& tables,
                                   RuleQuestions& questions)
    : m_c(character), m_tables(tables), m_questions(questions)
{
}

QString& MeritFlawEditing::entry(Row row)
{
    return row.flaw ? m_c.flaws[row.index] : m_c.merits[row.index];
}

void MeritFlawEditing::remember(Row row)
{
    m_lengths.previous = m_lengths.current;
    m_lengths.current = int(entry(row).size());
}

void MeritFlawEditing::rowChanged(Row row)
{
    if (m_handling.contains(row))
        return;
    m_handling.append(row);
    remember(row);
    QString taken = entry(row);
    if (m_lengths.current > m_lengths.previous) {
        if (const auto completed =
                MeritFlawRules::completion(taken, m_tables.Merits.items(), m_tables.Flaws.items())) {
            taken = *completed;
            entry(row) = taken;
            m_completed = row;
        }
    }
    excludedBy(row);
    addShortToChild(taken);
    keepList(false, true);
    keepList(true, true);
    recount();
    m_handling.removeOne(row);
}

void MeritFlawEditing::recountAll()
{
    keepList(false, false);
    keepList(true, false);
    recount();
}

// Asks about every entry of the other list that this one excludes. "Remove" clears the
// other entry, "Cancel" withdraws this one; the rest of the rule still works with this one.
void MeritFlawEditing::excludedBy(Row row)
{
    const QString taken = entry(row);
    for (int k = 0; k < m_tables.ExclusivePairsFirst.size(); ++k) {
        const QString& first = m_tables.ExclusivePairsFirst[k];
        const QString& second = m_tables.ExclusivePairsSecond.value(k);
        const bool isFirst = first == taken;
        if (!isFirst && second != taken)
            continue;
        const QString& other = isFirst ? second : first;
        const bool otherFlaw = isFirst;
        const int count = otherFlaw ? m_c.rows.FlawRows : m_c.rows.MeritRows;
        for (int j = 0; j < count; ++j) {
            const Row otherRow{otherFlaw, j};
            if (entry(otherRow) != other)
                continue;
            const int answer = m_questions.ask(MeritFlawRules::exclusionQuestion(taken, other),
                                               QStringLiteral("Remove"), QStringLiteral("Cancel"));
            if (answer == 1) {
                entry(otherRow).clear();
                rowChanged(otherRow);
            } else {
                entry(row).clear();
            }
        }
    }
}

void MeritFlawEditing::addShortToChild(const QString& taken)
{
    const int count = m_c.rows.FlawRows;
    // A full list has no row left for it; nothing is overwritten.
    if (taken != u"Child (3)" || count >= RowsPerGroup)
        return;
    for (int r = 0; r < count; ++r)
        if (m_c.flaws[r] == u"Short (1)")
            return;
    m_c.flaws[count] = QStringLiteral("Short (1)");
    rowChanged({true, count});
}

void MeritFlawEditing::keepList(bool flaws, bool withRules)
{
    auto& rows = flaws ? m_c.flaws : m_c.merits;
    int& count = flaws ? m_c.rows.FlawRows : m_c.rows.MeritRows;
    QStringList list(rows.begin(), rows.end());
    const int newCount = MeritFlawRules::closeGaps(list);
    // The whole list moves first, so that no row's rule sees an entry twice half-way.
    QList<int> moved;
    for (int r = 0; r < RowsPerGroup; ++r) {
        if (rows[r] == list[r])
            continue;
        rows[r] = list[r];
        moved.append(r);
    }
    count = newCount;
    for (int r : moved) {
        const Row row{flaws, r};
        if (!withRules || m_handling.contains(row))
            remember(row); // the row still fits its new text
        else
            rowChanged(row);
    }
}

void MeritFlawEditing::recount()
{
    const auto entries = [](const auto& rows, int count) {
        return QStringList(rows.begin(), rows.begin() + count);
    };
    const MeritFlawRules::Totals totals = MeritFlawRules::totals(
        entries(m_c.merits, m_c.rows.MeritRows), entries(m_c.flaws, m_c.rows.FlawRows));
    CharacterCounters& counters = m_c.counters;
    counters.MeritPoints = totals.MeritPoints;
    counters.FlawPoints = totals.FlawPoints;
    counters.HugeSize = totals.HugeSize;
    counters.ZeroAppearanceFlaw = totals.ZeroAppearanceFlaw;
    counters.TalentPenalty = totals.TalentPenalty;
    counters.SkillPenalty = totals.SkillPenalty;
    counters.KnowledgePenalty = totals.KnowledgePenalty;
    m_c.flawWarning = totals.FlawPoints > MeritFlawRules::FlawWarningLimit;
}
