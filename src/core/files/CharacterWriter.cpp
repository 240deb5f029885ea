#include "files/CharacterWriter.h"

#include "engine/RulesBoxTexts.h"
#include "engine/RulesSettings.h"
#include "files/CharacterExtensionBlock.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterRecord.h"

#include <algorithm>

namespace {

// Initial ratings of a new sheet.
constexpr int InitialAttribute = 1;
constexpr int InitialVirtue = 1;
constexpr int InitialHumanity = 2;
constexpr int InitialWillpower = 1;

class LineSink
{
public:
    void text(const QString& value)
    {
        QString line = value;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines.append(line);
    }
    void text(const std::optional<QString>& value, const QString& initial = {})
    {
        text(value.value_or(initial));
    }
    void number(int value) { lines.append(QString::number(value)); }
    void number(const std::optional<int>& value, int initial) { number(value.value_or(initial)); }
    void flag(const std::optional<bool>& value, bool initial)
    {
        lines.append(value.value_or(initial) ? QStringLiteral("1") : QStringLiteral("0"));
    }
    // An allowance or limit box, as the number the rules use.
    void setting(const std::optional<QString>& box, const QString& initial, int fallback)
    {
        number(settingValue(box.value_or(initial), fallback));
    }
    void trait(const CharacterRecord::Trait& trait)
    {
        text(trait.name);
        number(trait.rating);
    }
    void texts(const std::optional<QStringList>& values)
    {
        const QStringList list = values.value_or(QStringList());
        number(int(list.size()));
        for (const QString& value : list)
            text(value);
    }
    void abilityRows(const std::optional<QList<CharacterRecord::AbilityRow>>& rows)
    {
        for (const CharacterRecord::AbilityRow& row :
             rows.value_or(QList<CharacterRecord::AbilityRow>())) {
            trait(row.talent);
            trait(row.skill);
            trait(row.knowledge);
        }
    }
    void traits(const std::optional<QList<CharacterRecord::Trait>>& rows)
    {
        const QList<CharacterRecord::Trait> list = rows.value_or(QList<CharacterRecord::Trait>());
        number(int(list.size()));
        for (const CharacterRecord::Trait& row : list)
            trait(row);
    }
    void priorities(const std::optional<CharacterRecord::PriorityBox>& box,
                    const RulesSettings::Priorities& initial)
    {
        const CharacterRecord::PriorityBox values = box.value_or(CharacterRecord::PriorityBox{
            initial.ValueFirst, initial.ValueSecond, initial.ValueThird, initial.ValueFirst,
            initial.ValueSecond, initial.ValueThird});
        for (int value : {values.CategoryOne, values.CategoryTwo, values.CategoryThree,
                          values.ValueFirst, values.ValueSecond, values.ValueThird})
            number(value);
    }

    QStringList lines;
};

} // namespace

QStringList CharacterWriter::lines(const CharacterRecord& c)
{
    const RulesBoxTexts boxes;
    const RulesSettings settings;
    LineSink out;

    out.text(Banner);
    out.text(c.Name);
    out.text(c.Player);
    out.text(c.Chronicle);
    out.text(c.Nature);
    out.text(c.Demeanor);
    out.text(c.Clan);
    out.text(c.Generation, QStringLiteral("13th"));
    out.text(c.Haven);
    out.text(c.Concept);

    for (const CharacterRecord::FixedAbilityRow& row :
         c.FixedAbilities.value_or(std::array<CharacterRecord::FixedAbilityRow, 10>{})) {
        out.number(row.talent);
        out.number(row.skill);
        out.number(row.knowledge);
    }
    out.number(10 + int(c.FreeAbilities.value_or(QList<CharacterRecord::AbilityRow>()).size()));
    out.abilityRows(c.FreeAbilities);
    out.number(int(c.SecondaryAbilities.value_or(QList<CharacterRecord::AbilityRow>()).size()));
    out.abilityRows(c.SecondaryAbilities);
    out.traits(c.Disciplines);
    out.traits(c.Backgrounds);

    out.number(c.Conscience, InitialVirtue);
    out.number(c.SelfControl, InitialVirtue);
    out.number(c.Courage, InitialVirtue);
    out.texts(c.Merits);
    out.texts(c.Flaws);
    out.text(c.Path, QStringLiteral("Humanity"));
    out.number(c.BoughtHumanity, 0);
    out.number(c.BoughtWillpower, 0);
    out.texts(c.Notes);

    out.priorities(c.AttributePriorities, settings.AttributePriorities);
    out.priorities(c.AbilityPriorities, settings.AbilityPriorities);
    out.setting(c.DisciplineEdit, boxes.DisciplineEdit, 3);
    out.setting(c.BackgroundEdit, boxes.BackgroundEdit, 5);
    out.setting(c.VirtueEdit, boxes.VirtueEdit, 7);
    out.setting(c.MaxPrimaryEdit, boxes.MaxPrimaryEdit, 999);
    out.setting(c.MaxSecondaryEdit, boxes.MaxSecondaryEdit, 999);
    out.text(c.MaxHumanityEdit, boxes.MaxHumanityEdit);
    out.setting(c.FreebiesEdit, boxes.FreebiesEdit, 15);
    out.text(c.VirtueNamesEdit, boxes.VirtueNamesEdit);
    out.text(c.SecondaryCostFactor.value_or(settings.SecondaryCostFactor) == 1.0f
                 ? QStringLiteral("1")
                 : QStringLiteral("0.5"));
    out.flag(c.GolcondaOn, settings.GolcondaOn);
    out.number(c.GolcondaChoice, settings.GolcondaChoice);

    for (const std::optional<int>* attribute :
         {&c.Strength, &c.Dexterity, &c.Stamina, &c.Charisma, &c.Manipulation, &c.Appearance,
          &c.Perception, &c.Intelligence, &c.Wits})
        out.number(*attribute, InitialAttribute);
    out.texts(c.ChosenBooks);

    out.flag(c.HumanityFromVirtues, settings.HumanityFromVirtues);
    out.flag(c.WillpowerFromVirtues, settings.WillpowerFromVirtues);
    out.number(c.Humanity, InitialHumanity);
    out.number(c.Willpower, InitialWillpower);
    out.text(c.StartingGenerationEdit, boxes.StartingGenerationEdit);
    out.flag(c.ElysiumRule, settings.ElysiumRule);
    out.flag(c.DirtySecretsRule, settings.DirtySecretsRule);
    out.flag(c.ElderRules, settings.ElderRules);

    CharacterExtension extension;
    // Looked for by field only when some line holds what the code page cannot.
    const bool unstorable = std::ranges::any_of(
        out.lines, [](const QString& line) { return CharacterFileText::storable(line) != line; });
    if (const QString texts = unstorable ? CharacterFileText::fullTexts(c) : QString();
        !texts.isEmpty())
        extension.setText(CharacterReader::FullTextsKey, texts);
    for (const CharacterExtension::Entry& entry : c.extension.entries())
        extension.setText(entry.key, entry.text);
    out.lines += CharacterExtensionBlock::lines(extension);
    return out.lines;
}
