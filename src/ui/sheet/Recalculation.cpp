#include "Recalculation.h"

#include "controls/SpecialtyLabel.h"
#include "controls/TNameEdit.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"
#include "controls/UserMessages.h"
#include "engine/CharacterEditing.h"
#include "engine/CharacterPass.h"
#include "engine/ExperienceSpending.h"
#include "engine/PointAccounting.h"
#include "engine/RulesSettings.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "panels/TechDock.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/ClanEffects.h"
#include "sheet/GenerationEffects.h"
#include "sheet/SheetBinding.h"
#include "sheet/SheetChecks.h"
#include "sheet/VirtueEffects.h"

#include <QAbstractEventDispatcher>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <vector>

using TraitRows = SheetPanel::TraitRows;

namespace {

// The rows of a list through the rule that keeps them tidy: only the rows it moved are
// written, names first, so that a name's own handler sets the row's limit for its rating.
bool rowProcedure(const std::vector<TraitRows*>& columns, int& count, int firstRemovable,
                  const QString& placeholder, bool showRows)
{
    std::vector<Character::Rows> lists(columns.size());
    std::vector<Character::Rows*> models;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            const SheetPanel::TraitRow& row = (*columns[i])[r];
            lists[i][r] = {row.name->text(),
                           row.dots->Filled(),
                           0,
                           row.dots->MinDots(),
                           row.dots->MaxDots(),
                           row.specialty ? row.specialty->specialty() : QString()};
        }
        models.push_back(&lists[i]);
    }
    const int before = count;
    if (!CharacterPass::keepRows(models, count, firstRemovable, placeholder))
        return false;
    for (std::size_t i = 0; i < columns.size(); ++i)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            SheetPanel::TraitRow& row = (*columns[i])[r];
            if (row.name->text() != lists[i][r].name)
                row.name->setText(lists[i][r].name);
            if (row.dots->Filled() != lists[i][r].rating)
                row.dots->setFilled(lists[i][r].rating);
            if (row.specialty)
                row.specialty->setSpecialty(lists[i][r].specialty);
            if (showRows && (r == before || r == count)) {
                row.name->setVisible(r < count);
                row.dots->setVisible(r < count);
            }
        }
    return true;
}

} // namespace

Recalculation::Recalculation(CharacterView& view) : QObject(&view), m_view(view) {}

void Recalculation::bindToIdle()
{
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &Recalculation::Recalculate);
}

void Recalculation::connectSheet()
{
    SheetPanel* sheet = m_view.sheet();
    auto raise = [this](bool& flag) { return [this, &flag] { flag = true; }; };
    const std::array<bool*, 3> columnFlags = {&TalentsDirty, &SkillsDirty, &KnowledgesDirty};
    for (int c = 0; c < 3; ++c) {
        for (auto* rows : {&sheet->AbilityRows[c], &sheet->SecondaryRows[c]})
            for (SheetPanel::TraitRow& row : *rows) {
                connect(row.dots, &TVampireDots::OnChange, this, raise(*columnFlags[c]));
                if (!row.name->isReadOnly())
                    connect(row.name, &TNameEdit::textChanged, this,
                            [this, box = row.name] { FitRowText(box); });
            }
    }
    for (SheetPanel::TraitRow& row : sheet->DisciplineRows) {
        connect(row.dots, &TVampireDots::OnChange, this, raise(DisciplinesDirty));
        connect(row.name, &TNameEdit::textChanged, this,
                [this, box = row.name] { FitRowText(box); });
    }
    // Background names are fitted by the generation rules, which also set their limits.
    for (SheetPanel::TraitRow& row : sheet->BackgroundRows)
        connect(row.dots, &TVampireDots::OnChange, this, raise(BackgroundsDirty));
    // A new rating must show even when its freebie dots stay the same, in which case the
    // pass writes nothing back to the control.
    for (TVampireDots* dots : sheet->findChildren<TVampireDots*>())
        connect(dots, &TVampireDots::OnChange, dots, qOverload<>(&QWidget::update));
    connect(m_view.tech()->AbilityPriorities, &TPriorityBox::OnClick, this,
            [this] { TalentsDirty = SkillsDirty = KnowledgesDirty = true; });
}

void Recalculation::FitRowText(TNameEdit* box)
{
    RowsDirty = true;
    const QSignalBlocker detached(box);
    const int caret = box->cursorPosition();
    const QString name = TextRoutines::StripDots(box->text());
    TNameEdit::fitFont(box, name);
    const int width = box->width();
    const QString padded = TextRoutines::PadWithDots(name, width, box->font());
    if (padded != box->text())
        box->setText(padded);
    box->setCursorPosition(std::min<int>(caret, int(name.size())));
}

