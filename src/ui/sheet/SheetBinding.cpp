#include "SheetBinding.h"

#include "window/RulesPanel.h"
#include "window/SheetFonts.h"
#include "window/SheetPanel.h"
#include "window/SourcebooksPanel.h"
#include "window/TMainForm.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"

#include <QLabel>
#include <QLineEdit>

namespace SheetBinding {

namespace {

using Trait = Character::Trait;

std::array<TVampireDots*, 9> attributeDots(const SheetPanel& s)
{
    return {s.Strength, s.Dexterity, s.Stamina, s.Charisma, s.Manipulation,
            s.Appearance, s.Perception, s.Intelligence, s.Wits};
}

std::array<TVampireDots*, 3> virtueDots(const SheetPanel& s)
{
    return {s.Conscience, s.SelfControl, s.Courage};
}

Trait trait(const TVampireDots* dots, const QString& name = {})
{
    return {name, dots->Filled(), dots->Freebies(), dots->MinDots(), dots->MaxDots()};
}

void readRows(const SheetPanel::TraitRows& rows, int count, Character::Rows& traits, bool names)
{
    for (int r = 0; r < count; ++r)
        traits[r] = trait(rows[r].dots, names ? rows[r].name->text() : QString());
}

PriorityGrid priorities(const TPriorityBox* box)
{
    return PriorityGrid::stored({box->ValueFirst(), box->ValueSecond(), box->ValueThird()},
                                {box->CategoryOne(), box->CategoryTwo(), box->CategoryThree()});
}

void showTrait(TVampireDots* dots, const Trait& trait)
{
    if (dots->Filled() != trait.rating)
        dots->setFilled(trait.rating);
    if (dots->Freebies() != trait.freebies)
        dots->setFreebies(trait.freebies);
}

void showRows(SheetPanel::TraitRows& rows, int count, const Character::Rows& traits)
{
    for (int r = 0; r < count; ++r)
        showTrait(rows[r].dots, traits[r]);
}

void setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void setVisible(QWidget* widget, bool visible)
{
    if (widget->isVisibleTo(widget->parentWidget()) != visible)
        widget->setVisible(visible);
}

} // namespace

Character read(TMainForm& form)
{
    const SheetPanel& s = *form.sheet();
    Character c;
    c.rows = form.rowCounts();
    c.counters = form.counters();
    c.settings = form.settings();
    c.attributePriorities = priorities(form.AttributePriorities);
    c.abilityPriorities = priorities(form.AbilityPriorities);
    const auto attributes = attributeDots(s);
    for (int i = 0; i < 9; ++i)
        c.attributes[i] = trait(attributes[i]);
    for (int col = 0; col < 3; ++col) {
        readRows(s.AbilityRows[col], c.rows.AbilityRows, c.abilities[col], false);
        readRows(s.SecondaryRows[col], c.rows.SecondaryRows, c.secondaries[col], false);
    }
    readRows(s.DisciplineRows, c.rows.DisciplineRows, c.disciplines, false);
    // A background's cost depends on its name.
    readRows(s.BackgroundRows, c.rows.BackgroundRows, c.backgrounds, true);
    const auto virtues = virtueDots(s);
    for (int i = 0; i < 3; ++i)
        c.virtues[i] = trait(virtues[i]);
    c.humanity = trait(s.Humanity);
    c.willpower = trait(s.Willpower);
    c.path = s.Path->text();
    return c;
}

Character readAll(TMainForm& form)
{
    Character c = read(form);
    const SheetPanel& s = *form.sheet();
    const std::array<const QLineEdit*, 9> header = {s.Name, s.Player, s.Chronicle, s.Nature,
                                                    s.Demeanor, s.Clan, s.Generation, s.Haven,
                                                    s.Concept};
    for (int i = 0; i < 9; ++i)
        c.header[i] = header[i]->text();
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.AbilityRows; ++r)
            c.abilities[col][r].name = s.AbilityRows[col][r].name->text();
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < c.rows.SecondaryRows; ++r)
            c.secondaries[col][r].name = s.SecondaryRows[col][r].name->text();
    for (int r = 0; r < c.rows.DisciplineRows; ++r)
        c.disciplines[r].name = s.DisciplineRows[r].name->text();
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        c.merits[r] = s.MeritRows[r]->text();
        c.flaws[r] = s.FlawRows[r]->text();
    }
    c.clanDisciplinesFixed = s.DisciplineRows[0].name->isReadOnly();
    c.rulesBoxes = form.rulesPanel()->boxTexts();
    c.books = form.books()->ChosenBooks().items();
    c.virtueNames = {s.Virtue1->text(), s.Virtue2->text(), s.Virtue3->text()};
    c.bloodPerTurn = s.BloodTurn->text();
    c.bloodPoolBoxes = int(std::count_if(s.BloodPool.begin(), s.BloodPool.end(),
                                         [&s](const QWidget* box) { return box->isVisibleTo(&s); }));
    c.flawWarning = form.FlawWarning->isVisibleTo(form.FlawWarning->parentWidget());
    c.presets = RulesPresets::matchingPresets(c.rulesBoxes, c.settings.ElderRules);
    // What the sheet shows of what the rules derived.
    c.appearanceCrossed = s.AppCrossOut->isVisibleTo(s.AppCrossOut->parentWidget());
    c.attributeTallies = {s.PhysLabel->text(), s.SocLabel->text(), s.MenLabel->text()};
    c.abilityTallies = {s.TalentTallyLabel->text(), s.SkillTallyLabel->text(),
                        s.KnowledgeTallyLabel->text()};
    c.disciplineTally = s.DisciplineTallyLabel->text();
    c.backgroundTally = s.BackgroundTallyLabel->text();
    c.virtueTally = s.VirtueTallyLabel->text();
    c.freebieTally = form.FreebieTally->text();
    c.derangementWarning =
        form.DerangementWarning->isVisibleTo(form.DerangementWarning->parentWidget())
            ? form.DerangementWarning->text()
            : QString();
    return c;
}

