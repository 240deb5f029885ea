#include "RulesPanel.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "engine/RulesSettings.h"
#include "output/Pictures.h"

#include <QLineEdit>

using namespace SheetFonts;

namespace {

constexpr int RowHeight = 20;
constexpr int GroupHeight = 19;

} // namespace

RulesPanel::RulesPanel(RulesSettings& settings, const QCursor& ankhCursor, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setGeometry(0, 0, 594, 502);
    setAutoFillBackground(true);
    auto* heading = new QLabel(QStringLiteral("Rules"), this);
    heading->setFont(face(Blackletter, 22));
    heading->setGeometry(0, 8, 594, 30);
    heading->setAlignment(Qt::AlignCenter);
    setTextColour(heading, SheetHeadingColour);

    int bottom = createBoxGroup(20, 46, "Attribute points:",
                                {{"Primary.............", &AttPriEdit, 30, "7"},
                                 {"Secondary........", &AttSecEdit, 30, "5"},
                                 {"Tertiary.............", &AttTerEdit, 30, "3"}});
    createBoxGroup(20, bottom + 4, nullptr,
                   {{"Starting generation.........", &StartingGenerationEdit, 30, "13"}});
    createBoxGroup(215, 46, "Ability points:",
                   {{"Primary.............", &AbPriEdit, 30, "13"},
                    {"Secondary........", &AbSecEdit, 30, "9"},
                    {"Tertiary.............", &AbTerEdit, 30, "5"}});
    createBoxGroup(410, 46, "Advantages:",
                   {{"Disciplines.......", &DisciplineEdit, 30, "3"},
                    {"Backgrounds...", &BackgroundEdit, 30, "5"},
                    {"Virtues..............", &VirtueEdit, 30, "7"}});

    constexpr int second = 160;
    bottom = createBoxGroup(
        20, second,
        "Virtues:", {{"", &VirtueNamesEdit, 321, "Human (Conscience, Self-Control & Courage)"}});
    createBoxGroup(20, bottom + 6,
                   "Touches:", {{"Freebies............................", &FreebiesEdit, 30, "15"}});
    createBoxGroup(360, second, "Limits:",
                   {{"Max ability rating............", &MaxPrimaryEdit, 73, "3"},
                    {"Max secondary rating....", &MaxSecondaryEdit, 73, "3"},
                    {"Max humanity.................", &MaxHumanityEdit, 73, "Unlimited"}});
    VirtueNamesEdit->setCursor(ankhCursor);
    MaxHumanityEdit->setCursor(ankhCursor);

    for (QLineEdit* box : {AttPriEdit, AttSecEdit, AttTerEdit, AbPriEdit, AbSecEdit, AbTerEdit,
                           DisciplineEdit, BackgroundEdit, VirtueEdit, VirtueNamesEdit,
                           MaxPrimaryEdit, MaxSecondaryEdit, MaxHumanityEdit, FreebiesEdit})
        connect(box, &QLineEdit::textChanged, this,
                &RulesPanel::rulesChanged); // PrioritiesChanged
    connect(StartingGenerationEdit, &QLineEdit::textChanged, this,
            &RulesPanel::startingGenerationChanged);

    createOptions(262);

    CamarillaButtonLabel = ClickLabel::presetButton(this, {137, 468}, QStringLiteral("Camarilla"),
                                                    [this] { CamarillaButtonMouseDown(); });
    SabbatButtonLabel = ClickLabel::presetButton(this, {252, 468}, QStringLiteral("Sabbat"),
                                                 [this] { SabbatButtonMouseDown(); });
    ElderButtonLabel = ClickLabel::presetButton(this, {367, 468}, QStringLiteral("Elder"),
                                                [this] { ElderButtonMouseDown(); });
    hide();
}

QLabel* RulesPanel::createCaption(QWidget* parent, const QString& text, int left, int top,
                                  bool group)
{
    auto* label = new QLabel(text, parent);
    label->setFont(group ? face(Belwe, 14) : face(Times, 13));
    label->adjustSize();
    label->move(left, top);
    if (group)
        setTextColour(label, SheetHeadingColour);
    return label;
}

