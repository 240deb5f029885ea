#include "ClanEffects.h"

#include "app/SheetFonts.h"
#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/ClanRules.h"
#include "engine/Recalculation.h"
#include "rules/TextRoutines.h"

#include <QLineEdit>

using TextRoutines::StripDots;

ClanEffects::ClanEffects(TMainForm& form) : QObject(&form), m_form(form) {}

void ClanEffects::connectSheet()
{
    connect(m_form.sheet()->Clan, &QLineEdit::textChanged, this, &ClanEffects::ClanChanged);
}

void ClanEffects::setClanRowFixed(int row, bool fixed)
{
    QLineEdit* name = m_form.sheet()->DisciplineRows[row].name;
    name->setReadOnly(fixed);
    name->setFocusPolicy(fixed ? Qt::NoFocus : Qt::StrongFocus);
    name->setFont(fixed ? SheetFonts::face(SheetFonts::Times, 13)
                        : SheetFonts::face(SheetFonts::Handwriting, SheetFonts::NameSize));
    if (fixed)
        name->unsetCursor();
    else
        name->setCursor(m_form.ankhCursor());
    // One more full stop makes the row's own handler re-fit the name in its new font.
    name->setText(name->text() + u'.');
}

void ClanEffects::ClanChanged()
{
    SheetPanel* sheet = m_form.sheet();
    CharacterCounters& counters = m_form.counters();
    m_form.recalculation().ClanRulesDirty = true;
    TMainForm::EditBoxResizeToFit(sheet->Clan);
    for (int r = 0; r < 3; ++r)
        setClanRowFixed(r, false);
    counters.ZeroAppearanceClan = false;

    const QString clan = sheet->Clan->text();
    const qsizetype index = m_form.tables().clanIndex(clan);
    if (index < 0)
        return;
    counters.CaitiffClan = ClanRules::isCaitiff(clan);
    counters.ZeroAppearanceClan = ClanRules::hasZeroAppearance(clan);
    if (counters.CaitiffClan)
        return;
    for (int r = 0; r < 3; ++r)
        setClanRowFixed(r, true);

    auto& rows = sheet->DisciplineRows;
    int& count = m_form.rowCounts().DisciplineRows;
    std::vector<ClanRules::Discipline> current;
    for (int r = 0; r < count; ++r)
        current.push_back({StripDots(rows[r].name->text()), rows[r].dots->Filled()});
    const RuleTables& tables = m_form.tables();
    const auto rebuilt = ClanRules::rebuiltDisciplines(
        current, {tables.ClanDiscipline1.value(index), tables.ClanDiscipline2.value(index),
                  tables.ClanDiscipline3.value(index)});
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        SheetPanel::TraitRow& row = rows[r];
        const bool used = r < int(rebuilt.size());
        row.name->setText(used ? rebuilt[r].name : QString());
        row.name->setVisible(used);
        row.dots->setVisible(used);
        row.dots->setFilled(used ? rebuilt[r].rating : 0);
        row.dots->setFreebies(0);
    }
    count = int(std::min<std::size_t>(rebuilt.size(), SheetLayout::RowsPerGroup));
    m_form.updateSheetLayout();
}

void ClanEffects::applyMeritFlawRules()
{
    SheetPanel* sheet = m_form.sheet();
    const ClanRules::Context context{sheet->Clan->text(), m_form.counters().ZeroAppearanceClan};
    auto apply = [](QLineEdit* row, const std::optional<QString>& text) {
        if (!text)
            return;
        row->setText(text->isEmpty() ? QString()
                                     : TextRoutines::PadWithDots(*text, row->width(), row->font()));
    };
    const RowCounts& counts = m_form.rowCounts();
    for (int r = 0; r < counts.FlawRows; ++r)
        apply(sheet->FlawRows[r], ClanRules::flawUnderClan(StripDots(sheet->FlawRows[r]->text()), context));
    for (int r = 0; r < counts.MeritRows; ++r)
        apply(sheet->MeritRows[r],
              ClanRules::meritUnderClan(StripDots(sheet->MeritRows[r]->text()), context));
}
