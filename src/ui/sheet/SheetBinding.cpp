#include "SheetBinding.h"

#include "controls/SheetFonts.h"
#include "controls/SpecialtyLabel.h"
#include "controls/TNameEdit.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "panels/TechDock.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/SheetChecks.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace SheetBinding {

namespace {

using Trait = Character::Trait;

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

// A name is written as the row will show it, padded in the row's font, so that the row's own
// fitting finds nothing to change; an empty row stays as it shows.
void showName(TNameEdit* box, const QString& name)
{
    if (TextRoutines::StripDots(box->text()) == TextRoutines::StripDots(name))
        return;
    box->setText(
        TextRoutines::PadWithDots(TextRoutines::StripDots(name), box->width(), box->font()));
}

void showReadRow(SheetPanel::TraitRow& row, const Trait& trait)
{
    showName(row.name, trait.name);
    if (row.dots->Filled() != trait.rating)
        row.dots->setFilled(trait.rating);
}

// The specialties of the attributes and of every ability row, shown or not.
template <typename C, typename Visit> void forEachSpecialty(SheetPanel& s, C& c, Visit visit)
{
    for (int i = 0; i < 9; ++i)
        visit(s.AttributeSpecialties[i], c.attributes[i]);
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            visit(s.AbilityRows[col][r].specialty, c.abilities[col][r]);
            visit(s.SecondaryRows[col][r].specialty, c.secondaries[col][r]);
        }
}

// Names and ratings of every row from the given one on, as a file read gave them.
void showReadRows(SheetPanel::TraitRows& rows, const Character::Rows& traits, int from = 0)
{
    for (int r = from; r < SheetLayout::RowsPerGroup; ++r)
        showReadRow(rows[r], traits[r]);
}

} // namespace

Character read(CharacterView& form)
{
    const SheetPanel& s = *form.sheet();
    Character c;
    c.rows = form.rowCounts();
    c.counters = form.counters();
    c.settings = form.settings();
    c.attributePriorities = priorities(form.tech()->AttributePriorities);
    c.abilityPriorities = priorities(form.tech()->AbilityPriorities);
    c.experience = form.experience();
    // After creation experience knows the rows by their names.
    const bool names = c.experience.creationFinished;
    if (names)
        c.virtueNames = {s.Virtue1->text(), s.Virtue2->text(), s.Virtue3->text()};
    const auto attributes = s.attributes();
    for (int i = 0; i < 9; ++i)
        c.attributes[i] = trait(attributes[i]);
    for (int col = 0; col < 3; ++col) {
        readRows(s.AbilityRows[col], c.rows.AbilityRows, c.abilities[col], names);
        readRows(s.SecondaryRows[col], c.rows.SecondaryRows, c.secondaries[col], names);
    }
    readRows(s.DisciplineRows, c.rows.DisciplineRows, c.disciplines, names);
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

void readNames(CharacterView& form, Character& c)
{
    const SheetPanel& s = *form.sheet();
    const auto header = s.headerBoxes();
    for (int i = 0; i < 9; ++i)
        c.header[i] = header[i]->text();
    const auto names = [](const SheetPanel::TraitRows& rows, Character::Rows& traits) {
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            traits[r].name = rows[r].name->text();
    };
    for (int col = 0; col < 3; ++col) {
        names(s.AbilityRows[col], c.abilities[col]);
        names(s.SecondaryRows[col], c.secondaries[col]);
    }
    names(s.DisciplineRows, c.disciplines);
    names(s.BackgroundRows, c.backgrounds);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        c.merits[r] = s.MeritRows[r]->text();
        c.flaws[r] = s.FlawRows[r]->text();
    }
    forEachSpecialty(*form.sheet(), c, [](const SpecialtyLabel* label, Trait& trait) {
        trait.specialty = label->specialty();
    });
    c.virtueNames = {s.Virtue1->text(), s.Virtue2->text(), s.Virtue3->text()};
}

Character readAll(CharacterView& form)
{
    Character c = read(form);
    const SheetPanel& s = *form.sheet();
    // Every row, shown or not.
    for (int col = 0; col < 3; ++col) {
        readRows(s.AbilityRows[col], SheetLayout::RowsPerGroup, c.abilities[col], false);
        readRows(s.SecondaryRows[col], SheetLayout::RowsPerGroup, c.secondaries[col], false);
    }
    readRows(s.DisciplineRows, SheetLayout::RowsPerGroup, c.disciplines, false);
    readRows(s.BackgroundRows, SheetLayout::RowsPerGroup, c.backgrounds, false);
    readNames(form, c);
    c.extension = form.keptEntries();
    c.clanDisciplinesFixed = s.DisciplineRows[0].name->isReadOnly();
    c.rulesBoxes = form.rulesPanel()->boxTexts();
    c.books = form.books()->ChosenBooks().items();
    c.bloodPerTurn = s.BloodTurn->text();
    c.bloodPoolBoxes = s.bloodPoolShown();
    c.flawWarning = form.tech()->FlawWarning->isVisibleTo(form.tech()->FlawWarning->parentWidget());
    c.presets = RulesPresets::matchingPresets(c.rulesBoxes, c.settings.ElderRules);
    // What the sheet shows of what the rules derived.
    c.appearanceCrossed = s.AppCrossOut->isVisibleTo(s.AppCrossOut->parentWidget());
    c.attributeTallies = {s.PhysLabel->text(), s.SocLabel->text(), s.MenLabel->text()};
    c.abilityTallies = {s.TalentTallyLabel->text(), s.SkillTallyLabel->text(),
                        s.KnowledgeTallyLabel->text()};
    c.disciplineTally = s.DisciplineTallyLabel->text();
    c.backgroundTally = s.BackgroundTallyLabel->text();
    c.virtueTally = s.VirtueTallyLabel->text();
    c.freebieTally = form.tech()->FreebieTally->text();
    c.derangementWarning = form.tech()->DerangementWarning->isVisibleTo(
                               form.tech()->DerangementWarning->parentWidget())
                               ? form.tech()->DerangementWarning->text()
                               : QString();
    c.checks = form.checks().shown();
    c.clanRuleChanges = form.checks().clanRuleChanges();
    return c;
}