void show(const Character& c, TMainForm& form)
{
    SheetPanel& s = *form.sheet();
    const auto attributes = attributeDots(s);
    for (int i = 0; i < 9; ++i)
        showTrait(attributes[i], c.attributes[i]);
    for (int col = 0; col < 3; ++col) {
        showRows(s.AbilityRows[col], c.rows.AbilityRows, c.abilities[col]);
        showRows(s.SecondaryRows[col], c.rows.SecondaryRows, c.secondaries[col]);
    }
    showRows(s.DisciplineRows, c.rows.DisciplineRows, c.disciplines);
    showRows(s.BackgroundRows, c.rows.BackgroundRows, c.backgrounds);
    const auto virtues = virtueDots(s);
    for (int i = 0; i < 3; ++i)
        showTrait(virtues[i], c.virtues[i]);
    showTrait(s.Humanity, c.humanity);
    showTrait(s.Willpower, c.willpower);
    // The rating writes above may have run the Humanity and Willpower handlers, which keep
    // the bought dots of a rating the user set; the pass's own count comes last.
    CharacterCounters& counters = form.counters();
    counters.BoughtHumanity = c.counters.BoughtHumanity;
    counters.BoughtWillpower = c.counters.BoughtWillpower;

    setVisible(s.AppCrossOut, c.appearanceCrossed);
    const std::array<QLabel*, 3> attributeTallies = {s.PhysLabel, s.SocLabel, s.MenLabel};
    const std::array<QLabel*, 3> abilityTallies = {s.TalentTallyLabel, s.SkillTallyLabel,
                                                   s.KnowledgeTallyLabel};
    for (int g = 0; g < 3; ++g) {
        setText(attributeTallies[g], c.attributeTallies[g]);
        setText(abilityTallies[g], c.abilityTallies[g]);
    }
    setText(s.DisciplineTallyLabel, c.disciplineTally);
    setText(s.BackgroundTallyLabel, c.backgroundTally);
    setText(s.VirtueTallyLabel, c.virtueTally);

    QLabel* tally = form.FreebieTally;
    setText(tally, c.freebieTally);
    // Over-spending shows at a glance; otherwise the tally keeps its panel's colour.
    const QColor colour = c.overspent ? QColor(Qt::red)
                                      : tally->parentWidget()->palette().color(QPalette::WindowText);
    if (tally->palette().color(QPalette::WindowText) != colour)
        SheetFonts::setTextColour(tally, colour);
    setText(form.DerangementWarning, c.derangementWarning);
    setVisible(form.DerangementWarning, !c.derangementWarning.isEmpty());
}

} // namespace SheetBinding
