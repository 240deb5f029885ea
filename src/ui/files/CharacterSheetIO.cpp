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
#include "sheet/SheetBinding.h"
#include "engine/RulesSettings.h"
#include "sheet/VirtueEffects.h"
#include "files/CharacterDocument.h"
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

void CharacterSheetIO::ReadCharacter(const CharacterReadResult& result, bool quiet)
{
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

    // The file's values go onto the character the sheet shows, and from it onto the sheet.
    Character character = SheetBinding::readAll(m_form);
    CharacterDocument::apply(result, character);
    SheetBinding::showRead(character, m_form);
    if (r.Notes)
        applyNotes(*r.Notes);

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