int RulesPanel::createBoxGroup(int left, int top, const char* group,
                               std::initializer_list<BoxRow> rows)
{
    int y = top;
    if (group) {
        createCaption(this, QString::fromLatin1(group), left, y, true);
        y += GroupHeight;
    }
    // The boxes of a group line up after its longest caption.
    int captionWidth = 0;
    for (const BoxRow& row : rows)
        captionWidth = std::max(
            captionWidth,
            QFontMetrics(face(Times, 13)).horizontalAdvance(QString::fromLatin1(row.caption)));
    for (const BoxRow& row : rows) {
        const bool captioned = *row.caption != 0;
        if (captioned)
            createCaption(this, QString::fromLatin1(row.caption), left + 8, y + 1, false);
        auto* box = new QLineEdit(QString::fromLatin1(row.initial), this);
        box->setFont(face(Handwriting, 13));
        box->setGeometry(captioned ? left + 8 + captionWidth + 4 : left + 8, y, row.width, 18);
        box->setFrame(false);
        // A ruled line under the box, as under the sheet's header boxes.
        auto* rule = new QWidget(this);
        rule->setGeometry(box->x(), box->y() + box->height(), row.width, 1);
        rule->setAutoFillBackground(true);
        QPalette ink = rule->palette();
        ink.setColor(QPalette::Window, QColor(160, 176, 160));
        rule->setPalette(ink);
        *row.box = box;
        y += RowHeight;
    }
    return y;
}

ClickLabel* RulesPanel::createOption(QWidget* parent, int left, int top, const QString& caption,
                                     void (RulesPanel::*handler)())
{
    auto* box = new ClickLabel(parent);
    box->setGeometry(left, top + 3, 12, 13);
    auto* label = new ClickLabel(caption, parent);
    label->setFont(face(Times, 13));
    label->adjustSize();
    label->move(left + 18, top);
    for (ClickLabel* part : {box, label}) {
        part->setCursor(Qt::PointingHandCursor);
        connect(part, &ClickLabel::pressed, this, handler);
    }
    return box;
}

void RulesPanel::createOptions(int top)
{
    createCaption(this, QStringLiteral("Secondary abilities"), 20, top, true);
    HalfCostCheckBox =
        createOption(this, 28, top + 20, QStringLiteral("Half cost, normal difficulty"),
                     &RulesPanel::HalfCostMouseDown);
    NormalCostCheckBox =
        createOption(this, 28, top + 40, QStringLiteral("Normal cost, -2 difficulty"),
                     &RulesPanel::NormalCostMouseDown);
    createCaption(this, QStringLiteral("Dependencies"), 20, top + 66, true);
    HumanityDependent = createOption(
        this, 28, top + 86, QStringLiteral("Calculate Humanity or Path rating from Virtues"),
        &RulesPanel::HumanityDependentMouseDown);
    WillpowerDependent =
        createOption(this, 28, top + 106, QStringLiteral("Calculate Willpower from Virtues"),
                     &RulesPanel::WillpowerDependentMouseDown);

    GolcondaCheckBox =
        createOption(this, 360, top + 2, QStringLiteral("Golconda"), &RulesPanel::GolcondaDown);
    GolcondaPanel = new QWidget(this);
    GolcondaPanel->setGeometry(360, top + 22, 220, 100);
    QLabel* allows = createCaption(
        GolcondaPanel, QStringLiteral("Allows a vampire to exceed the normal limits in..."), 0, 0,
        false);
    allows->setWordWrap(true);
    allows->setGeometry(0, 0, 200, 34);
    GolcondaChoice0 = createOption(GolcondaPanel, 8, 36, QStringLiteral("No trait"),
                                   &RulesPanel::GolcondaChoice0MouseDown);
    GolcondaChoice1 = createOption(GolcondaPanel, 8, 56, QStringLiteral("Disciplines only"),
                                   &RulesPanel::GolcondaChoice1MouseDown);
    GolcondaChoice2 = createOption(GolcondaPanel, 8, 76, QStringLiteral("Any trait"),
                                   &RulesPanel::GolcondaChoice2MouseDown);

    const int elder = top + 132;
    ElderCheckBox =
        createOption(this, 20, elder, QStringLiteral("Elder rules"), &RulesPanel::ElderDown);
    ElderDiscPanel = new QWidget(this);
    ElderDiscPanel->setGeometry(130, elder, 450, 60);
    createCaption(ElderDiscPanel, QStringLiteral("Rules for Elder disciplines:"), 0, 0, true);
    ElysiumDiscCheckBox =
        createOption(ElderDiscPanel, 8, 20,
                     QStringLiteral("At least half of the dots must be clan disciplines (Elysium)"),
                     &RulesPanel::ElysiumDiscCheckBoxMouseDown);
    DirtySecretsDiscCheckBox = createOption(
        ElderDiscPanel, 8, 40,
        QStringLiteral("Non-clan disciplines cannot exceed lowest clan discipline (Dirty Secrets)"),
        &RulesPanel::DirtySecretsDiscCheckBoxMouseDown);
    ElderDiscPanel->hide();
}

