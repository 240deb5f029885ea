#include "CharacterView.h"

#include "engine/RuleQuestions.h"
#include "panels/RulesPanel.h"
#include "panels/SourcebooksPanel.h"
#include "sheet/ClanEffects.h"
#include "sheet/GenerationEffects.h"
#include "sheet/MeritsAndFlaws.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetChecks.h"
#include "sheet/VirtueEffects.h"

CharacterView::CharacterView(UserMessages& messages, const QCursor& ankhCursor, QObject* parent)
    : QObject(parent), m_messages(messages), m_ankhCursor(ankhCursor),
      m_escapeAnswers(std::make_unique<EscapeAnswers>()), m_questions(m_escapeAnswers.get()),
      m_recalculation(new Recalculation(*this)), m_clanEffects(new ClanEffects(*this)),
      m_generation(new GenerationEffects(*this)), m_virtues(new VirtueEffects(*this)),
      m_meritsAndFlaws(new MeritsAndFlaws(*this)), m_checks(new SheetChecks(*this))
{
}

CharacterView::~CharacterView() = default;

void CharacterView::setPanels(const Panels& panels)
{
    m_panels = panels;
    Recalculation& pass = *m_recalculation;
    connect(panels.rules, &RulesPanel::rulesChanged, this, [&pass] { pass.RulesChanged = true; });
    connect(panels.rules, &RulesPanel::limitsChanged, m_generation,
            &GenerationEffects::GenerationChange);
    connect(panels.rules, &RulesPanel::startingGenerationChanged, m_generation,
            &GenerationEffects::StartingGenerationChanged);
    connect(panels.books, &SourcebooksPanel::choiceChanged, this,
            [&pass] { pass.BooksDirty = true; });
    pass.connectSheet();
    m_clanEffects->connectSheet();
    m_generation->connectSheet();
    m_virtues->connectSheet();
    m_meritsAndFlaws->connectSheet();
    m_checks->connectPanels();
}

void CharacterView::setQuestions(RuleQuestions* questions)
{
    m_questions = questions ? questions : m_escapeAnswers.get();
}

void CharacterView::setExperience(const CharacterExperience& experience)
{
    if (experience == m_experience)
        return;
    m_experience = experience;
    emit experienceChanged();
}
