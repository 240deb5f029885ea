#include "CharacterSheetIO.h"

#include "window/RulesPanel.h"
#include "window/SheetPanel.h"
#include "window/SourcebooksPanel.h"
#include "window/TMainForm.h"
#include "window/UserMessages.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"
#include "sheet/ClanEffects.h"
#include "sheet/GenerationEffects.h"
#include "sheet/MeritsAndFlaws.h"
#include "sheet/Recalculation.h"
#include "engine/RulesSettings.h"
#include "sheet/VirtueEffects.h"
#include "files/CharacterFileText.h"
#include "output/RtfReader.h"
#include "output/RtfWriter.h"
#include "rules/TextRoutines.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextEdit>

using Record = CharacterRecord;

namespace {

// Header boxes in file order.
std::array<QLineEdit*, 9> headerBoxes(SheetPanel* s)
{
    return {s->Name, s->Player, s->Chronicle, s->Nature, s->Demeanor,
            s->Clan, s->Generation, s->Haven, s->Concept};
}
std::array<TVampireDots*, 9> attributeDots(SheetPanel* s)
{
    return {s->Strength, s->Dexterity, s->Stamina, s->Charisma, s->Manipulation,
            s->Appearance, s->Perception, s->Intelligence, s->Wits};
}

Record::PriorityBox priorities(const TPriorityBox* box)
{
    return {box->CategoryOne(), box->CategoryTwo(), box->CategoryThree(),
            box->ValueFirst(), box->ValueSecond(), box->ValueThird()};
}

Record::Trait trait(const SheetPanel::TraitRow& row)
{
    return {row.name->text(), row.dots->Filled()};
}

// A name is written as the row will show it, padded in the row's font, so that the row's own
// fitting finds nothing to change: every write lays the text out anew.
void setName(QLineEdit* box, const QString& text)
{
    const QString name = TextRoutines::StripDots(text);
    if (name.isEmpty() && TextRoutines::StripDots(box->text()).isEmpty())
        return; // an empty row stays as it shows
    const QString shown = TextRoutines::PadWithDots(name, box->width(), box->font());
    if (box->text() != shown)
        box->setText(shown);
}

void setTrait(SheetPanel::TraitRow& row, const Record::Trait& trait)
{
    setName(row.name, trait.name);
    row.dots->setFilled(trait.rating);
}

// A value the file carries replaces the sheet's; an absent one leaves it.
template <typename T, typename U>
void take(const std::optional<T>& value, U& target)
{
    if (value)
        target = *value;
}

void clearTrait(SheetPanel::TraitRow& row)
{
    if (!TextRoutines::StripDots(row.name->text()).isEmpty())
        row.name->setText(SheetPanel::RowPlaceholder);
    row.dots->setFilled(0);
}

} // namespace

CharacterSheetIO::CharacterSheetIO(TMainForm& form) : m_form(form) {}

QStringList CharacterSheetIO::notesLines()
{
    QTextDocument* document = m_form.Notepad->document();
    const QByteArray* notes = &m_notes;
    if (document->isModified()) {
        m_edited = RtfWriter::write(*document);
        notes = &m_edited;
    }
    QFile scratch(m_form.scratchPath());
    if (m_inScratch != *notes && scratch.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && scratch.write(*notes) == notes->size())
        m_inScratch = *notes;
    return notes->isEmpty() ? QStringList() : CharacterFileText::decode(*notes);
}

void CharacterSheetIO::notesSaved()
{
    if (m_form.Notepad->document()->isModified())
        m_notes = m_edited;
    m_form.Notepad->document()->setModified(false);
}