void show(const Character& c, CharacterView& form)
{
    SheetPanel& s = *form.sheet();
    const auto attributes = s.attributes();
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

    QLabel* tally = form.tech()->FreebieTally;
    setText(tally, c.freebieTally);
    // Over-spending shows at a glance; otherwise the tally keeps its panel's colour.
    const QColor colour = c.overspent
                              ? QColor(Qt::red)
                              : tally->parentWidget()->palette().color(QPalette::WindowText);
    if (tally->palette().color(QPalette::WindowText) != colour)
        SheetFonts::setTextColour(tally, colour);
    setText(form.tech()->DerangementWarning, c.derangementWarning);
    setVisible(form.tech()->DerangementWarning, !c.derangementWarning.isEmpty());
    form.checks().show(c.checks);
}

void showRead(const Character& c, CharacterView& form)
{
    form.setExperience(c.experience);
    SheetPanel& s = *form.sheet();
    const auto header = s.headerBoxes();
    for (int i = 0; i < 9; ++i) {
        // The clan change runs once the rows are read.
        const QSignalBlocker clanLater(header[i] == s.Clan ? s.Clan : nullptr);
        if (header[i]->text() != c.header[i])
            header[i]->setText(c.header[i]);
    }
    for (int col = 0; col < 3; ++col)
        for (int r = 0; r < 10; ++r)
            if (s.AbilityRows[col][r].dots->Filled() != c.abilities[col][r].rating)
                s.AbilityRows[col][r].dots->setFilled(c.abilities[col][r].rating);
    for (int col = 0; col < 3; ++col) {
        showReadRows(s.AbilityRows[col], c.abilities[col], 10);
        showReadRows(s.SecondaryRows[col], c.secondaries[col]);
    }
    showReadRows(s.DisciplineRows, c.disciplines);
    showReadRows(s.BackgroundRows, c.backgrounds);
    const auto virtues = virtueDots(s);
    for (int i = 0; i < 3; ++i)
        if (virtues[i]->Filled() != c.virtues[i].rating)
            virtues[i]->setFilled(c.virtues[i].rating);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        showName(s.MeritRows[r], c.merits[r]);
        showName(s.FlawRows[r], c.flaws[r]);
    }
    forEachSpecialty(s, c, [](SpecialtyLabel* label, const Trait& trait) {
        label->setSpecialty(trait.specialty);
    });
    form.keptEntries() = c.extension;
    form.rowCounts() = c.rows;
    form.updateSheetLayout();
    if (s.Path->text() != c.path)
        s.Path->setText(c.path);
    form.counters().BoughtHumanity = c.counters.BoughtHumanity;
    form.counters().BoughtWillpower = c.counters.BoughtWillpower;

    // The priority selectors take their values as stored: ranks matching no category first,
    // so that no category follows a rank.
    for (auto [box, grid] : {std::pair{form.tech()->AttributePriorities, &c.attributePriorities},
                             std::pair{form.tech()->AbilityPriorities, &c.abilityPriorities}}) {
        if (priorities(box) == *grid)
            continue;
        const auto setCategories = [box](int one, int two, int three) {
            box->setCategoryOne(one);
            box->setCategoryTwo(two);
            box->setCategoryThree(three);
        };
        setCategories(-1, -2, -3);
        box->setValueFirst(-1);
        box->setValueSecond(-2);
        box->setValueThird(-3);
        setCategories(grid->category(0), grid->category(1), grid->category(2));
        box->setValueFirst(grid->value(0));
        box->setValueSecond(grid->value(1));
        box->setValueThird(grid->value(2));
    }
    RulesPanel& rules = *form.rulesPanel();
    for (QString RulesBoxTexts::*box :
         {&RulesBoxTexts::AttPriEdit, &RulesBoxTexts::AttSecEdit, &RulesBoxTexts::AttTerEdit,
          &RulesBoxTexts::AbPriEdit, &RulesBoxTexts::AbSecEdit, &RulesBoxTexts::AbTerEdit,
          &RulesBoxTexts::DisciplineEdit, &RulesBoxTexts::BackgroundEdit,
          &RulesBoxTexts::VirtueEdit, &RulesBoxTexts::MaxPrimaryEdit,
          &RulesBoxTexts::MaxSecondaryEdit, &RulesBoxTexts::MaxHumanityEdit,
          &RulesBoxTexts::FreebiesEdit, &RulesBoxTexts::VirtueNamesEdit})
        rules.setBoxText(box, c.rulesBoxes.*box);
    const auto attributes = s.attributes();
    for (int i = 0; i < 9; ++i)
        if (attributes[i]->Filled() != c.attributes[i].rating)
            attributes[i]->setFilled(c.attributes[i].rating);
    if (form.books()->ChosenBooks().items() != c.books)
        form.books()->setChosenBooks(c.books);
    for (auto [dots, rating] :
         {std::pair{s.Humanity, c.humanity.rating}, {s.Willpower, c.willpower.rating}})
        if (dots->Filled() != rating)
            dots->setFilled(rating);
    // Written without its change handler: restarting the generation from it would lose the
    // generation the file gives.
    rules.setBoxText(&RulesBoxTexts::StartingGenerationEdit, c.rulesBoxes.StartingGenerationEdit,
                     false);
    form.settings() = c.settings;
}

} // namespace SheetBinding
