#include "GenerationEffects.h"

#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "engine/CharacterEditing.h"
#include "engine/GenerationRules.h"
#include "panels/SheetPanel.h"
#include "rules/DataFile.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"

#include <QLabel>

using TextRoutines::StripDots;

GenerationEffects::GenerationEffects(CharacterView& view) : QObject(&view), m_view(view) {}

void GenerationEffects::connectSheet()
{
    SheetPanel* sheet = m_view.sheet();
    connect(sheet->Generation, &TNameEdit::textChanged, this, [this] {
        if (m_attached)
            GenerationChange();
    });
    for (SheetPanel::TraitRow& row : sheet->BackgroundRows)
        connect(row.name, &TNameEdit::textChanged, this,
                [this, name = row.name] { BackgroundNameChanged(name); });
}

void GenerationEffects::GenerationChange()
{
    Character c = SheetBinding::readAll(m_view);
    if (!CharacterEditing::generationSet(c, m_view.tables()))
        return;
    SheetPanel* sheet = m_view.sheet();
    sheet->BloodTurn->setText(c.bloodPerTurn);
    sheet->placeBloodPool(DataFile::leadingNumber(c.header[6]));
    showLimits(c);
    // The generation background the rule kept in step: its name first, whose own handler
    // sets the row's limit, then its rating.
    for (int r = 0; r < m_view.rowCounts().BackgroundRows; ++r) {
        SheetPanel::TraitRow& row = sheet->BackgroundRows[r];
        const Character::Trait& trait = c.backgrounds[r];
        if (StripDots(row.name->text()) != StripDots(trait.name))
            row.name->setText(trait.name);
        if (row.dots->Filled() != trait.rating)
            row.dots->setFilled(trait.rating);
    }
}

void GenerationEffects::raiseLimitsForLoading()
{
    Character c = SheetBinding::readAll(m_view);
    CharacterEditing::raiseLimitsForLoading(c);
    showLimits(c);
}

void GenerationEffects::showLimits(const Character& c)
{
    SheetPanel* sheet = m_view.sheet();
    Recalculation& pass = m_view.recalculation();
    m_view.counters().MaxTraitRating = c.counters.MaxTraitRating;
    const auto attributes = sheet->attributes();
    for (int i = 0; i < 9; ++i)
        attributes[i]->setMaxDots(c.attributes[i].maxDots);
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            sheet->AbilityRows[col][r].dots->setMaxDots(c.abilities[col][r].maxDots);
            sheet->SecondaryRows[col][r].dots->setMaxDots(c.secondaries[col][r].maxDots);
        }
    pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = true;
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
        sheet->BackgroundRows[r].dots->setMaxDots(c.backgrounds[r].maxDots);
    pass.BackgroundsDirty = true;
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
        sheet->DisciplineRows[r].dots->setMaxDots(c.disciplines[r].maxDots);
    pass.DisciplinesDirty = true;
    sheet->AppCrossOut->resize(c.counters.MaxTraitRating * 10 + 83, sheet->AppCrossOut->height());
}

void GenerationEffects::StartingGenerationChanged()
{
    Recalculation& pass = m_view.recalculation();
    pass.ResetGeneration = true;
    pass.RulesChanged = true;
}

void GenerationEffects::BackgroundNameChanged(TNameEdit* name)
{
    const SheetPanel* sheet = m_view.sheet();
    for (const SheetPanel::TraitRow& row : sheet->BackgroundRows)
        if (row.name == name)
            row.dots->setMaxDots(GenerationRules::backgroundMaxDots(
                StripDots(name->text()), m_view.counters().MaxTraitRating));
    m_view.recalculation().FitRowText(name);
}

void GenerationEffects::deriveFromBackgrounds()
{
    Recalculation& pass = m_view.recalculation();
    Character c = SheetBinding::read(m_view);
    c.header[6] = m_view.sheet()->Generation->text();
    CharacterEditing::generationFromBackgrounds(c, pass.ResetGeneration);
    pass.ResetGeneration = false;
    CharacterCounters& counters = m_view.counters();
    counters.AgeFreebieBonus = c.counters.AgeFreebieBonus;
    counters.AgeHumanityPenalty = c.counters.AgeHumanityPenalty;
    TNameEdit* box = m_view.sheet()->Generation;
    if (box->text() == c.header[6])
        return;
    const int caret = box->cursorPosition();
    box->setText(c.header[6]);
    box->setCursorPosition(std::min<int>(caret, int(c.header[6].size())));
}
