#pragma once

#include "rules/DataGrammar.h"
#include "rules/ExperienceChart.h"
#include "rules/SortedTextList.h"

#include <QHash>
#include <QStringList>
#include <array>

// The rule tables: the in-memory form of the rules data that every list, hover text and
// content rule is served from. Parallel columns share the index of their key table.
class RuleTables
{
public:
    static constexpr int PowerLists = DataGrammar::MaxDisciplines;
    static constexpr int PathTexts = 10;

    // Refills every table from the lines that survive the sourcebook filter. Stops at the
    // end of the lines whatever they hold.
    void build(const QStringList& activeLines, bool elderRules);

    // "Generation" becomes "Elder Generation" while the elder rules are on, and back.
    void renameGenerationBackground(bool elderRules);

    // Exact (case-sensitive) first match, or -1.
    qsizetype clanIndex(const QString& clan) const { return ClanNames.indexOf(clan); }
    // The discipline named by a sheet row (trailing full stops ignored), or -1.
    qsizetype disciplineIndex(const QString& rowName) const;
    // Row of generation 3 to 15, or -1 outside that range or the table.
    qsizetype generationRow(int generation) const;
    // Standard ability of column 0 (Talents), 1 (Skills) or 2 (Knowledges), row 0 to 9.
    QString standardAbility(int column, int row) const;

    SortedTextList ClanNames;
    QStringList ClanDiscipline1, ClanDiscipline2, ClanDiscipline3;
    QStringList ClanDescriptions, ClanWeaknesses;

    QStringList GenerationNames, GenerationTitles, GenerationMaxTraits, GenerationBloodPools,
        GenerationBloodPerTurn;

    SortedTextList Archetypes;
    QStringList StandardAbilities;
    SortedTextList TalentChoices, SkillChoices, KnowledgeChoices;
    SortedTextList SecondaryTalents, SecondarySkills, SecondaryKnowledges;
    SortedTextList Backgrounds;

    SortedTextList DisciplineNames;
    // List i belongs to DisciplineNames entry i; only the first DisciplineNames.size() are
    // current, the others keep what an earlier build left and are never read.
    std::array<SortedTextList, PowerLists> DisciplinePowers;

    SortedTextList PathNames;
    QStringList PathDescriptions;
    std::array<QStringList, PathTexts> PathLevelTexts;

    SortedTextList Merits, Flaws;
    QStringList ExclusivePairsFirst, ExclusivePairsSecond;
    QStringList VirtueSets;

    // The suggested specialties of an attribute or standard ability, in data order.
    QStringList specialties(const QString& trait) const { return Specialties.value(trait); }
    QHash<QString, QStringList> Specialties;

    // The revised chart unless the data gives lines of its own.
    ExperienceChart XpChart;

private:
    bool m_powersCreated = false;
};
