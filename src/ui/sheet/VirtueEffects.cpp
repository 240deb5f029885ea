#include "VirtueEffects.h"

#include "controls/TVampireDots.h"
#include "engine/CharacterEditing.h"
#include "engine/VirtueRules.h"
#include "panels/SheetPanel.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"

#include <QLabel>
#include <QLineEdit>

VirtueEffects::VirtueEffects(CharacterView& view) : QObject(&view), m_view(view) {}

void VirtueEffects::connectSheet()
{
    SheetPanel* sheet = m_view.sheet();
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
    TVampireDots* humanity = m_view.sheet()->Humanity;
    Character c = SheetBinding::read(m_view);
    const bool detached = CharacterEditing::humanitySet(c, m_view.questions());
    m_view.counters().BoughtHumanity = c.counters.BoughtHumanity;
    if (!detached)
        return;
    m_view.settings().HumanityFromVirtues = false;
    m_view.recalculation().RulesChanged = true;
    // The idle pass may have put the derived rating back while the question was open.
    humanity->setFilled(c.humanity.rating);
}

void VirtueEffects::WillpowerChanged()
{
    TVampireDots* willpower = m_view.sheet()->Willpower;
    Character c = SheetBinding::read(m_view);
    const bool detached = CharacterEditing::willpowerSet(c, m_view.questions());
    m_view.counters().BoughtWillpower = c.counters.BoughtWillpower;
    if (!detached)
        return;
    m_view.settings().WillpowerFromVirtues = false;
    m_view.recalculation().RulesChanged = true;
    willpower->setFilled(c.willpower.rating);
}

void VirtueEffects::PathChange()
{
    QLineEdit* path = m_view.sheet()->Path;
    // Measured in the box's own face, so that a long path name is never cut.
    const int width = VirtueRules::pathBoxWidth(
        QFontMetrics(path->font()).horizontalAdvance(path->text() + u' '));
    path->setGeometry((m_view.sheet()->width() - width) / 2 + 2, path->y(), width, path->height());
}

void VirtueEffects::applyVirtueNames()
{
    SheetPanel* sheet = m_view.sheet();
    const auto names = VirtueRules::virtueNames(m_view.settings().VirtueNames);
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
