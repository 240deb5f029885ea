#include "SheetChecks.h"

#include "controls/ClickLabel.h"
#include "controls/RowFlash.h"
#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "engine/RulesCheck.h"
#include "panels/ChecksPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "panels/TechDock.h"
#include "sheet/CharacterView.h"
#include "sheet/SheetBinding.h"

#include <QLabel>
#include <QLineEdit>

using Place = RuleCheck::Place;

SheetChecks::SheetChecks(CharacterView& view) : QObject(&view), m_view(view) {}

void SheetChecks::connectPanels()
{
    TechDock* tech = m_view.tech();
    connect(m_view.books(), &SourcebooksPanel::tablesRebuilt, this,
            [this] { m_booksStale = true; });
    connect(tech->CheckCount, &ClickLabel::pressed, this,
            [this, tech] { showList(!tech->Checks->isVisible()); });
    connect(tech->Checks, &ChecksPanel::backPressed, this, [this] { showList(false); });
    connect(tech->Checks, &ChecksPanel::checkPressed, this, &SheetChecks::showRow);
    m_sheetFlash = new RowFlash(m_view.sheet());
    m_dockFlash = new RowFlash(tech->Panel);
}

void SheetChecks::derive(Character& c)
{
    if (m_booksStale) {
        const SourcebooksPanel& books = *m_view.books();
        m_books = EntryBooks(m_view.DataLines(), books.BookTitles(), books.ChosenBooks(),
                             m_view.tables(), m_view.settings().ElderRules);
        m_booksStale = false;
    }
    SheetBinding::readNames(m_view, c);
    c.clanRuleChanges = m_clanRuleChanges;
    // What is shown is what the last pass found; what has not changed is taken over whole.
    c.checks = m_shown;
    RulesCheck::derive(c, m_view.tables(), m_books);
}

void SheetChecks::show(const std::vector<RuleCheck>& checks)
{
    if (checks == m_shown)
        return;
    m_shown = checks;
    TechDock* tech = m_view.tech();
    const int count = int(checks.size());
    tech->CheckCount->setText(count == 0   ? QString()
                              : count == 1 ? tr("1 check")
                                           : tr("%1 checks").arg(count));
    tech->Checks->setChecks(checks);
    // Nothing left to list: the column shows the tally again.
    if (checks.empty())
        showList(false);
}

void SheetChecks::noteClanRule(bool flaw, const QString& entry, const QString& replacement)
{
    RulesCheck::noteClanRule(m_clanRuleChanges, m_view.sheet()->Clan->text(), flaw, entry,
                             replacement);
}

void SheetChecks::showList(bool shown)
{
    TechDock* tech = m_view.tech();
    tech->Checks->setVisible(shown && !m_shown.empty());
}

QRect SheetChecks::rowRect(const RuleCheck& check) const
{
    const SheetPanel& s = *m_view.sheet();
    const auto onSheet = [&s](const QWidget* w) {
        return QRect(w->mapTo(&s, QPoint(0, 0)), w->size());
    };
    const auto row = [&](const SheetPanel::TraitRow& r) {
        return onSheet(r.name).united(onSheet(r.dots));
    };
    switch (check.place) {
    case Place::Header:
        return onSheet(s.headerBoxes()[check.index]);
    case Place::Merit:
        return onSheet(s.MeritRows[check.index]);
    case Place::Flaw:
        return onSheet(s.FlawRows[check.index]);
    case Place::Trait:
        break;
    case Place::Freebies:
    case Place::Experience:
        return {};
    }
    const TraitRef& t = check.trait;
    switch (t.group) {
    case TraitRef::Attribute:
        return onSheet(s.attributes()[t.row]);
    case TraitRef::Ability:
        return row(s.AbilityRows[t.column][t.row]);
    case TraitRef::Secondary:
        return row(s.SecondaryRows[t.column][t.row]);
    case TraitRef::Discipline:
        return row(s.DisciplineRows[t.row]);
    case TraitRef::Background:
        return row(s.BackgroundRows[t.row]);
    case TraitRef::Virtue: {
        const std::array<const QWidget*, 3> names = {s.Virtue1, s.Virtue2, s.Virtue3};
        const std::array<const QWidget*, 3> dots = {s.Conscience, s.SelfControl, s.Courage};
        return onSheet(names[t.row]).united(onSheet(dots[t.row]));
    }
    case TraitRef::Humanity:
        return onSheet(s.Path).united(onSheet(s.Humanity));
    case TraitRef::Willpower:
        return onSheet(s.Willpower);
    case TraitRef::None:
        break;
    }
    return {};
}

void SheetChecks::showRow(int index)
{
    if (index < 0 || index >= int(m_shown.size()))
        return;
    const QRect rect = rowRect(m_shown[index]);
    if (rect.isEmpty()) {
        // The tally and the warnings are in the column the list covers.
        showList(false);
        TechDock* tech = m_view.tech();
        const bool experience = m_shown[index].place == Place::Experience;
        m_dockFlash->start((experience ? tech->ExperienceTally : tech->FreebieTally)->geometry());
        return;
    }
    emit rowRequested(rect);
    m_sheetFlash->start(rect);
}