RulesBoxTexts RulesPanel::boxTexts() const
{
    RulesBoxTexts t;
    t.AttPriEdit = AttPriEdit->text();
    t.AttSecEdit = AttSecEdit->text();
    t.AttTerEdit = AttTerEdit->text();
    t.AbPriEdit = AbPriEdit->text();
    t.AbSecEdit = AbSecEdit->text();
    t.AbTerEdit = AbTerEdit->text();
    t.DisciplineEdit = DisciplineEdit->text();
    t.BackgroundEdit = BackgroundEdit->text();
    t.VirtueEdit = VirtueEdit->text();
    t.StartingGenerationEdit = StartingGenerationEdit->text();
    t.VirtueNamesEdit = VirtueNamesEdit->text();
    t.MaxPrimaryEdit = MaxPrimaryEdit->text();
    t.MaxSecondaryEdit = MaxSecondaryEdit->text();
    t.MaxHumanityEdit = MaxHumanityEdit->text();
    t.FreebiesEdit = FreebiesEdit->text();
    return t;
}

void RulesPanel::setBoxTexts(const RulesBoxTexts& t)
{
    const std::pair<QLineEdit*, const QString*> order[] = {
        {AttPriEdit, &t.AttPriEdit},
        {AttSecEdit, &t.AttSecEdit},
        {AttTerEdit, &t.AttTerEdit},
        {AbPriEdit, &t.AbPriEdit},
        {AbSecEdit, &t.AbSecEdit},
        {AbTerEdit, &t.AbTerEdit},
        {DisciplineEdit, &t.DisciplineEdit},
        {BackgroundEdit, &t.BackgroundEdit},
        {VirtueEdit, &t.VirtueEdit},
        {StartingGenerationEdit, &t.StartingGenerationEdit},
        {VirtueNamesEdit, &t.VirtueNamesEdit},
        {MaxPrimaryEdit, &t.MaxPrimaryEdit},
        {MaxSecondaryEdit, &t.MaxSecondaryEdit},
        {MaxHumanityEdit, &t.MaxHumanityEdit},
        {FreebiesEdit, &t.FreebiesEdit}};
    for (const auto& [box, text] : order)
        box->setText(*text);
}

void RulesPanel::applyPreset(const RulesBoxTexts& texts, bool elder)
{
    setBoxTexts(texts);
    m_settings.ElderRules = elder;
    emit rulesChanged();
}

void RulesPanel::CamarillaButtonMouseDown()
{
    applyPreset(RulesPresets::Camarilla(), false);
}
void RulesPanel::SabbatButtonMouseDown()
{
    applyPreset(RulesPresets::Sabbat(), false);
}
void RulesPanel::ElderButtonMouseDown()
{
    applyPreset(RulesPresets::Elder(), true);
}

