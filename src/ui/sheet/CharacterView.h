#pragma once

#include "engine/CharacterCounters.h"
#include "engine/CharacterExperience.h"
#include "engine/CharacterExtension.h"
#include "engine/RulesSettings.h"
#include "engine/SheetLayout.h"
#include "rules/RuleTables.h"

#include <QCursor>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class ClanEffects;
class GenerationEffects;
class MeritsAndFlaws;
class NotesPanel;
class Recalculation;
class RuleQuestions;
class RulesPanel;
class SheetChecks;
class SheetPanel;
class SourcebooksPanel;
class TechDock;
class UserMessages;
class VirtueEffects;

// The character as the window shows it: the panels that show it, the state the rules keep
// between passes (rule tables, row counts, settings, counters) and the collaborators that
// run the rules on it. The sheet's handlers, the idle pass and the file commands work
// through this, never through the window.
class CharacterView : public QObject
{
    Q_OBJECT
public:
    struct Panels
    {
        SheetPanel* sheet = nullptr;
        RulesPanel* rules = nullptr;
        SourcebooksPanel* books = nullptr;
        NotesPanel* notes = nullptr;
        TechDock* tech = nullptr;
    };

    CharacterView(UserMessages& messages, const QCursor& ankhCursor, QObject* parent);
    ~CharacterView() override;

    // Once every panel exists: the collaborators connect to their controls.
    void setPanels(const Panels& panels);
    bool hasPanels() const { return m_panels.sheet != nullptr; }

    SheetPanel* sheet() const { return m_panels.sheet; }
    RulesPanel* rulesPanel() const { return m_panels.rules; }
    SourcebooksPanel* books() const { return m_panels.books; }
    NotesPanel* notes() const { return m_panels.notes; }
    TechDock* tech() const { return m_panels.tech; }

    const QStringList& DataLines() const { return m_dataLines; }
    void setDataLines(QStringList lines) { m_dataLines = std::move(lines); }
    RuleTables& tables() { return m_tables; }
    RowCounts& rowCounts() { return m_rows; }
    RulesSettings& settings() { return m_settings; }
    CharacterCounters& counters() { return m_counters; }
    // Creation finished, the baseline and the experience log; experienceChanged tells the
    // panels that show it.
    CharacterExperience& experience() { return m_experience; }
    void setExperience(const CharacterExperience& experience);
    // The entries of the file's extension block that no part of the program reads, kept from
    // loading to saving.
    CharacterExtension& keptEntries() { return m_keptEntries; }
    UserMessages& messages() { return m_messages; }
    const QCursor& ankhCursor() const { return m_ankhCursor; }

    // Who answers the rules' questions; until one is set, every question is answered as
    // Escape would answer it.
    void setQuestions(RuleQuestions* questions);
    RuleQuestions& questions() { return *m_questions; }

    Recalculation& recalculation() { return *m_recalculation; }
    ClanEffects& clanEffects() { return *m_clanEffects; }
    GenerationEffects& generation() { return *m_generation; }
    VirtueEffects& virtues() { return *m_virtues; }
    MeritsAndFlaws& meritsAndFlaws() { return *m_meritsAndFlaws; }
    SheetChecks& checks() { return *m_checks; }

    // The row counts changed: the window lays the sheet out anew.
    void updateSheetLayout() { emit layoutChanged(); }

    // While this says so (panels sliding, the scroll bar dragged, the popup open) the idle
    // pass waits.
    void setPassesHeld(std::function<bool()> held) { m_passesHeld = std::move(held); }
    bool passesHeld() const { return m_passesHeld && m_passesHeld(); }

signals:
    void layoutChanged();
    void experienceChanged();

private:
    UserMessages& m_messages;
    QCursor m_ankhCursor;
    Panels m_panels;
    QStringList m_dataLines;
    RuleTables m_tables;
    RowCounts m_rows;
    RulesSettings m_settings;
    CharacterCounters m_counters;
    CharacterExperience m_experience;
    CharacterExtension m_keptEntries;
    std::unique_ptr<RuleQuestions> m_escapeAnswers;
    RuleQuestions* m_questions = nullptr;
    std::function<bool()> m_passesHeld;
    Recalculation* m_recalculation = nullptr;
    ClanEffects* m_clanEffects = nullptr;
    GenerationEffects* m_generation = nullptr;
    VirtueEffects* m_virtues = nullptr;
    MeritsAndFlaws* m_meritsAndFlaws = nullptr;
    SheetChecks* m_checks = nullptr;
};
