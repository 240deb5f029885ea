#include "MeritsAndFlaws.h"

#include "controls/PaintedSection.h"
#include "controls/TNameEdit.h"
#include "panels/SheetPanel.h"
#include "panels/TechDock.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"

#include <QLabel>
#include <QSignalBlocker>

using TextRoutines::StripDots;

MeritsAndFlaws::MeritsAndFlaws(CharacterView& view) : QObject(&view), m_view(view) {}

void MeritsAndFlaws::connectSheet()
{
    SheetPanel* sheet = m_view.sheet();
    for (auto* rows : {&sheet->MeritRows, &sheet->FlawRows})
        for (TNameEdit* row : *rows)
            connect(row, &TNameEdit::textChanged, this, [this, row] { RowChanged(row); });
}

TNameEdit* MeritsAndFlaws::box(MeritFlawEditing::Row row) const
{
    SheetPanel* sheet = m_view.sheet();
    return (row.flaw ? sheet->FlawRows : sheet->MeritRows)[row.index];
}

// The entry in the handwriting as large as the box allows, padded with full stops.
void MeritsAndFlaws::fit(TNameEdit* row, const QString& entry)
{
    const QSignalBlocker quiet(row);
    TNameEdit::fitFont(row, entry);
    const QString text = TextRoutines::PadWithDots(entry, row->width(), row->font());
    if (row->text() != text)
        row->setText(text);
}

Character MeritsAndFlaws::lists() const
{
    const SheetPanel* sheet = m_view.sheet();
    Character c;
    c.rows = m_view.rowCounts();
    c.counters = m_view.counters();
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        c.merits[r] = StripDots(sheet->MeritRows[r]->text());
        c.flaws[r] = StripDots(sheet->FlawRows[r]->text());
    }
    return c;
}

void MeritsAndFlaws::show(const Character& c)
{
    SheetPanel* sheet = m_view.sheet();
    for (bool flaw : {false, true})
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            TNameEdit* row = box({flaw, r});
            const QString& entry = flaw ? c.flaws[r] : c.merits[r];
            if (StripDots(row->text()) != entry)
                fit(row, entry);
        }
    RowCounts& rows = m_view.rowCounts();
    const bool relaid = rows.MeritRows != c.rows.MeritRows || rows.FlawRows != c.rows.FlawRows;
    rows.MeritRows = c.rows.MeritRows;
    rows.FlawRows = c.rows.FlawRows;
    if (relaid)
        m_view.updateSheetLayout();
    CharacterCounters& counters = m_view.counters();
    Recalculation& pass = m_view.recalculation();
    pass.TalentsDirty |= counters.TalentPenalty != c.counters.TalentPenalty;
    pass.SkillsDirty |= counters.SkillPenalty != c.counters.SkillPenalty;
    pass.KnowledgesDirty |= counters.KnowledgePenalty != c.counters.KnowledgePenalty;
    // Only what the lists decide: a question may have let the idle pass change the rest.
    counters.MeritPoints = c.counters.MeritPoints;
    counters.FlawPoints = c.counters.FlawPoints;
    counters.HugeSize = c.counters.HugeSize;
    counters.ZeroAppearanceFlaw = c.counters.ZeroAppearanceFlaw;
    counters.TalentPenalty = c.counters.TalentPenalty;
    counters.SkillPenalty = c.counters.SkillPenalty;
    counters.KnowledgePenalty = c.counters.KnowledgePenalty;
    sheet->HealthPanel->move(sheet->HealthPanel->x(), c.counters.HugeSize ? 48 : 32);
    m_view.tech()->FlawWarning->setVisible(c.flawWarning);
}

void MeritsAndFlaws::RowChanged(TNameEdit* changed)
{
    SheetPanel* sheet = m_view.sheet();
    const bool flaw =
        std::find(sheet->FlawRows.begin(), sheet->FlawRows.end(), changed) != sheet->FlawRows.end();
    const auto& list = flaw ? sheet->FlawRows : sheet->MeritRows;
    const MeritFlawEditing::Row row{
        flaw, int(std::find(list.begin(), list.end(), changed) - list.begin())};
    const int caret = changed->cursorPosition();
    const QString typed = StripDots(changed->text());
    if (!m_attached) {
        m_lengths = {m_lengths.current, int(typed.size())};
        fit(changed, typed);
        changed->setCursorPosition(std::min<int>(caret, int(typed.size())));
        return;
    }
    m_view.recalculation().MeritFlawRulesDirty = true;
    Character c = lists();
    MeritFlawEditing editing(c, m_view.tables(), m_view.questions());
    editing.setLengths(m_lengths);
    editing.rowChanged(row);
    m_lengths = editing.lengths();
    show(c);
    // The handled row always shows its entry padded, the caret after what was typed.
    fit(changed, flaw ? c.flaws[row.index] : c.merits[row.index]);
    changed->setCursorPosition(
        editing.completed() == row ? int(typed.size()) : std::min<int>(caret, int(typed.size())));
}

void MeritsAndFlaws::recountAll()
{
    m_view.recalculation().MeritFlawRulesDirty = true;
    Character c = lists();
    MeritFlawEditing editing(c, m_view.tables(), m_view.questions());
    editing.setLengths(m_lengths);
    editing.recountAll();
    m_lengths = editing.lengths();
    show(c);
}
