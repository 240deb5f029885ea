#include "RuleTables.h"

#include "rules/DataFile.h"
#include "rules/TextRoutines.h"

namespace {

const QString GenerationBackground = QStringLiteral("Generation");
const QString ElderGenerationBackground = QStringLiteral("Elder Generation");

// Walks the lines with one running index; every read past the end yields an empty text
// and every loop also ends at the end, so no content can make the builder overrun.
class LineWalker
{
public:
    explicit LineWalker(const QStringList& lines) : m_lines(lines) {}

    const QString& line(qsizetype offset = 0) const
    {
        static const QString none;
        const qsizetype at = m_i + offset;
        return at < m_lines.size() ? m_lines[at] : none;
    }
    bool inSection() const { return m_i < m_lines.size() && !DataFile::isSectionEnd(line()); }
    void skipHeader()
    {
        if (m_i < m_lines.size() && DataFile::isHeader(line()))
            ++m_i;
    }
    void advance(qsizetype count = 1) { m_i += count; }
    qsizetype position() const { return m_i; }
    void setPosition(qsizetype i) { m_i = i; }

private:
    const QStringList& m_lines;
    qsizetype m_i = 0;
};

void readSingles(LineWalker& walk, SortedTextList& table)
{
    while (walk.inSection()) {
        walk.skipHeader();
        table.add(walk.line());
        walk.advance();
    }
    walk.advance();
}

} // namespace

void RuleTables::build(const QStringList& activeLines, bool elderRules)
{
    for (SortedTextList* table : {&ClanNames, &Archetypes, &TalentChoices, &SkillChoices,
                                  &KnowledgeChoices, &SecondaryTalents, &SecondarySkills,
                                  &SecondaryKnowledges, &Backgrounds, &DisciplineNames, &PathNames,
                                  &Merits, &Flaws})
        table->clear();
    for (QStringList* table :
         {&ClanDiscipline1, &ClanDiscipline2, &ClanDiscipline3, &ClanDescriptions, &ClanWeaknesses,
          &GenerationNames, &GenerationTitles, &GenerationMaxTraits, &GenerationBloodPools,
          &GenerationBloodPerTurn, &StandardAbilities, &PathDescriptions, &ExclusivePairsFirst,
          &ExclusivePairsSecond, &VirtueSets})
        table->clear();
    for (QStringList& texts : PathLevelTexts)
        texts.clear();
    Specialties.clear();

    LineWalker walk(activeLines);

    while (walk.inSection()) {
        walk.skipHeader();
        const qsizetype k = ClanNames.add(walk.line());
        ClanDiscipline1.insert(k, walk.line(1));
        ClanDiscipline2.insert(k, walk.line(2));
        ClanDiscipline3.insert(k, walk.line(3));
        ClanDescriptions.insert(k, walk.line(4));
        ClanWeaknesses.insert(k, walk.line(5));
        walk.advance(6);
    }
    walk.advance();

    while (walk.inSection()) {
        GenerationNames.append(walk.line());
        GenerationTitles.append(walk.line(1));
        GenerationMaxTraits.append(walk.line(2));
        GenerationBloodPools.append(walk.line(3));
        GenerationBloodPerTurn.append(walk.line(4));
        walk.advance(5);
    }
    walk.advance();

    readSingles(walk, Archetypes);

    while (walk.inSection()) {
        StandardAbilities.append(walk.line());
        walk.advance();
    }
    walk.advance();

    for (SortedTextList* table : {&TalentChoices, &SkillChoices, &KnowledgeChoices,
                                  &SecondaryTalents, &SecondarySkills, &SecondaryKnowledges})
        readSingles(walk, *table);

    while (walk.inSection()) {
        walk.skipHeader();
        const QString& name = walk.line();
        Backgrounds.add(elderRules && name == GenerationBackground ? ElderGenerationBackground
                                                                   : name);
        walk.advance();
    }
    walk.advance();

    const qsizetype disciplinesStart = walk.position();
    while (walk.inSection()) {
        walk.skipHeader();
        if (DataFile::leadingNumber(walk.line()) == 0)
            DisciplineNames.add(walk.line());
        walk.advance();
    }
    if (m_powersCreated) {
        for (qsizetype i = 0; i < DisciplineNames.size() && i < PowerLists; ++i)
            DisciplinePowers[i].clear();
    }
    m_powersCreated = true;

    walk.setPosition(disciplinesStart);
    while (walk.inSection()) {
        walk.skipHeader();
        if (DataFile::leadingNumber(walk.line()) != 0) {
            walk.advance(); // a stray power line; the data check refuses these
            continue;
        }
        const qsizetype d = DisciplineNames.indexOf(walk.line());
        while (true) {
            walk.advance();
            if (!walk.inSection() || DataFile::isHeader(walk.line())
                || DataFile::leadingNumber(walk.line()) == 0)
                break;
            if (d >= 0 && d < PowerLists)
                DisciplinePowers[d].add(walk.line());
        }
    }
    walk.advance();

    while (walk.inSection()) {
        walk.skipHeader();
        const qsizetype k = PathNames.add(walk.line());
        PathDescriptions.insert(k, walk.line(1));
        for (int j = 0; j < PathTexts; ++j)
            PathLevelTexts[j].insert(k, walk.line(2 + j));
        walk.advance(12);
    }
    walk.advance();

    readSingles(walk, Merits);
    readSingles(walk, Flaws);

    while (walk.inSection()) {
        ExclusivePairsFirst.append(walk.line());
        ExclusivePairsSecond.append(walk.line(1));
        walk.advance(2);
    }
    walk.advance();

    while (walk.inSection()) {
        walk.skipHeader();
        VirtueSets.append(walk.line());
        walk.advance();
    }
    walk.advance();

    while (walk.inSection()) {
        const QString& line = walk.line();
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        if (colon > 0)
            Specialties[line.left(colon)].append(line.mid(colon + 2));
        walk.advance();
    }
    walk.advance();

    QStringList chart;
    for (; walk.inSection(); walk.advance())
        chart.append(walk.line());
    XpChart = ExperienceChart::fromLines(chart);
}

void RuleTables::renameGenerationBackground(bool elderRules)
{
    const QString& from = elderRules ? GenerationBackground : ElderGenerationBackground;
    const QString& to = elderRules ? ElderGenerationBackground : GenerationBackground;
    for (qsizetype at = Backgrounds.indexOf(from); at >= 0; at = Backgrounds.indexOf(from)) {
        Backgrounds.removeAt(at);
        Backgrounds.add(to);
    }
}

qsizetype RuleTables::disciplineIndex(const QString& rowName) const
{
    return DisciplineNames.indexOf(TextRoutines::StripDots(rowName));
}

qsizetype RuleTables::generationRow(int generation) const
{
    const qsizetype row = generation - 3;
    return row >= 0 && row < GenerationNames.size() ? row : -1;
}

QString RuleTables::standardAbility(int column, int row) const
{
    const qsizetype at = qsizetype(column) * 10 + row;
    return column >= 0 && row >= 0 && row < 10 && at < StandardAbilities.size()
               ? StandardAbilities[at]
               : QString();
}
