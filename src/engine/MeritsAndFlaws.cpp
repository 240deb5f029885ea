#include "MeritsAndFlaws.h"

#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TNameEdit.h"
#include "engine/MeritFlawRules.h"
#include "engine/Recalculation.h"
#include "engine/RuleQuestions.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>

using TextRoutines::StripDots;

namespace {

QStringList entries(const SheetPanel::NameRows& rows, int count)
{
    QStringList list;
    for (int r = 0; r < count; ++r)
        list.append(StripDots(rows[r]->text()));
    return list;
}

} // namespace

MeritsAndFlaws::MeritsAndFlaws(TMainForm& form) : QObject(&form), m_form(form) {}

void MeritsAndFlaws::connectSheet()
{
    SheetPanel* sheet = m_form.sheet();
    for (auto* rows : {&sheet->MeritRows, &sheet->FlawRows})
        for (QLineEdit* row : *rows)
            connect(row, &QLineEdit::textChanged, this, [this, row] { RowChanged(row); });
}

void MeritsAndFlaws::write(QLineEdit* row, const QString& entry)
{
    const QString text = TextRoutines::PadWithDots(entry, row->width(), row->font());
    if (row->text() != text)
        row->setText(text);
}

QString MeritsAndFlaws::tidy(QLineEdit* row)
{
    const int caret = row->cursorPosition();
    const QString entry = StripDots(row->text());
    TNameEdit::fitFont(row, entry);
    m_previousLength = m_length;
    m_length = int(entry.size());
    write(row, entry);
    row->setCursorPosition(std::min(caret, m_length));
    return entry;
}

void MeritsAndFlaws::RowChanged(QLineEdit* row)
{
    if (m_busy)
        return;
    m_busy = true;
    if (!m_attached) {
        tidy(row);
        m_busy = false;
        return;
    }
    m_form.recalculation().MeritFlawRulesDirty = true;
    QString entry = tidy(row);
    if (m_length > m_previousLength) {
        const RuleTables& tables = m_form.tables();
        if (const auto completed =
                MeritFlawRules::completion(entry, tables.Merits.items(), tables.Flaws.items())) {
            entry = *completed;
            write(row, entry);
            row->setCursorPosition(m_length);
        }
    }
    excludedBy(row, entry);
    addShortToChild(entry);
    keepList(true);
    keepList(false);
    recount();
    m_busy = false;
}

void MeritsAndFlaws::recountAll()
{
    m_busy = true;
    m_form.recalculation().MeritFlawRulesDirty = true;
    keepList(true);
    keepList(false);
    recount();
    m_busy = false;
}

// Asks about every entry of the other list that this one excludes. "Remove" clears the
// other entry, "Cancel" withdraws this one.
bool MeritsAndFlaws::excludedBy(QLineEdit* row, const QString& entry)
{
    const RuleTables& tables = m_form.tables();
    SheetPanel* sheet = m_form.sheet();
    const RowCounts& counts = m_form.rowCounts();
    bool withdrawn = false;
    for (int k = 0; k < tables.ExclusivePairsFirst.size(); ++k) {
        const QString& first = tables.ExclusivePairsFirst[k];
        const QString& second = tables.ExclusivePairsSecond.value(k);
        const bool isFirst = first == entry;
        if (!isFirst && second != entry)
            continue;
        const QString& other = isFirst ? second : first;
        const auto& rows = isFirst ? sheet->FlawRows : sheet->MeritRows;
        const int count = isFirst ? counts.FlawRows : counts.MeritRows;
        for (int j = 0; j < count; ++j) {
            if (StripDots(rows[j]->text()) != other)
                continue;
            const int answer = m_form.questions().ask(
                MeritFlawRules::exclusionQuestion(entry, other), QStringLiteral("Remove"),
                QStringLiteral("Cancel"));
            if (answer == 1) {
                write(rows[j], QString());
            } else {
                write(row, QString());
                withdrawn = true;
            }
        }
    }
    return withdrawn;
}

void MeritsAndFlaws::addShortToChild(const QString& entry)
{
    SheetPanel* sheet = m_form.sheet();
    const int count = m_form.rowCounts().FlawRows;
    // A full list has no row left for it; nothing is overwritten.
    if (entry != u"Child (3)" || count >= SheetLayout::RowsPerGroup
        || entries(sheet->FlawRows, count).contains(QStringLiteral("Short (1)")))
        return;
    write(sheet->FlawRows[count], QStringLiteral("Short (1)"));
}

void MeritsAndFlaws::keepList(bool merits)
{
    SheetPanel* sheet = m_form.sheet();
    const auto& rows = merits ? sheet->MeritRows : sheet->FlawRows;
    int& count = merits ? m_form.rowCounts().MeritRows : m_form.rowCounts().FlawRows;
    QStringList list = entries(rows, SheetLayout::RowsPerGroup);
    const int newCount = MeritFlawRules::closeGaps(list);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
        if (StripDots(rows[r]->text()) != list[r])
            write(rows[r], list[r]);
    if (newCount != count) {
        count = newCount;
        m_form.updateSheetLayout();
    }
}

void MeritsAndFlaws::recount()
{
    SheetPanel* sheet = m_form.sheet();
    const RowCounts& counts = m_form.rowCounts();
    CharacterCounters& counters = m_form.counters();
    const MeritFlawRules::Totals totals = MeritFlawRules::totals(
        entries(sheet->MeritRows, counts.MeritRows), entries(sheet->FlawRows, counts.FlawRows));
    counters.MeritPoints = totals.MeritPoints;
    counters.FlawPoints = totals.FlawPoints;
    counters.HugeSize = totals.HugeSize;
    counters.ZeroAppearanceFlaw = totals.ZeroAppearanceFlaw;
    sheet->HealthPanel->move(sheet->HealthPanel->x(), totals.HugeSize ? 48 : 32);
    Recalculation& pass = m_form.recalculation();
    pass.TalentsDirty |= counters.TalentPenalty != totals.TalentPenalty;
    pass.SkillsDirty |= counters.SkillPenalty != totals.SkillPenalty;
    pass.KnowledgesDirty |= counters.KnowledgePenalty != totals.KnowledgePenalty;
    counters.TalentPenalty = totals.TalentPenalty;
    counters.SkillPenalty = totals.SkillPenalty;
    counters.KnowledgePenalty = totals.KnowledgePenalty;
    m_form.FlawWarning->setVisible(totals.FlawPoints > MeritFlawRules::FlawWarningLimit);
}
