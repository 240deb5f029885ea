#include "ClanEffects.h"

#include "controls/SheetFonts.h"
#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "engine/CharacterEditing.h"
#include "engine/ClanRules.h"
#include "panels/SheetPanel.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"
#include "sheet/SheetChecks.h"


using TextRoutines::StripDots;

ClanEffects::ClanEffects(CharacterView& view) : QObject(&view), m_view(view) {}

void ClanEffects::connectSheet()
{
    connect(m_view.sheet()->Clan, &TNameEdit::textChanged, this, &ClanEffects::ClanChanged);
}

void ClanEffects::setClanRowFixed(int row, bool fixed)
{
    TNameEdit* name = m_view.sheet()->DisciplineRows[row].name;
    name->setReadOnly(fixed);
    name->setFocusPolicy(fixed ? Qt::NoFocus : Qt::StrongFocus);
    name->setFont(fixed ? SheetFonts::face(SheetFonts::Times, 13)
                        : SheetFonts::face(SheetFonts::Handwriting, SheetFonts::NameSize));
    if (fixed)
        name->unsetCursor();
    else
        name->setCursor(m_view.ankhCursor());
    // One more full stop makes the row's own handler re-fit the name in its new font.
    name->setText(name->text() + u'.');
}

void ClanEffects::ClanChanged()
{
    SheetPanel* sheet = m_view.sheet();
    m_view.recalculation().ClanRulesDirty = true;
    TNameEdit::EditBoxResizeToFit(sheet->Clan);
    for (int r = 0; r < 3; ++r)
        setClanRowFixed(r, false);
    Character c = SheetBinding::readAll(m_view);
    const bool fixed = CharacterEditing::clanSet(c, m_view.tables());
    CharacterCounters& counters = m_view.counters();
    counters.ZeroAppearanceClan = c.counters.ZeroAppearanceClan;
    counters.CaitiffClan = c.counters.CaitiffClan;
    if (!fixed)
        return;
    for (int r = 0; r < 3; ++r)
        setClanRowFixed(r, true);
    const int count = c.rows.DisciplineRows;
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        SheetPanel::TraitRow& row = sheet->DisciplineRows[r];
        row.name->setText(c.disciplines[r].name);
        row.name->setVisible(r < count);
        row.dots->setVisible(r < count);
        row.dots->setFilled(c.disciplines[r].rating);
        row.dots->setFreebies(0);
    }
    m_view.rowCounts().DisciplineRows = count;
    m_view.updateSheetLayout();
}

void ClanEffects::applyMeritFlawRules()
{
    SheetPanel* sheet = m_view.sheet();
    const RowCounts& counts = m_view.rowCounts();
    auto box = [sheet](bool flaw, int r) {
        return flaw ? sheet->FlawRows[r] : sheet->MeritRows[r];
    };
    // Each new text runs the lists' own rule through the row's change handler.
    ClanRules::applyToLists(
        {sheet->Clan->text(), m_view.counters().ZeroAppearanceClan},
        {[&counts](bool flaw) { return flaw ? counts.FlawRows : counts.MeritRows; },
         [box](bool flaw, int r) { return StripDots(box(flaw, r)->text()); },
         [this, box](bool flaw, int r, const QString& entry) {
             TNameEdit* row = box(flaw, r);
             m_view.checks().noteClanRule(flaw, row->text(), entry);
             row->setText(entry.isEmpty()
                              ? QString()
                              : TextRoutines::PadWithDots(entry, row->width(), row->font()));
         }});
}
