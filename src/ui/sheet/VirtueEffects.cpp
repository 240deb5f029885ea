#include "VirtueEffects.h"

#include "window/SheetPanel.h"
#include "window/TMainForm.h"
#include "controls/TVampireDots.h"
#include "engine/CharacterEditing.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"
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
    TVampireDots* humanity = m_form.sheet()->Humanity;
    Character c = SheetBinding::read(m_form);
    const bool detached = CharacterEditing::humanitySet(c, m_form.questions());
    m_form.counters().BoughtHumanity = c.counters.BoughtHumanity;
    if (!detached)
        return;
    m_form.settings().HumanityFromVirtues = false;
    m_form.recalculation().RulesChanged = true;
    // The idle pass may have put the derived rating back while the question was open.
    humanity->setFilled(c.humanity.rating);
}

void VirtueEffects::WillpowerChanged()
{
    TVampireDots* willpower = m_form.sheet()->Willpower;
    Character c = SheetBinding::read(m_form);
    const bool detached = CharacterEditing::willpowerSet(c, m_form.questions());
    m_form.counters().BoughtWillpower = c.counters.BoughtWillpower;
    if (!detached)
        return;
    m_form.settings().WillpowerFromVirtues = false;
    m_form.recalculation().RulesChanged = true;
    willpower->setFilled(c.willpower.rating);
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
