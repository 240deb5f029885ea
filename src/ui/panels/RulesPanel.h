#pragma once

#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"
#include "engine/RulesSettings.h"

#include <QWidget>
#include <optional>

class ClickLabel;
class QLabel;
class QLineEdit;

// The Rules panel: the allowance and limit boxes, the option boxes and the three presets.
// Its handlers only record the choice in the settings and say so; the idle pass reads the
// boxes, repaints the option boxes and marks the preset that matches.
//
// Its controls are built when the panel is first needed (shown, or pressed by a test):
// until then it keeps the boxes' texts and what the idle pass last showed, and writing a
// box raises the same change events as the box would.
class RulesPanel : public QWidget
{
    Q_OBJECT
public:
    RulesPanel(RulesSettings& settings, const QCursor& ankhCursor, QWidget* parent);

    // Builds the controls with the texts and marks kept so far; does nothing once built.
    void ensureBuilt();
    bool isBuilt() const { return m_built; }

    RulesBoxTexts boxTexts() const;
    // Writes every box in the presets' order, each change raising the box's change event.
    void setBoxTexts(const RulesBoxTexts& texts);
    // Writes one box when its text differs, raising its change event unless told not to.
    void setBoxText(QString RulesBoxTexts::*box, const QString& text, bool raise = true);

    // The idle pass's part: preset captions, option pictures, the elder discipline panel.
    void showPresetMatch(const RulesPresets::PresetMatch& match);
    void showOptions(const RulesSettings& settings);
    void setElderShown(bool shown);

    void CamarillaButtonMouseDown();
    void SabbatButtonMouseDown();
    void ElderButtonMouseDown();

signals:
    // The controls have just been built.
    void built();
    // A box or an option changed: the idle pass applies the rules anew.
    void rulesChanged();
    // The Golconda choice moved the rating limits, which the generation applies.
    void limitsChanged();
    void startingGenerationChanged();

public:
    // The controls, null until built.
    QLineEdit *AttPriEdit = nullptr, *AttSecEdit = nullptr, *AttTerEdit = nullptr,
              *AbPriEdit = nullptr, *AbSecEdit = nullptr, *AbTerEdit = nullptr;
    QLineEdit *DisciplineEdit = nullptr, *BackgroundEdit = nullptr, *VirtueEdit = nullptr,
              *StartingGenerationEdit = nullptr;
    QLineEdit *VirtueNamesEdit = nullptr, *MaxPrimaryEdit = nullptr, *MaxSecondaryEdit = nullptr,
              *MaxHumanityEdit = nullptr, *FreebiesEdit = nullptr;

    ClickLabel *HalfCostCheckBox = nullptr, *NormalCostCheckBox = nullptr,
               *GolcondaCheckBox = nullptr;
    ClickLabel *GolcondaChoice0 = nullptr, *GolcondaChoice1 = nullptr, *GolcondaChoice2 = nullptr;
    ClickLabel *HumanityDependent = nullptr, *WillpowerDependent = nullptr,
               *ElderCheckBox = nullptr;
    ClickLabel *ElysiumDiscCheckBox = nullptr, *DirtySecretsDiscCheckBox = nullptr;
    QWidget *GolcondaPanel = nullptr, *ElderDiscPanel = nullptr;
    ClickLabel *CamarillaButtonLabel = nullptr, *SabbatButtonLabel = nullptr,
               *ElderButtonLabel = nullptr;

private:
    struct BoxRow
    {
        const char* caption;
        QLineEdit** box;
        int width;
        QString RulesBoxTexts::*text;
    };
    int createBoxGroup(int left, int top, const char* group, std::initializer_list<BoxRow> rows);
    ClickLabel* createOption(QWidget* parent, int left, int top, const QString& caption,
                             void (RulesPanel::*handler)());
    QLabel* createCaption(QWidget* parent, const QString& text, int left, int top, bool group);
    void createOptions(int top);

    void applyPreset(const RulesBoxTexts& texts, bool elder);
    void optionChanged(bool limitsChange);

    void HalfCostMouseDown();
    void NormalCostMouseDown();
    void GolcondaDown();
    void GolcondaChoice0MouseDown();
    void GolcondaChoice1MouseDown();
    void GolcondaChoice2MouseDown();
    void HumanityDependentMouseDown();
    void WillpowerDependentMouseDown();
    void ElderDown();
    void ElysiumDiscCheckBoxMouseDown();
    void DirtySecretsDiscCheckBoxMouseDown();

    QLineEdit* box(QString RulesBoxTexts::*text) const;

    RulesSettings& m_settings;
    const QCursor& m_ankhCursor;
    bool m_built = false;
    // What the controls show once built.
    RulesBoxTexts m_texts;
    std::optional<RulesPresets::PresetMatch> m_match;
    std::optional<RulesSettings> m_options;
    bool m_elderShown = false;
};