Record CharacterSheetIO::WriteCharacter(bool withNotes)
{
    SheetPanel* s = m_form.sheet();
    const RowCounts& rows = m_form.rowCounts();
    Record r;
    const auto boxes = headerBoxes(s);
    const auto fields = CharacterRecord::headerFields();
    for (int i = 0; i < 9; ++i)
        r.*fields[i] = boxes[i]->text();
    r.FixedAbilities.emplace();
    for (int row = 0; row < 10; ++row)
        (*r.FixedAbilities)[row] = {s->AbilityRows[0][row].dots->Filled(),
                                    s->AbilityRows[1][row].dots->Filled(),
                                    s->AbilityRows[2][row].dots->Filled()};
    r.FreeAbilities.emplace();
    for (int row = 10; row < rows.AbilityRows; ++row)
        r.FreeAbilities->append({trait(s->AbilityRows[0][row]), trait(s->AbilityRows[1][row]),
                                 trait(s->AbilityRows[2][row])});
    r.SecondaryAbilities.emplace();
    for (int row = 0; row < rows.SecondaryRows; ++row)
        r.SecondaryAbilities->append({trait(s->SecondaryRows[0][row]),
                                      trait(s->SecondaryRows[1][row]),
                                      trait(s->SecondaryRows[2][row])});
    r.Disciplines.emplace();
    for (int row = 0; row < rows.DisciplineRows; ++row)
        r.Disciplines->append(trait(s->DisciplineRows[row]));
    r.Backgrounds.emplace();
    for (int row = 0; row < rows.BackgroundRows; ++row)
        r.Backgrounds->append(trait(s->BackgroundRows[row]));
    r.Conscience = s->Conscience->Filled();
    r.SelfControl = s->SelfControl->Filled();
    r.Courage = s->Courage->Filled();
    r.Merits.emplace();
    for (int row = 0; row < rows.MeritRows; ++row)
        r.Merits->append(s->MeritRows[row]->text());
    r.Flaws.emplace();
    for (int row = 0; row < rows.FlawRows; ++row)
        r.Flaws->append(s->FlawRows[row]->text());
    r.Path = s->Path->text();
    r.BoughtHumanity = m_form.counters().BoughtHumanity;
    r.BoughtWillpower = m_form.counters().BoughtWillpower;
    if (withNotes)
        r.Notes = notesLines();
    r.AttributePriorities = priorities(m_form.AttributePriorities);
    r.AbilityPriorities = priorities(m_form.AbilityPriorities);

    // The allowances and limits as the numbers in force, the rest of the rules as they stand.
    const RulesPanel* panel = m_form.rulesPanel();
    const RulesSettings& settings = m_form.settings();
    RulesSettings inForce = settings;
    readRulesBoxes(panel->boxTexts(), inForce);
    r.DisciplineEdit = QString::number(inForce.DisciplinePoints);
    r.BackgroundEdit = QString::number(inForce.BackgroundPoints);
    r.VirtueEdit = QString::number(inForce.VirtuePoints);
    r.MaxPrimaryEdit = QString::number(inForce.MaxAbilityRating);
    r.MaxSecondaryEdit = QString::number(inForce.MaxSecondaryRating);
    r.MaxHumanityEdit = panel->MaxHumanityEdit->text();
    r.FreebiesEdit = QString::number(inForce.FreebiePoints);
    r.VirtueNamesEdit = panel->VirtueNamesEdit->text();
    r.SecondaryCostFactor = settings.SecondaryCostFactor;
    r.GolcondaOn = settings.GolcondaOn;
    r.GolcondaChoice = settings.GolcondaChoice;
    const auto dots = attributeDots(s);
    const auto attributes = CharacterRecord::attributeFields();
    for (int i = 0; i < 9; ++i)
        r.*attributes[i] = dots[i]->Filled();
    r.ChosenBooks = m_form.books()->ChosenBooks().items();
    r.HumanityFromVirtues = settings.HumanityFromVirtues;
    r.WillpowerFromVirtues = settings.WillpowerFromVirtues;
    r.Humanity = s->Humanity->Filled();
    r.Willpower = s->Willpower->Filled();
    r.StartingGenerationEdit = panel->StartingGenerationEdit->text();
    r.ElysiumRule = settings.ElysiumRule;
    r.DirtySecretsRule = settings.DirtySecretsRule;
    r.ElderRules = settings.ElderRules;
    return r;
}

void CharacterSheetIO::applyNotes(const QStringList& lines)
{
    m_notes = CharacterFileText::encode(lines);
    QFile scratch(m_form.scratchPath());
    m_inScratch.reset();
    if (scratch.open(QIODevice::WriteOnly | QIODevice::Truncate) && scratch.write(m_notes) == m_notes.size())
        m_inScratch = m_notes;
    QTextDocument* document = m_form.Notepad->document();
    RtfReader reader;
    if (!reader.read(m_notes, document)) {
        // Notes that are not rich text still show, as plain lines.
        document->setPlainText(lines.join(u'\n'));
        document->setModified(false);
    }
}

