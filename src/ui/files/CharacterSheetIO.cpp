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
    Record r = CharacterDocument::record(SheetBinding::readAll(m_form));
    if (withNotes)
        r.Notes = notesLines();
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
