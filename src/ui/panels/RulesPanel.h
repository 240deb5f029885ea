#pragma once

#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"

#include <QWidget>

class ClickLabel;
class QLabel;
class QLineEdit;
struct RulesSettings;

// The Rules panel: the allowance and limit boxes, the option boxes and the three presets.
// Its handlers only record the choice in the settings and say so; the idle pass reads the
// boxes, repaints the option boxes and marks the preset that matches.
class RulesPanel : public QWidget
{
    Q_OBJECT
public:
    RulesPanel(RulesSettings& settings, const QCursor& ankhCursor, QWidget* parent);

    RulesBoxTexts boxTexts() const;
    // Writes every box in the presets' order, each write raising the box's change event.
    void setBoxTexts(const RulesBoxTexts& texts);

    // The idle pass's part: preset captions, option pictures, the elder discipline panel.
    void showPresetMatch(const RulesPresets::PresetMatch& match);
    void showOptions(const RulesSettings& settings);

    void CamarillaButtonMouseDown();
    void SabbatButtonMouseDown();
    void ElderButtonMouseDown();

signals:
    // A box or an option changed: the idle pass applies the rules anew.
    void rulesChanged();
    // The Golconda choice moved the rating limits, which the generation applies.
    void limitsChanged();
    void startingGenerationChanged();

public:
    QLineEdit *AttPriEdit, *AttSecEdit, *AttTerEdit, *AbPriEdit, *AbSecEdit, *AbTerEdit;
    QLineEdit *DisciplineEdit, *BackgroundEdit, *VirtueEdit, *StartingGenerationEdit;
    QLineEdit *VirtueNamesEdit, *MaxPrimaryEdit, *MaxSecondaryEdit, *MaxHumanityEdit, *FreebiesEdit;

    ClickLabel *HalfCostCheckBox, *NormalCostCheckBox, *GolcondaCheckBox;
    ClickLabel *GolcondaChoice0, *GolcondaChoice1, *GolcondaChoice2;
    ClickLabel *HumanityDependent, *WillpowerDependent, *ElderCheckBox;
    ClickLabel *ElysiumDiscCheckBox, *DirtySecretsDiscCheckBox;
    QWidget *GolcondaPanel, *ElderDiscPanel;
    ClickLabel *CamarillaButtonLabel, *SabbatButtonLabel, *ElderButtonLabel;

private:
    struct BoxRow
    {
        const char* caption;
        QLineEdit** box;
        int width;
        const char* initial;
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

    RulesSettings& m_settings;
};