void RulesPanel::optionChanged(bool limitsChange)
{
    // The Golconda choice changes the rating limits, which the generation applies.
    if (limitsChange)
        emit limitsChanged();
    emit rulesChanged();
}

void RulesPanel::HalfCostMouseDown()
{
    m_settings.SecondaryCostFactor = 0.5f;
    optionChanged(false);
}

void RulesPanel::NormalCostMouseDown()
{
    m_settings.SecondaryCostFactor = 1.0f;
    optionChanged(false);
}

void RulesPanel::GolcondaDown()
{
    m_settings.GolcondaOn = !m_settings.GolcondaOn;
    optionChanged(true);
}

void RulesPanel::GolcondaChoice0MouseDown()
{
    m_settings.GolcondaChoice = 0;
    optionChanged(true);
}

void RulesPanel::GolcondaChoice1MouseDown()
{
    m_settings.GolcondaChoice = 1;
    optionChanged(true);
}

void RulesPanel::GolcondaChoice2MouseDown()
{
    m_settings.GolcondaChoice = 2;
    optionChanged(true);
}

void RulesPanel::HumanityDependentMouseDown()
{
    m_settings.HumanityFromVirtues = !m_settings.HumanityFromVirtues;
    optionChanged(false);
}

void RulesPanel::WillpowerDependentMouseDown()
{
    m_settings.WillpowerFromVirtues = !m_settings.WillpowerFromVirtues;
    optionChanged(false);
}

void RulesPanel::ElderDown()
{
    m_settings.ElderRules = !m_settings.ElderRules;
    optionChanged(false);
}

void RulesPanel::ElysiumDiscCheckBoxMouseDown()
{
    m_settings.ElysiumRule = !m_settings.ElysiumRule;
    optionChanged(false);
}

void RulesPanel::DirtySecretsDiscCheckBoxMouseDown()
{
    m_settings.DirtySecretsRule = !m_settings.DirtySecretsRule;
    optionChanged(false);
}

void RulesPanel::showPresetMatch(const RulesPresets::PresetMatch& match)
{
    for (auto [label, on] :
         {std::pair{CamarillaButtonLabel, match.Camarilla},
          std::pair{SabbatButtonLabel, match.Sabbat}, std::pair{ElderButtonLabel, match.Elder}})
        if (label->palette().color(QPalette::WindowText) != (on ? ActiveColour : QColor(Qt::black)))
            setTextColour(label, on ? ActiveColour : QColor(Qt::black));
}

void RulesPanel::showOptions(const RulesSettings& s)
{
    static const QPixmap ticked = QPixmap::fromImage(Pictures::checked());
    static const QPixmap unticked = QPixmap::fromImage(Pictures::unChecked());
    const std::pair<ClickLabel*, bool> boxes[] = {
        {HalfCostCheckBox, s.SecondaryCostFactor != 1.0f},
        {NormalCostCheckBox, s.SecondaryCostFactor == 1.0f},
        {GolcondaCheckBox, s.GolcondaOn},
        {GolcondaChoice0, s.GolcondaChoice == 0},
        {GolcondaChoice1, s.GolcondaChoice == 1},
        {GolcondaChoice2, s.GolcondaChoice == 2},
        {HumanityDependent, s.HumanityFromVirtues},
        {WillpowerDependent, s.WillpowerFromVirtues},
        {ElderCheckBox, s.ElderRules},
        {ElysiumDiscCheckBox, s.ElysiumRule},
        {DirtySecretsDiscCheckBox, s.DirtySecretsRule}};
    for (const auto& [box, on] : boxes)
        if (box->property("ticked") != QVariant(on)) {
            box->setPixmap(on ? ticked : unticked);
            box->setProperty("ticked", on);
        }
    if (GolcondaPanel->isVisibleTo(this) != s.GolcondaOn)
        GolcondaPanel->setVisible(s.GolcondaOn);
}