void Recalculation::Recalculate()
{
    // A question asked by a rule runs a nested event loop, which must not start a second pass.
    if (m_running || !m_view.hasPanels() || m_view.passesHeld())
        return;
    m_running = true;
    ++m_passes;
    if (RulesChanged)
        applySettings();
    if (DisciplinesDirty || RowsDirty)
        disciplineRows();
    if (BackgroundsDirty || RowsDirty)
        backgroundRows();
    abilityRows();
    if (ClanRulesDirty || MeritFlawRulesDirty)
        applyClanRules();
    // The rows and counters are in place: everything the rules derive, in one pass over the
    // character the sheet shows.
    Character character = SheetBinding::read(m_view);
    // After creation a rating the user changed is paid with experience or put back.
    const QStringList refused =
        ExperienceSpending::reconcile(character, m_view.tables().XpChart, QDate::currentDate());
    CharacterPass::derive(character);
    m_view.checks().derive(character);
    SheetBinding::show(character, m_view);
    m_view.setExperience(character.experience);
    if (!refused.isEmpty())
        QTimer::singleShot(0, this, [this, refused] {
            m_view.messages().showMessage(QStringLiteral("Experience"), refused.join(u'\n'));
        });
    if (BooksDirty)
        paintBookLabels();
    emit passEnding();
    m_running = false;
    if (!anythingDirty())
        emit settled();
}

bool Recalculation::anythingDirty() const
{
    return RulesChanged || TalentsDirty || SkillsDirty || KnowledgesDirty || RowsDirty ||
           DisciplinesDirty || BackgroundsDirty || ClanRulesDirty || MeritFlawRulesDirty ||
           BooksDirty || ResetGeneration;
}

void Recalculation::applySettings()
{
    RulesPanel* panel = m_view.rulesPanel();
    Character c = SheetBinding::readAll(m_view);
    const bool elderShown = ElderShown;
    CharacterEditing::rulesChanged(c, m_view.tables(), ElderShown);
    panel->showPresetMatch(c.presets);
    if (ElderShown != elderShown) {
        DisciplinesDirty = true;
        panel->setElderShown(ElderShown);
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            TNameEdit* name = m_view.sheet()->BackgroundRows[r].name;
            if (TextRoutines::StripDots(name->text()) !=
                TextRoutines::StripDots(c.backgrounds[r].name))
                name->setText(c.backgrounds[r].name);
        }
    }
    panel->showOptions(c.settings);
    m_view.settings() = c.settings;
    for (const auto& [box, grid] :
         {std::pair{m_view.tech()->AttributePriorities, &c.attributePriorities},
          std::pair{m_view.tech()->AbilityPriorities, &c.abilityPriorities}}) {
        if (box->ValueFirst() != grid->value(0))
            box->setValueFirst(grid->value(0));
        if (box->ValueSecond() != grid->value(1))
            box->setValueSecond(grid->value(1));
        if (box->ValueThird() != grid->value(2))
            box->setValueThird(grid->value(2));
    }
    m_view.virtues().applyVirtueNames();
    BackgroundsDirty = DisciplinesDirty = RowsDirty = true;
    TalentsDirty = SkillsDirty = KnowledgesDirty = true;
    RulesChanged = false;
}

void Recalculation::disciplineRows()
{
    DisciplinesDirty = false;
    SheetPanel* sheet = m_view.sheet();
    if (rowProcedure({&sheet->DisciplineRows}, m_view.rowCounts().DisciplineRows, 3,
                     QStringLiteral("..."), true))
        m_view.updateSheetLayout();
}

void Recalculation::backgroundRows()
{
    BackgroundsDirty = false;
    SheetPanel* sheet = m_view.sheet();
    if (rowProcedure({&sheet->BackgroundRows}, m_view.rowCounts().BackgroundRows, 0,
                     QStringLiteral("..."), true))
        m_view.updateSheetLayout();
    deriveGenerationAndAge();
}

void Recalculation::deriveGenerationAndAge()
{
    m_view.generation().deriveFromBackgrounds();
}

void Recalculation::abilityRows()
{
    if (!(TalentsDirty || SkillsDirty || KnowledgesDirty || RowsDirty))
        return;
    TalentsDirty = SkillsDirty = KnowledgesDirty = RowsDirty = false;
    SheetPanel* sheet = m_view.sheet();
    RowCounts& counts = m_view.rowCounts();
    bool changed =
        rowProcedure({&sheet->AbilityRows[0], &sheet->AbilityRows[1], &sheet->AbilityRows[2]},
                     counts.AbilityRows, 10, SheetPanel::RowPlaceholder, false);
    changed |=
        rowProcedure({&sheet->SecondaryRows[0], &sheet->SecondaryRows[1], &sheet->SecondaryRows[2]},
                     counts.SecondaryRows, 0, SheetPanel::RowPlaceholder, false);
    if (changed)
        m_view.updateSheetLayout();
}

void Recalculation::applyClanRules()
{
    ClanRulesDirty = MeritFlawRulesDirty = false;
    m_view.clanEffects().applyMeritFlawRules();
}

void Recalculation::paintBookLabels()
{
    BooksDirty = false;
    m_view.books()->paintPresetLabels();
}
