#include "SheetOpeners.h"

#include "controls/ClickLabel.h"
#include "controls/SelectionLayout.h"
#include "controls/SpecialtyLabel.h"
#include "controls/TNameEdit.h"
#include "controls/TSelectionBox.h"
#include "controls/TVampireDots.h"
#include "engine/Character.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "rules/DataFile.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "window/TMainForm.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

// The entries of a table that no row in use of the same column or group already names.
QStringList minusNamesInUse(const QStringList& table, const SheetPanel::TraitRows& rows, int count)
{
    QStringList used;
    for (int r = 0; r < count; ++r)
        used.append(TextRoutines::StripDots(rows[r].name->text()));
    QStringList offered;
    for (const QString& entry : table)
        if (!used.contains(entry))
            offered.append(entry);
    return offered;
}

} // namespace

SheetOpeners::SheetOpeners(TMainForm& form, TSelectionBox& popup)
    : QObject(&form), m_form(form), m_popup(popup)
{
    DiscReturn = new QLineEdit(&form);
    DiscReturn->hide();
    connect(DiscReturn, &QLineEdit::textChanged, this, &SheetOpeners::DiscReturnChange);
    SpecReturn = new QLineEdit(&form);
    SpecReturn->hide();
    connect(SpecReturn, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_specialtyRow)
            m_specialtyRow->setSpecialty(text.simplified());
    });
    if (form.sheet())
        addSheetOpeners();
    if (form.books())
        connect(form.books(), &SourcebooksPanel::tablesRebuilt, this,
                &SheetOpeners::markDisciplineRows);
}

void SheetOpeners::markDisciplineRows()
{
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
        markDisciplineRow(r);
}

// The ankh over a discipline's dots says a right press lists its powers.
void SheetOpeners::markDisciplineRow(int row)
{
    const SheetPanel::TraitRow& trait = m_form.sheet()->DisciplineRows[row];
    const qsizetype d = m_form.view().tables().disciplineIndex(trait.name->text());
    if (d >= 0 && d < RuleTables::PowerLists)
        trait.dots->setCursor(m_form.ankhCursor());
    else
        trait.dots->setCursor(Qt::ArrowCursor);
}

void SheetOpeners::add(QObject* pressed, QWidget* target, std::function<QStringList()> list,
                       int kind)
{
    pressed->installEventFilter(this);
    if (auto* widget = qobject_cast<QWidget*>(pressed))
        widget->setContextMenuPolicy(Qt::NoContextMenu);
    m_openers.insert(pressed, {target, std::move(list), kind});
}

void SheetOpeners::addSheetOpeners()
{
    const RuleTables& t = m_form.view().tables();
    SheetPanel* s = m_form.sheet();
    const RowCounts& rows = m_form.view().rowCounts();
    auto table = [](const SortedTextList& list) { return [&list] { return list.items(); }; };
    add(s->Clan, s->Clan, table(t.ClanNames), 1);
    add(s->ClanCaption, s->Clan, table(t.ClanNames), 1);
    add(
        s->Generation, s->Generation, [&t] { return t.GenerationNames; }, 2);
    add(
        s->GenerationCaption, s->Generation, [&t] { return t.GenerationNames; }, 2);
    add(s->Nature, s->Nature, table(t.Archetypes), 3);
    add(s->NatureCaption, s->Nature, table(t.Archetypes), 3);
    add(s->Demeanor, s->Demeanor, table(t.Archetypes), 3);
    add(s->DemeanorCaption, s->Demeanor, table(t.Archetypes), 3);
    add(s->Path, s->Path, table(t.PathNames), 7);
    // The Rules panel's boxes open their lists once the panel is built.
    RulesPanel* rules = m_form.view().rulesPanel();
    const auto addRulesOpeners = [this, rules, tables = &t] {
        add(
            rules->VirtueNamesEdit, rules->VirtueNamesEdit, [tables] { return tables->VirtueSets; },
            9);
        add(
            rules->MaxHumanityEdit, rules->MaxHumanityEdit,
            [] {
                return QStringList{QStringLiteral("5"), QStringLiteral("Unlimited")};
            },
            13);
    };
    if (rules->isBuilt())
        addRulesOpeners();
    else
        connect(rules, &RulesPanel::built, this, addRulesOpeners);

    const std::array<const SortedTextList*, 3> choices = {&t.TalentChoices, &t.SkillChoices,
                                                          &t.KnowledgeChoices};
    const std::array<const SortedTextList*, 3> secondary = {&t.SecondaryTalents, &t.SecondarySkills,
                                                            &t.SecondaryKnowledges};
    for (int c = 0; c < 3; ++c) {
        for (int r = 10; r < SheetLayout::RowsPerGroup; ++r)
            add(
                s->AbilityRows[c][r].name, s->AbilityRows[c][r].name,
                [s, c, &rows, list = choices[c]] {
                    return minusNamesInUse(list->items(), s->AbilityRows[c], rows.AbilityRows);
                },
                4);
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            add(
                s->SecondaryRows[c][r].name, s->SecondaryRows[c][r].name,
                [s, c, &rows, list = secondary[c]] {
                    return minusNamesInUse(list->items(), s->SecondaryRows[c], rows.SecondaryRows);
                },
                4);
    }
    for (int i = 0; i < 9; ++i)
        addSpecialty(
            s->AttributeCaptions[i], s->AttributeSpecialties[i],
            [i] { return Character::attributeNames()[i]; }, false);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            for (const SheetPanel::TraitRow* row : {&s->AbilityRows[c][r], &s->SecondaryRows[c][r]})
                addSpecialty(
                    row->name, row->specialty,
                    [name = row->name] { return TextRoutines::StripDots(name->text()); },
                    !row->name->isReadOnly());
    auto entriesNotTaken = [](const SortedTextList& table, const SheetPanel::NameRows& rows,
                              const int& count) {
        return [&table, &rows, &count] {
            QStringList offered;
            for (const QString& entry : table.items())
                if (std::none_of(rows.begin(), rows.begin() + count,
                                 [&entry](const TNameEdit* row) {
                                     return TextRoutines::StripDots(row->text()) == entry;
                                 }))
                    offered.append(entry);
            return offered;
        };
    };
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        add(s->MeritRows[r], s->MeritRows[r],
            entriesNotTaken(t.Merits, s->MeritRows, rows.MeritRows), 8);
        add(s->FlawRows[r], s->FlawRows[r], entriesNotTaken(t.Flaws, s->FlawRows, rows.FlawRows),
            8);
        add(
            s->BackgroundRows[r].name, s->BackgroundRows[r].name,
            [s, &t, &rows] {
                return minusNamesInUse(t.Backgrounds.items(), s->BackgroundRows,
                                       rows.BackgroundRows);
            },
            5);
        add(
            s->DisciplineRows[r].name, s->DisciplineRows[r].name,
            [s, &t, &rows] {
                return minusNamesInUse(t.DisciplineNames.items(), s->DisciplineRows,
                                       rows.DisciplineRows);
            },
            6);
        TVampireDots* dots = s->DisciplineRows[r].dots;
        dots->setTag(r);
        connect(s->DisciplineRows[r].name, &TNameEdit::textChanged, this,
                [this, r] { markDisciplineRow(r); });
        markDisciplineRow(r);
        connect(dots, &TVampireDots::OnMouseDown, this,
                [this](TVampireDots* sender, Qt::MouseButton button) {
                    DiscDotMouseDown(sender, button);
                });
    }
}

