#include "MeritFlawRules.h"

#include "rules/DataFile.h"

namespace MeritFlawRules {

int cost(const QString& entry)
{
    const qsizetype open = entry.lastIndexOf(u'(');
    if (open < 0)
        return 0;
    return DataFile::leadingNumber(entry.mid(open + 1, 2));
}

QString withoutCost(const QString& entry)
{
    return entry.left(std::max<qsizetype>(0, entry.size() - 4));
}

std::optional<QString> completion(const QString& typed, const QStringList& merits,
                                  const QStringList& flaws)
{
    for (const QStringList* table : {&merits, &flaws})
        for (const QString& entry : *table)
            if (withoutCost(entry) == typed)
                return entry;
    return std::nullopt;
}

QString exclusionQuestion(const QString& taken, const QString& other)
{
    return withoutCost(taken) + QStringLiteral(" and ") + withoutCost(other)
           + QStringLiteral(" is mutually exclusive.\nRemove ") + other + u'?';
}

int closeGaps(QStringList& entries)
{
    entries.removeAll(QString());
    const int count = int(entries.size()) < 20 ? int(entries.size()) + 1 : 20;
    while (entries.size() > 20)
        entries.removeLast();
    while (entries.size() < 20)
        entries.append(QString());
    return count;
}

Totals totals(const QStringList& merits, const QStringList& flaws)
{
    Totals t;
    for (const QString& merit : merits) {
        t.HugeSize |= merit == u"Huge Size (4)";
        t.MeritPoints += cost(merit);
    }
    for (const QString& flaw : flaws) {
        t.ZeroAppearanceFlaw |= flaw == u"Disfigured (2)" || flaw == u"Monstrous (3)";
        if (flaw == u"Inept (5)")
            t.TalentPenalty = 5;
        if (flaw == u"Unskilled (5)")
            t.SkillPenalty = 5;
        if (flaw == u"Uneducated (5)")
            t.KnowledgePenalty = 5;
        t.FlawPoints += cost(flaw);
    }
    return t;
}

} // namespace MeritFlawRules