void CharacterSheetIO::applyRows(const Record& r)
{
    SheetPanel* s = m_form.sheet();
    RowCounts& rows = m_form.rowCounts();
    using SheetLayout::RowsPerGroup;
    if (r.FreeAbilities) {
        rows.AbilityRows = 10 + int(r.FreeAbilities->size());
        for (int row = 10; row < RowsPerGroup; ++row) {
            const bool used = row < rows.AbilityRows;
            const auto* line = used ? &(*r.FreeAbilities)[row - 10] : nullptr;
            for (int c = 0; c < 3; ++c) {
                if (!line)
                    clearTrait(s->AbilityRows[c][row]);
                else
                    setTrait(s->AbilityRows[c][row], c == 0 ? line->talent : c == 1 ? line->skill : line->knowledge);
            }
        }
    }
    if (r.SecondaryAbilities) {
        rows.SecondaryRows = int(r.SecondaryAbilities->size());
        for (int row = 0; row < RowsPerGroup; ++row) {
            const auto* line = row < rows.SecondaryRows ? &(*r.SecondaryAbilities)[row] : nullptr;
            for (int c = 0; c < 3; ++c) {
                if (!line)
                    clearTrait(s->SecondaryRows[c][row]);
                else
                    setTrait(s->SecondaryRows[c][row], c == 0 ? line->talent : c == 1 ? line->skill : line->knowledge);
            }
        }
    }
    const std::pair<const std::optional<QList<Record::Trait>>*, std::pair<SheetPanel::TraitRows*, int*>> lists[] = {
        {&r.Disciplines, {&s->DisciplineRows, &rows.DisciplineRows}},
        {&r.Backgrounds, {&s->BackgroundRows, &rows.BackgroundRows}}};
    for (const auto& [list, target] : lists) {
        if (!*list)
            continue;
        auto& [sheetRows, count] = target;
        *count = int((*list)->size());
        for (int row = 0; row < RowsPerGroup; ++row) {
            if (row < *count)
                setTrait((*sheetRows)[row], (**list)[row]);
            else
                clearTrait((*sheetRows)[row]);
        }
    }
    if (r.Conscience)
        s->Conscience->setFilled(*r.Conscience);
    if (r.SelfControl)
        s->SelfControl->setFilled(*r.SelfControl);
    if (r.Courage)
        s->Courage->setFilled(*r.Courage);
    const std::pair<const std::optional<QStringList>*, std::pair<SheetPanel::NameRows*, int*>> names[] = {
        {&r.Merits, {&s->MeritRows, &rows.MeritRows}}, {&r.Flaws, {&s->FlawRows, &rows.FlawRows}}};
    for (const auto& [list, target] : names) {
        if (!*list)
            continue;
        auto& [sheetRows, count] = target;
        *count = int((*list)->size());
        for (int row = 0; row < RowsPerGroup; ++row) {
            QLineEdit* box = (*sheetRows)[row];
            if (row < *count)
                setName(box, (**list)[row]);
            else if (!TextRoutines::StripDots(box->text()).isEmpty())
                box->setText(QString());
        }
    }
    m_form.updateSheetLayout();
}

void CharacterSheetIO::applyRules(const CharacterReadResult& result)
{
    const Record& r = result.record;
    RulesPanel* panel = m_form.rulesPanel();
    RulesSettings& settings = m_form.settings();
    const std::pair<TPriorityBox*, const std::optional<Record::PriorityBox>*> boxes[] = {
        {m_form.AttributePriorities, &r.AttributePriorities},
        {m_form.AbilityPriorities, &r.AbilityPriorities}};
    for (const auto& [box, values] : boxes) {
        if (!*values)
            continue;
        // Values that match no allowance, so that writing one re-assigns no category.
        box->setCategoryOne(-1);
        box->setCategoryTwo(-2);
        box->setCategoryThree(-3);
        box->setValueFirst(-1);
        box->setValueSecond(-2);
        box->setValueThird(-3);
        box->setCategoryOne((*values)->CategoryOne);
        box->setCategoryTwo((*values)->CategoryTwo);
        box->setCategoryThree((*values)->CategoryThree);
        box->setValueFirst((*values)->ValueFirst);
        box->setValueSecond((*values)->ValueSecond);
        box->setValueThird((*values)->ValueThird);
    }
    if (r.AttributePriorities) {
        panel->AttPriEdit->setText(QString::number(r.AttributePriorities->ValueFirst));
        panel->AttSecEdit->setText(QString::number(r.AttributePriorities->ValueSecond));
        panel->AttTerEdit->setText(QString::number(r.AttributePriorities->ValueThird));
    }
    if (r.AbilityPriorities) {
        panel->AbPriEdit->setText(QString::number(r.AbilityPriorities->ValueFirst));
        panel->AbSecEdit->setText(QString::number(r.AbilityPriorities->ValueSecond));
        panel->AbTerEdit->setText(QString::number(r.AbilityPriorities->ValueThird));
    }
    const std::pair<QLineEdit*, const std::optional<QString>*> texts[] = {
        {panel->DisciplineEdit, &r.DisciplineEdit}, {panel->BackgroundEdit, &r.BackgroundEdit},
        {panel->VirtueEdit, &r.VirtueEdit},         {panel->MaxPrimaryEdit, &r.MaxPrimaryEdit},
        {panel->MaxSecondaryEdit, &r.MaxSecondaryEdit}, {panel->MaxHumanityEdit, &r.MaxHumanityEdit},
        {panel->FreebiesEdit, &r.FreebiesEdit},     {panel->VirtueNamesEdit, &r.VirtueNamesEdit}};
    for (const auto& [box, text] : texts)
        if (*text)
            box->setText(**text);
    take(r.SecondaryCostFactor, settings.SecondaryCostFactor);
    take(r.GolcondaOn, settings.GolcondaOn);
    take(r.GolcondaChoice, settings.GolcondaChoice);
    const auto dots = attributeDots(m_form.sheet());
    const auto attributes = CharacterRecord::attributeFields();
    for (int i = 0; i < 9; ++i)
        if (r.*attributes[i])
            dots[i]->setFilled(*(r.*attributes[i]));
    if (r.ChosenBooks)
        m_form.books()->setChosenBooks(*r.ChosenBooks);
    take(r.HumanityFromVirtues, settings.HumanityFromVirtues);
    take(r.WillpowerFromVirtues, settings.WillpowerFromVirtues);
    if (r.Humanity)
        m_form.sheet()->Humanity->setFilled(*r.Humanity);
    if (r.Willpower)
        m_form.sheet()->Willpower->setFilled(*r.Willpower);
    if (r.StartingGenerationEdit) {
        // Written without its change handler: restarting the generation from it would lose
        // the generation the file gives.
        const QSignalBlocker quiet(panel->StartingGenerationEdit);
        panel->StartingGenerationEdit->setText(*r.StartingGenerationEdit);
        settings.StartingGeneration = result.StartingGeneration.value_or(0);
    }
    take(r.ElysiumRule, settings.ElysiumRule);
    take(r.DirtySecretsRule, settings.DirtySecretsRule);
    take(r.ElderRules, settings.ElderRules);
}

