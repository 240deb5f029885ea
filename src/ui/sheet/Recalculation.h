#pragma once

#include <QObject>

class CharacterView;
class TVampireDots;
class TNameEdit;

// The idle-time pass that brings the sheet into line with the creation rules. Handlers only
// raise the flags below; the pass runs whenever the event loop has nothing left to do, and
// writes a text, a rating or a window state only when it differs, so that an idle window
// settles and sleeps.
class Recalculation : public QObject
{
    Q_OBJECT
signals:
    // A pass ended with every flag served.
    void settled();
    // The end of every pass, before settled: the window's own idle work (the notes' scroll
    // bar and toolbar, the window state).
    void passEnding();

public:
    explicit Recalculation(CharacterView& view);

    // Runs Recalculate each time the event loop is about to wait.
    void bindToIdle();
    void Recalculate();

    // Connects the change events of the sheet's ratings and row names to the flags.
    void connectSheet();

    // The change handler of the row name boxes: strips, fits and re-pads the name.
    void FitRowText(TNameEdit* box);

    bool RulesChanged = false;
    bool TalentsDirty = false, SkillsDirty = false, KnowledgesDirty = false;
    bool RowsDirty = false;
    bool DisciplinesDirty = false;
    bool BackgroundsDirty = false;
    bool ClanRulesDirty = false;
    bool MeritFlawRulesDirty = false;
    bool BooksDirty = false;
    bool ResetGeneration = false;
    bool ElderShown = false;

    // Whether a flag is still raised: a pass that ends with none has brought the sheet in line.
    bool anythingDirty() const;

    // How many passes ran; for the benchmark and the settling test.
    int passes() const { return m_passes; }

private:
    void applySettings();
    void disciplineRows();
    void backgroundRows();
    void deriveGenerationAndAge();
    void abilityRows();
    void applyClanRules();
    void paintBookLabels();

    CharacterView& m_view;
    bool m_running = false;
    int m_passes = 0;
};
