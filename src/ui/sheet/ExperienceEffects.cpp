#include "ExperienceEffects.h"

#include "controls/ClickLabel.h"
#include "controls/UserMessages.h"
#include "engine/ExperienceSpending.h"
#include "engine/RuleQuestions.h"
#include "panels/ExperiencePanel.h"
#include "panels/TechDock.h"
#include "sheet/CharacterView.h"
#include "sheet/SheetBinding.h"

ExperienceEffects::ExperienceEffects(CharacterView& view, QObject* parent)
    : QObject(parent), m_view(view)
{
    connect(&view, &CharacterView::experienceChanged, this, &ExperienceEffects::refresh);
    refresh();
}

void ExperienceEffects::attach(ExperiencePanel& panel)
{
    m_panel = &panel;
    connect(&panel, &ExperiencePanel::finishPressed, this, &ExperienceEffects::finishCreation);
    connect(&panel, &ExperiencePanel::reopenPressed, this, &ExperienceEffects::reopenCreation);
    connect(&panel, &ExperiencePanel::earnedAdded, this, &ExperienceEffects::addEarned);
    connect(&panel, &ExperiencePanel::takeBackPressed, this, &ExperienceEffects::takeBack);
    connect(&panel, &ExperiencePanel::optionsEdited, this, &ExperienceEffects::setOptions);
    refresh();
}

void ExperienceEffects::refresh()
{
    const CharacterExperience& xp = m_view.experience();
    if (m_panel)
        m_panel->showExperience(xp, m_view.tables().XpChart);
    if (TechDock* dock = m_view.tech())
        dock->ExperienceTally->setText(ExperiencePanel::dockText(xp));
}

void ExperienceEffects::apply(const std::function<void(Character&)>& change)
{
    Character c = SheetBinding::readAll(m_view);
    change(c);
    SheetBinding::show(c, m_view);
    m_view.setExperience(c.experience);
}

void ExperienceEffects::refuse(const QString& message)
{
    m_view.messages().showMessage(QStringLiteral("Experience"), message);
}

bool ExperienceEffects::finishCreation()
{
    if (m_view.experience().creationFinished)
        return false;
    const QString question =
        QStringLiteral("Finish creation? The ratings become its baseline and the freebies stay "
                       "as they are; from then on a raise costs experience.");
    if (m_view.questions().ask(question, QStringLiteral("Finish"), QStringLiteral("Cancel")) != 1)
        return false;
    apply([](Character& c) { ExperienceSpending::finishCreation(c); });
    return true;
}

bool ExperienceEffects::reopenCreation()
{
    Character c = SheetBinding::readAll(m_view);
    if (c.experience.spent() > 0) {
        refuse(ExperienceSpending::reopenCreation(c).message);
        return false;
    }
    const QString question = QStringLiteral("Reopen creation? Freebies and allowances count "
                                            "again; the points earned stay in the log.");
    if (m_view.questions().ask(question, QStringLiteral("Take back"), QStringLiteral("Cancel")) !=
        1)
        return false;
    apply([](Character& c) { ExperienceSpending::reopenCreation(c); });
    return true;
}

void ExperienceEffects::addEarned(const QString& points, const QString& note)
{
    bool number = false;
    const int earned = points.trimmed().toInt(&number);
    Character c = SheetBinding::readAll(m_view);
    const ExperienceSpending::Outcome outcome =
        ExperienceSpending::earn(c, number ? earned : 0, note, QDate::currentDate());
    if (!outcome.done)
        return refuse(outcome.message);
    m_view.setExperience(c.experience);
    if (m_panel)
        m_panel->clearEarned();
}

void ExperienceEffects::takeBack(qsizetype entry)
{
    if (entry < 0 || entry >= m_view.experience().log.size())
        return refuse(QStringLiteral("Choose an entry of the log to take back."));
    QString refusal;
    apply([&](Character& c) { refusal = ExperienceSpending::takeBack(c, entry).message; });
    if (!refusal.isEmpty())
        refuse(refusal);
}

void ExperienceEffects::setOptions(const ExperienceOptions& options)
{
    CharacterExperience xp = m_view.experience();
    xp.options = options;
    m_view.setExperience(xp);
}