bool SheetOpeners::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
        (openSpecialtiesFor(watched) || openListFor(watched)))
        return true;
    return QObject::eventFilter(watched, event);
}

void SheetOpeners::addSpecialty(QObject* pressed, SpecialtyLabel* label,
                                std::function<QString()> trait, bool freeRow)
{
    pressed->installEventFilter(this);
    if (auto* widget = qobject_cast<QWidget*>(pressed))
        widget->setContextMenuPolicy(Qt::NoContextMenu);
    m_specialtyOpeners.insert(pressed, {label, std::move(trait), freeRow});
}

bool SheetOpeners::openSpecialtiesFor(QObject* watched)
{
    const auto opener = m_specialtyOpeners.constFind(watched);
    if (opener == m_specialtyOpeners.constEnd())
        return false;
    SpecialtyLabel* label = opener->label;
    const QString trait = opener->trait();
    // A kept specialty below the fourth dot can still be changed, but on a free row the
    // press then lists names, as it does for any row below it.
    const bool keptBelow = !label->specialty().isEmpty() && !opener->freeRow;
    if (trait.isEmpty() || !(label->rated() || keptBelow))
        return false;
    {
        // Any choice, "<NONE>" too, is a change of this text.
        const QSignalBlocker quiet(SpecReturn);
        SpecReturn->setText(QStringLiteral("\x01"));
    }
    m_specialtyRow = label;
    m_popup.ShowSelection(m_form.view().tables().specialties(trait), SpecReturn,
                          SelectionLayout::SpecialtyKind);
    return true;
}

bool SheetOpeners::openListFor(QObject* watched)
{
    const auto opener = m_openers.constFind(watched);
    // A row the clan fixes offers no choice.
    if (opener == m_openers.constEnd() || opener->target->property("readOnly").toBool())
        return false;
    m_popup.ShowSelection(opener->list(), opener->target, opener->kind);
    return true;
}

void SheetOpeners::DiscDotMouseDown(TVampireDots* dots, Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    const int row = dots->Tag();
    const RuleTables& tables = m_form.view().tables();
    const qsizetype d = tables.disciplineIndex(m_form.sheet()->DisciplineRows[row].name->text());
    if (d < 0 || d >= RuleTables::PowerLists)
        return;
    {
        const QSignalBlocker quiet(DiscReturn);
        DiscReturn->clear();
    }
    DiscReturn->setProperty("row", row);
    m_popup.ShowSelection(tables.DisciplinePowers[d].items(), DiscReturn, 10);
}

void SheetOpeners::DiscReturnChange()
{
    const int level = DataFile::leadingNumber(DiscReturn->text());
    const int row = DiscReturn->property("row").toInt();
    if (level != 0 && row >= 0 && row < SheetLayout::RowsPerGroup)
        m_form.sheet()->DisciplineRows[row].dots->setFilled(level);
}
