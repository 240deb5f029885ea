#include "VirtueEffects.h"

#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/PointAccounting.h"
#include "engine/Recalculation.h"
#include "engine/RuleQuestions.h"
#include "engine/VirtueRules.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>

VirtueEffects::VirtueEffects(TMainForm& form) : QObject(&form), m_form(form) {}

void VirtueEffects::connectSheet()
{
    SheetPanel* sheet = m_form.sheet();
    connect(sheet->Humanity, &TVampireDots::OnChange, this, [this] {
        if (m_attached)
            HumanityChanged();
    });
    connect(sheet->Willpower, &TVampireDots::OnChange, this, [this] {
        if (m_attached)
            WillpowerChanged();
    });
    connect(sheet->Path, &QLineEdit::textChanged, this, &VirtueEffects::PathChange);
}

void VirtueEffects::HumanityChanged()
{
    SheetPanel* sheet = m_form.sheet();
    CharacterCounters& counters = m_form.counters();
    RulesSettings& settings = m_form.settings();
    const int chosen = sheet->Humanity->Filled();
    const int base = VirtueRules::humanityBase(
        sheet->Conscience->Filled(), sheet->SelfControl->Filled(), counters.AgeHumanityPenalty);
    counters.BoughtHumanity = VirtueRules::bought(chosen, base);
    if (!VirtueRules::asksToDetachHumanity(chosen, base, settings.HumanityFromVirtues,
                                           settings.MaxHumanity))
        return;
    if (m_form.questions().ask(QStringLiteral("Detach Humanity or Path from Virtues?"),
                               QStringLiteral("Yes"), QStringLiteral("No")) != 1)
        return;
    settings.HumanityFromVirtues = false;
    m_form.recalculation().RulesChanged = true;
    // The idle pass may have put the derived rating back while the question was open.
    sheet->Humanity->setFilled(chosen);
}

void VirtueEffects::WillpowerChanged()
{
    SheetPanel* sheet = m_form.sheet();
    RulesSettings& settings = m_form.settings();
    const int chosen = sheet->Willpower->Filled();
    const int courage = sheet->Courage->Filled();
    m_form.counters().BoughtWillpower = VirtueRules::bought(chosen, courage);
    if (!VirtueRules::asksToDetachWillpower(chosen, courage, settings.WillpowerFromVirtues))
        return;
    if (m_form.questions().ask(QStringLiteral("Detach Willpower from Virtues?"),
                               QStringLiteral("Yes"), QStringLiteral("No")) != 1)
        return;
    settings.WillpowerFromVirtues = false;
    m_form.recalculation().RulesChanged = true;
    sheet->Willpower->setFilled(chosen);
}

void VirtueEffects::PathChange()
{
    QLineEdit* path = m_form.sheet()->Path;
    // Measured in the box's own face, so that a long path name is never cut.
    const int width = VirtueRules::pathBoxWidth(
        QFontMetrics(path->font()).horizontalAdvance(path->text() + u' '));
    path->setGeometry((m_form.sheet()->width() - width) / 2 + 2, path->y(), width, path->height());
}

void VirtueEffects::applyVirtueNames()
{
    SheetPanel* sheet = m_form.sheet();
    const auto names = VirtueRules::virtueNames(m_form.settings().VirtueNames);
    // Padding measures the text dot by dot; the labels change only with the virtue set.
    if (names == m_shownNames)
        return;
    m_shownNames = names;
    const std::array<QLabel*, 3> labels = {sheet->Virtue1, sheet->Virtue2, sheet->Virtue3};
    for (int i = 0; i < 3; ++i) {
        const QString text =
            TextRoutines::PadWithDots(names[i], labels[i]->width(), labels[i]->font());
        if (labels[i]->text() != text)
            labels[i]->setText(text);
    }
}
