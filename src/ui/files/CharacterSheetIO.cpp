#include "CharacterSheetIO.h"

#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"
#include "controls/UserMessages.h"
#include "engine/RulesSettings.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "output/RtfReader.h"
#include "output/RtfWriter.h"
#include "panels/NotesPanel.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/ClanEffects.h"
#include "sheet/GenerationEffects.h"
#include "sheet/MeritsAndFlaws.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"
#include "sheet/SheetChecks.h"
#include "sheet/VirtueEffects.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextEdit>

using Record = CharacterRecord;

CharacterSheetIO::CharacterSheetIO(CharacterView& view, const QString& scratchPath)
    : m_view(view), m_scratchPath(scratchPath)
{
}

QStringList CharacterSheetIO::notesLines()
{
    QTextDocument* document = m_view.notes()->document();
    const QByteArray* notes = &m_notes;
    if (document->isModified()) {
        m_edited = RtfWriter::write(*document);
        notes = &m_edited;
    }
    QFile scratch(m_scratchPath);
    if (m_inScratch != *notes && scratch.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        scratch.write(*notes) == notes->size())
        m_inScratch = *notes;
    return notes->isEmpty() ? QStringList() : CharacterFileText::decode(*notes);
}

void CharacterSheetIO::notesSaved()
{
    if (m_view.notes()->document()->isModified())
        m_notes = m_edited;
    m_view.notes()->document()->setModified(false);
}

Record CharacterSheetIO::WriteCharacter(bool withNotes)
{
    Record r = CharacterDocument::record(SheetBinding::readAll(m_view));
    if (withNotes)
        r.Notes = notesLines();
    return r;
}

void CharacterSheetIO::applyNotes(const QStringList& lines)
{
    m_notes = CharacterFileText::encode(lines);
    QFile scratch(m_scratchPath);
    m_inScratch.reset();
    if (scratch.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        scratch.write(m_notes) == m_notes.size())
        m_inScratch = m_notes;
    QTextDocument* document = m_view.notes()->document();
    RtfReader reader;
    if (!reader.read(m_notes, document)) {
        // Notes that are not rich text still show, as plain lines.
        document->setPlainText(lines.join(u'\n'));
        document->setModified(false);
    }
}

void CharacterSheetIO::beginRead()
{
    m_view.virtues().setAttached(false);
    m_view.generation().setAttached(false);
    m_view.meritsAndFlaws().setAttached(false);
    m_view.counters().AgeHumanityPenalty = 0;
    // No rating read below may be cut down by the limits of the character shown before.
    m_view.generation().raiseLimitsForLoading();
}

void CharacterSheetIO::ReadCharacter(const CharacterReadResult& result, bool quiet)
{
    beginRead();
    if (!quiet)
        for (const auto& message : result.messages)
            m_view.messages().showMessage(message.caption, message.text);

    // What the clan's rules did to the character shown before is no longer worth a word.
    m_view.checks().forgetClanRules();
    // The file's values go onto the character the sheet shows, and from it onto the sheet.
    Character character = SheetBinding::readAll(m_view);
    CharacterDocument::apply(result, character);
    SheetBinding::showRead(character, m_view);
    if (result.record.Notes)
        applyNotes(*result.record.Notes);
    endRead(result.completed());
}

void CharacterSheetIO::showCharacter(const Character& character)
{
    beginRead();
    SheetBinding::showRead(character, m_view);
    endRead(true);
}

void CharacterSheetIO::endRead(bool completed)
{
    Recalculation& pass = m_view.recalculation();
    if (completed) {
        pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = pass.RowsDirty = true;
        pass.DisciplinesDirty = pass.BackgroundsDirty = pass.RulesChanged = pass.BooksDirty = true;
        m_view.updateSheetLayout();
    }
    // The limits follow the generation shown, whether the read went through or not.
    m_view.generation().GenerationChange();
    m_view.meritsAndFlaws().setAttached(true);
    if (completed) {
        m_view.meritsAndFlaws().recountAll();
        m_view.notes()->caretToStart();
        m_view.books()->applySelection();
    }
    m_view.virtues().setAttached(true);
    m_view.generation().setAttached(true);
    m_view.clanEffects().ClanChanged();
}
