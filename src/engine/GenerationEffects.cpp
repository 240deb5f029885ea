#include "GenerationEffects.h"

#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/GenerationRules.h"
#include "engine/Recalculation.h"
#include "rules/DataFile.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>

using TextRoutines::StripDots;

namespace {

std::vector<GenerationRules::Background> backgroundsInUse(const SheetPanel& sheet, int count)
{
    std::vector<GenerationRules::Background> rows;
    for (int r = 0; r < count; ++r)
        rows.push_back({StripDots(sheet.BackgroundRows[r].name->text()),
                        sheet.BackgroundRows[r].dots->Filled()});
    return rows;
}

} // namespace

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
    SheetPanel* sheet = m_form.sheet();
    const int g = DataFile::leadingNumber(sheet->Generation->text());
    if (g < GenerationRules::Lowest || g > GenerationRules::Highest)
        return;
    const QStringList& perTurn = m_form.tables().GenerationBloodPerTurn;
    if (g - 3 < perTurn.size())
        sheet->BloodTurn->setText(perTurn[g - 3]);
    sheet->placeBloodPool(g);
    const RulesSettings& settings = m_form.settings();
    m_form.counters().MaxTraitRating =
        GenerationRules::maxTraitRating(g, settings.GolcondaOn, settings.GolcondaChoice);
    applyLimits();
    keepGenerationBackground(g);
}

void GenerationEffects::raiseLimitsForLoading()
{
    m_form.counters().MaxTraitRating = GenerationRules::maxTraitRating(GenerationRules::Lowest, false, 0);
    applyLimits();
}

void GenerationEffects::applyLimits()
{
    SheetPanel* sheet = m_form.sheet();
    const RulesSettings& settings = m_form.settings();
    Recalculation& pass = m_form.recalculation();
    const int limit = m_form.counters().MaxTraitRating;
    for (TVampireDots* dots : {sheet->Strength, sheet->Dexterity, sheet->Stamina, sheet->Charisma,
                               sheet->Manipulation, sheet->Appearance, sheet->Perception,
                               sheet->Intelligence, sheet->Wits})
        dots->setMaxDots(limit);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            sheet->AbilityRows[c][r].dots->setMaxDots(limit);
            sheet->SecondaryRows[c][r].dots->setMaxDots(limit);
        }
    pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = true;
    for (SheetPanel::TraitRow& row : sheet->BackgroundRows)
        row.dots->setMaxDots(GenerationRules::backgroundMaxDots(StripDots(row.name->text()), limit));
    pass.BackgroundsDirty = true;
    const int disciplineLimit =
        GenerationRules::disciplineMaxDots(limit, settings.GolcondaOn, settings.GolcondaChoice);
    for (SheetPanel::TraitRow& row : sheet->DisciplineRows)
        row.dots->setMaxDots(disciplineLimit);
    pass.DisciplinesDirty = true;
    sheet->AppCrossOut->resize(limit * 10 + 83, sheet->AppCrossOut->height());
}

void GenerationEffects::keepGenerationBackground(int generation)
{
    SheetPanel* sheet = m_form.sheet();
    const RulesSettings& settings = m_form.settings();
    const auto change = GenerationRules::backgroundForGeneration(
        generation, settings.StartingGeneration, settings.ElderRules,
        backgroundsInUse(*sheet, m_form.rowCounts().BackgroundRows));
    if (change.row < 0)
        return;
    SheetPanel::TraitRow& row = sheet->BackgroundRows[change.row];
    if (StripDots(row.name->text()) != change.name)
        row.name->setText(change.name);
    row.dots->setFilled(change.rating);
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
    SheetPanel* sheet = m_form.sheet();
    Recalculation& pass = m_form.recalculation();
    const auto derived = GenerationRules::derive(
        DataFile::leadingNumber(sheet->Generation->text()), m_form.settings().StartingGeneration,
        pass.ResetGeneration, backgroundsInUse(*sheet, m_form.rowCounts().BackgroundRows));
    pass.ResetGeneration = false;
    CharacterCounters& counters = m_form.counters();
    counters.AgeFreebieBonus = derived.age.freebieBonus;
    counters.AgeHumanityPenalty = derived.age.humanityPenalty;
    QLineEdit* box = sheet->Generation;
    if (box->text() == derived.text)
        return;
    const int caret = box->cursorPosition();
    box->setText(derived.text);
    box->setCursorPosition(std::min<int>(caret, int(derived.text.size())));
}