void CharacterSheetIO::ReadCharacter(const CharacterReadResult& result, bool quiet)
{
    SheetPanel* s = m_form.sheet();
    const Record& r = result.record;
    m_form.virtues().setAttached(false);
    m_form.generation().setAttached(false);
    m_form.meritsAndFlaws().setAttached(false);
    m_form.counters().AgeHumanityPenalty = 0;
    // No rating read below may be cut down by the limits of the character shown before.
    m_form.generation().raiseLimitsForLoading();
    if (!quiet)
        for (const auto& message : result.messages)
            m_form.messages().showMessage(message.caption, message.text);

    const auto boxes = headerBoxes(s);
    const auto fields = CharacterRecord::headerFields();
    for (int i = 0; i < 9; ++i) {
        if (!(r.*fields[i]))
            continue;
        // The clan change runs once the rows are read.
        const QSignalBlocker clanLater(boxes[i] == s->Clan ? s->Clan : nullptr);
        boxes[i]->setText(*(r.*fields[i]));
    }
    if (r.FixedAbilities)
        for (int row = 0; row < 10; ++row) {
            s->AbilityRows[0][row].dots->setFilled((*r.FixedAbilities)[row].talent);
            s->AbilityRows[1][row].dots->setFilled((*r.FixedAbilities)[row].skill);
            s->AbilityRows[2][row].dots->setFilled((*r.FixedAbilities)[row].knowledge);
        }
    applyRows(r);
    if (r.Path)
        s->Path->setText(*r.Path);
    take(r.BoughtHumanity, m_form.counters().BoughtHumanity);
    take(r.BoughtWillpower, m_form.counters().BoughtWillpower);
    if (r.Notes)
        applyNotes(*r.Notes);
    applyRules(result);

    Recalculation& pass = m_form.recalculation();
    if (result.completed()) {
        pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = pass.RowsDirty = true;
        pass.DisciplinesDirty = pass.BackgroundsDirty = pass.RulesChanged = pass.BooksDirty = true;
        m_form.updateSheetLayout();
    }
    // The limits follow the generation shown, whether the read went through or not.
    m_form.generation().GenerationChange();
    m_form.meritsAndFlaws().setAttached(true);
    if (result.completed()) {
        m_form.meritsAndFlaws().recountAll();
        QTextCursor caret = m_form.Notepad->textCursor();
        caret.movePosition(QTextCursor::Start);
        m_form.Notepad->setTextCursor(caret);
        m_form.books()->applySelection();
    }
    m_form.virtues().setAttached(true);
    m_form.generation().setAttached(true);
    m_form.clanEffects().ClanChanged();
}
