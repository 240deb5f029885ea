#pragma once

#include "engine/SheetLayout.h"

#include <QWidget>
#include <array>

class ClickLabel;
class PaintedSection;
class QLabel;
class QLineEdit;
class TNameEdit;
class RuleTables;
class SpecialtyLabel;
class TVampireDots;

// The character sheet: the header, the attributes, the ability columns, the advantages and
// the lower panel with merits, flaws, Willpower, Humanity, blood and health. Its controls
// are the character; the window reads and writes them.
class SheetPanel : public QWidget
{
    Q_OBJECT
public:
    struct TraitRow
    {
        TNameEdit* name = nullptr;
        TVampireDots* dots = nullptr;
        SpecialtyLabel* specialty = nullptr; // on ability rows only
    };
    using TraitRows = std::array<TraitRow, SheetLayout::RowsPerGroup>;
    using NameRows = std::array<TNameEdit*, SheetLayout::RowsPerGroup>;

    static inline const QString RowPlaceholder = QStringLiteral("...................");
    static constexpr int BloodPoolBoxes = 50;

    SheetPanel(const RuleTables& tables, const QCursor& listCursor, QWidget* parent = nullptr);

    // Re-lays the panels for the row counts; returns the new sheet height.
    int updateLayout(const RowCounts& rows);
    // Shows the blood pool boxes of a generation, hiding the rest.
    void placeBloodPool(int generation);
    int bloodPoolShown() const;

    // The header boxes and the attributes' dots in the order the character lists them.
    std::array<TNameEdit*, 9> headerBoxes() const
    {
        return {Name, Player, Chronicle, Nature, Demeanor, Clan, Generation, Haven, Concept};
    }
    std::array<TVampireDots*, 9> attributes() const
    {
        return {Strength,   Dexterity,  Stamina,      Charisma, Manipulation,
                Appearance, Perception, Intelligence, Wits};
    }

    // Header.
    TNameEdit *Name, *Player, *Chronicle, *Nature, *Demeanor, *Clan, *Generation, *Haven, *Concept;
    ClickLabel *NatureCaption, *DemeanorCaption, *ClanCaption, *GenerationCaption; // open lists

    // Attributes, in their group order.
    TVampireDots *Strength, *Dexterity, *Stamina, *Charisma, *Manipulation, *Appearance,
        *Perception, *Intelligence, *Wits;
    QLabel *PhysLabel, *SocLabel, *MenLabel;
    // Strength ... Wits again: their captions and specialties.
    std::array<QLabel*, 9> AttributeCaptions;
    std::array<SpecialtyLabel*, 9> AttributeSpecialties;
    QWidget* AppCrossOut;

    // Abilities: column 0 Talents, 1 Skills, 2 Knowledges; rows 0 to 9 fixed.
    std::array<TraitRows, 3> AbilityRows;
    std::array<TraitRows, 3> SecondaryRows;
    QLabel *TalentTallyLabel, *SkillTallyLabel, *KnowledgeTallyLabel;

    // Advantages.
    TraitRows DisciplineRows;
    TraitRows BackgroundRows;
    TVampireDots *Conscience, *SelfControl, *Courage;
    QLabel *Virtue1, *Virtue2, *Virtue3;
    QLabel *DisciplineTallyLabel, *BackgroundTallyLabel, *VirtueTallyLabel;

    // Lower panel.
    NameRows MeritRows;
    NameRows FlawRows;
    PaintedSection* FlawPanel;
    TVampireDots *Willpower, *Humanity;
    QLineEdit* Path;
    QLabel* BloodTurn;
    PaintedSection* HealthPanel;

    PaintedSection *Header, *Attributes, *Abilities, *SecAbilities, *Advantages, *Touches;
    std::array<PaintedSection*, 4> Dividers;

private:
    void createHeader();
    void createAttributes();
    void createAbilities(const RuleTables& tables);
    void createSecondaryAbilities();
    void createAdvantages();
    void createTouches();
    void createDividers();

    PaintedSection* createSection(int height);
    void heading(PaintedSection* panel, const QString& text, int left, int width, QLabel** tally);
    TNameEdit* headerBox(int column, int row, const QString& caption, ClickLabel** captionLabel);
    TVampireDots* attributeDots(QWidget* panel, int left, int top, int maxDots, int minDots);
    TraitRow traitRow(QWidget* panel, int left, int row, const QString& text, const QFont& font,
                      bool specialty = false);
    TNameEdit* freeRow(QWidget* panel, int left, int top, int width, const QFont& font);

    const QCursor& m_listCursor;
    QObject* m_caretKeeper;
};
