#include "GenerationEffects.h"

#include "window/SheetPanel.h"
#include "window/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/CharacterEditing.h"
#include "engine/GenerationRules.h"
#include "sheet/SheetBinding.h"
#include "sheet/Recalculation.h"
#include "rules/DataFile.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>

using TextRoutines::StripDots;

GenerationEffects::GenerationEffects(TMainForm& form) : QObject(&form), m_form(form) {}

void GenerationEffects::connectSheet()
{
    SheetPanel* sheet = m_form.sheet();
    connect(sheet->Generation, &QLineEdit::textChanged, this, [this] {
        if (m_attached)
            GenerationChange();
    });
    for (SheetPanel::TraitRow& row : sheet->BackgroundRows)
        connect(row.name, &QLineEdit::textChanged, this,
                [this, name = row.name] { BackgroundNameChanged(name); });
}

void GenerationEffects::GenerationChange()
{
    Character c = SheetBinding::readAll(m_form);
    if (!CharacterEditing::generationSet(c, m_form.tables()))
        return;
    SheetPanel* sheet = m_form.sheet();
    sheet->BloodTurn->setText(c.bloodPerTurn);
    sheet->placeBloodPool(DataFile::leadingNumber(c.header[6]));
    showLimits(c);
    // The generation background the rule kept in step: its name first, whose own handler
    // sets the row's limit, then its rating.
    for (int r = 0; r < m_form.rowCounts().BackgroundRows; ++r) {
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
    Character c = SheetBinding::readAll(m_form);
    CharacterEditing::raiseLimitsForLoading(c);
    showLimits(c);
}

void GenerationEffects::showLimits(const Character& c)
{
    SheetPanel* sheet = m_form.sheet();
    Recalculation& pass = m_form.recalculation();
    m_form.counters().MaxTraitRating = c.counters.MaxTraitRating;
    const std::array<TVampireDots*, 9> attributes = {
        sheet->Strength, sheet->Dexterity,    sheet->Stamina,     sheet->Charisma, sheet->Manipulation,
        sheet->Appearance, sheet->Perception, sheet->Intelligence, sheet->Wits};
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
    Recalculation& pass = m_form.recalculation();
    pass.ResetGeneration = true;
    pass.RulesChanged = true;
}

void GenerationEffects::BackgroundNameChanged(QLineEdit* name)
{
    const SheetPanel* sheet = m_form.sheet();
    for (const SheetPanel::TraitRow& row : sheet->BackgroundRows)
        if (row.name == name)
            row.dots->setMaxDots(GenerationRules::backgroundMaxDots(
                StripDots(name->text()), m_form.counters().MaxTraitRating));
    m_form.recalculation().FitRowText(name);
}

void GenerationEffects::deriveFromBackgrounds()
{
    Recalculation& pass = m_form.recalculation();
    Character c = SheetBinding::read(m_form);
    c.header[6] = m_form.sheet()->Generation->text();
    CharacterEditing::generationFromBackgrounds(c, pass.ResetGeneration);
    pass.ResetGeneration = false;
    CharacterCounters& counters = m_form.counters();
    counters.AgeFreebieBonus = c.counters.AgeFreebieBonus;
    counters.AgeHumanityPenalty = c.counters.AgeHumanityPenalty;
    QLineEdit* box = m_form.sheet()->Generation;
    if (box->text() == c.header[6])
        return;
    const int caret = box->cursorPosition();
    box->setText(c.header[6]);
    box->setCursorPosition(std::min<int>(caret, int(c.header[6].size())));
}
