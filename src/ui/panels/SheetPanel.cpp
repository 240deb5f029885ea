#include "SheetPanel.h"

#include "controls/ClickLabel.h"
#include "controls/PaintedSection.h"
#include "controls/PlacedLabel.h"
#include "controls/SheetFonts.h"
#include "controls/SpecialtyLabel.h"
#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "output/Pictures.h"
#include "rules/RuleTables.h"
#include "rules/TextRoutines.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

using namespace SheetFonts;
using SheetLayout::dotsTop;
using SheetLayout::nameTop;

namespace {

constexpr int SheetWidth = 594;
constexpr int ColumnPitch = 196;
constexpr int NameWidth = 80;
constexpr std::array<int, 3> ColumnLeft = {6, 202, 398};

QPixmap crossOutLine()
{
    QPixmap line(133, 15);
    line.fill(Qt::transparent);
    QPainter painter(&line);
    painter.setPen(QPen(QColor(176, 0, 0), 2));
    painter.drawLine(0, 8, 133, 8);
    return line;
}

// An empty name row shows full stops across its box, as its own fitting pads it later, so
// that every empty row reads (and is saved) alike.
QString emptyName(const QFont& font)
{
    return TextRoutines::PadWithDots(QString(), NameWidth, font);
}

// Where a column's specialties must end, clear of the next column.
constexpr int columnRight(int column)
{
    return ColumnLeft[column] + ColumnPitch - 2;
}

QLabel* dottedLabel(QWidget* parent, const QString& text, int left, int row)
{
    const QFont times = face(Times, 13);
    return placedLabel(parent, TextRoutines::PadWithDots(text, NameWidth, times), times,
                       QRect(left, nameTop(row), NameWidth, 15));
}

// A click into the dots after a row's name puts the caret at the end of the name, so that
// typing extends the name instead of landing among the dots.
class CaretBeforeDots : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::FocusIn)
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->hasSelectedText()) {
                const int end = int(TextRoutines::StripDots(edit->text()).size());
                if (edit->cursorPosition() > end)
                    edit->setCursorPosition(end);
            }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

SheetPanel::SheetPanel(const RuleTables& tables, const QCursor& listCursor, QWidget* parent)
    : QWidget(parent), m_listCursor(listCursor), m_caretKeeper(new CaretBeforeDots(this))
{
    setAutoFillBackground(true);
    QPalette paper = palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    paper.setColor(QPalette::Text, Qt::black);
    setPalette(paper);

    createHeader();
    createDividers();
    createAttributes();
    createAbilities(tables);
    createSecondaryAbilities();
    createAdvantages();
    createTouches();
    updateLayout(RowCounts());
}

PaintedSection* SheetPanel::createSection(int height)
{
    auto* section = new PaintedSection(this);
    section->resize(SheetWidth, height);
    return section;
}

void SheetPanel::heading(PaintedSection* panel, const QString& text, int left, int width,
                         QLabel** tally)
{
    const QFont headingFont = face(Blackletter, 15);
    const QFont tallyFont = face(Times, 13);
    const int headingWidth = QFontMetrics(headingFont).horizontalAdvance(text);
    const int tallyWidth =
        tally ? QFontMetrics(tallyFont).horizontalAdvance(QStringLiteral("(00.5/00)")) : 0;
    const int start = left + (width - headingWidth - (tally ? 4 + tallyWidth : 0)) / 2;
    panel->addText(text, headingFont, QRect(start, 0, headingWidth + 2, 17),
                   Qt::AlignLeft | Qt::AlignVCenter, SheetHeadingColour);
    if (tally)
        *tally = placedLabel(panel, QString(), tallyFont,
                             QRect(start + headingWidth + 4, 0, tallyWidth, 17));
}

TNameEdit* SheetPanel::headerBox(int column, int row, const QString& caption,
                                 ClickLabel** captionLabel)
{
    constexpr int CaptionWidth = 70;
    const int left = ColumnLeft[column];
    const int top = 8 + 26 * row;
    const QRect captionPlace(left, top, CaptionWidth, 20);
    if (captionLabel) {
        // A caption that opens a list is a control of its own.
        auto* captionText = new ClickLabel(caption, Header);
        captionText->setFont(face(Belwe, 14));
        captionText->setGeometry(captionPlace);
        captionText->setCursor(m_listCursor);
        *captionLabel = captionText;
    } else {
        Header->addText(caption, face(Belwe, 14), captionPlace);
    }
    auto* edit = new TNameEdit(Header);
    edit->setFont(face(Handwriting, 13));
    edit->setGeometry(left + CaptionWidth, top, ColumnPitch - CaptionWidth - 8, 20);
    // A ruled line under the box, as on a paper sheet.
    Header->addFill(QRect(left + CaptionWidth, top + 20, ColumnPitch - CaptionWidth - 8, 1),
                    QColor(160, 176, 160));
    return edit;
}

void SheetPanel::createHeader()
{
    Header = createSection(SheetLayout::HeaderHeight);
    Name = headerBox(0, 0, QStringLiteral("Name:"), nullptr);
    Player = headerBox(0, 1, QStringLiteral("Player:"), nullptr);
    Chronicle = headerBox(0, 2, QStringLiteral("Chronicle:"), nullptr);
    Nature = headerBox(1, 0, QStringLiteral("Nature:"), &NatureCaption);
    Demeanor = headerBox(1, 1, QStringLiteral("Demeanor:"), &DemeanorCaption);
    Clan = headerBox(1, 2, QStringLiteral("Clan:"), &ClanCaption);
    Generation = headerBox(2, 0, QStringLiteral("Generation:"), &GenerationCaption);
    Haven = headerBox(2, 1, QStringLiteral("Haven:"), nullptr);
    Concept = headerBox(2, 2, QStringLiteral("Concept:"), nullptr);
    for (TNameEdit* list : {Nature, Demeanor, Clan, Generation})
        list->setCursor(m_listCursor);
    Generation->setText(QStringLiteral("13th"));
}

void SheetPanel::createDividers()
{
    const std::array<QString, 4> captions = {
        QStringLiteral("Attributes"), QStringLiteral("Abilities"), QStringLiteral("Advantages"),
        QStringLiteral("Other Traits")};
    const QPixmap picture = QPixmap::fromImage(Pictures::divider());
    const QRect place(0, 0, SheetWidth, SheetLayout::DividerHeight);
    for (std::size_t i = 0; i < Dividers.size(); ++i) {
        Dividers[i] = new PaintedSection(this);
        Dividers[i]->resize(place.size());
        Dividers[i]->addPicture(picture, place);
        Dividers[i]->addText(captions[i], face(Blackletter, 18), place, Qt::AlignCenter,
                             SheetHeadingColour);
    }
}

TVampireDots* SheetPanel::attributeDots(QWidget* panel, int left, int top, int maxDots, int minDots)
{
    auto* dots = new TVampireDots(panel);
    dots->setDiameter(8);
    dots->setSpacing(2);
    dots->setMaxDots(maxDots);
    dots->setMinDots(minDots);
    dots->setFilled(minDots);
    dots->setFreebies(0);
    dots->move(left, top);
    return dots;
}

void SheetPanel::createAttributes()
{
    Attributes = createSection(SheetLayout::AttributesHeight);
    const std::array<QString, 3> groups = {QStringLiteral("Physical"), QStringLiteral("Social"),
                                           QStringLiteral("Mental")};
    std::array<QLabel**, 3> tallies = {&PhysLabel, &SocLabel, &MenLabel};
    const std::array<std::array<QString, 3>, 3> names = {
        {{QStringLiteral("Strength"), QStringLiteral("Dexterity"), QStringLiteral("Stamina")},
         {QStringLiteral("Charisma"), QStringLiteral("Manipulation"), QStringLiteral("Appearance")},
         {QStringLiteral("Perception"), QStringLiteral("Intelligence"), QStringLiteral("Wits")}}};
    std::array<std::array<TVampireDots**, 3>, 3> dots = {{{&Strength, &Dexterity, &Stamina},
                                                          {&Charisma, &Manipulation, &Appearance},
                                                          {&Perception, &Intelligence, &Wits}}};
    for (int c = 0; c < 3; ++c) {
        heading(Attributes, groups[c], ColumnLeft[c] - 6, ColumnPitch, tallies[c]);
        for (int r = 0; r < 3; ++r) {
            QLabel* caption = dottedLabel(Attributes, names[c][r], ColumnLeft[c], r);
            *dots[c][r] = attributeDots(Attributes, ColumnLeft[c] + NameWidth, dotsTop(r), 5, 1);
            AttributeCaptions[3 * c + r] = caption;
            AttributeSpecialties[3 * c + r] =
                new SpecialtyLabel(*dots[c][r], columnRight(c), Attributes);
        }
    }
    PhysLabel->setText(QStringLiteral("(0/7)"));
    SocLabel->setText(QStringLiteral("(0/5)"));
    MenLabel->setText(QStringLiteral("(0/3)"));

    auto* cross = new QLabel(Attributes);
    cross->setPixmap(crossOutLine());
    cross->setScaledContents(true);
    cross->setGeometry(ColumnLeft[1], nameTop(2), 133, 15);
    cross->hide();
    AppCrossOut = cross;
}

SheetPanel::TraitRow SheetPanel::traitRow(QWidget* panel, int left, int row, const QString& text,
                                          const QFont& nameFont, bool specialty)
{
    TraitRow trait;
    trait.name = freeRow(panel, left, nameTop(row), NameWidth, nameFont);
    trait.name->setText(text);
    trait.name->setCursorPosition(0); // keep the start of a name in view, not its dots
    trait.dots = attributeDots(panel, left + NameWidth, dotsTop(row), 5, 0);
    if (specialty)
        trait.specialty =
            new SpecialtyLabel(trait.dots, left - ColumnLeft[0] + columnRight(0), panel);
    return trait;
}

TNameEdit* SheetPanel::freeRow(QWidget* panel, int left, int top, int width, const QFont& nameFont)
{
    auto* edit = new TNameEdit(panel);
    edit->setFont(nameFont);
    edit->setGeometry(left, top, width, 15);
    edit->setCursor(m_listCursor);
    edit->watchEditing(m_caretKeeper);
    return edit;
}

void SheetPanel::createAbilities(const RuleTables& tables)
{
    Abilities = createSection(0);
    const std::array<QString, 3> titles = {QStringLiteral("Talents"), QStringLiteral("Skills"),
                                           QStringLiteral("Knowledges")};
    std::array<QLabel**, 3> tallies = {&TalentTallyLabel, &SkillTallyLabel, &KnowledgeTallyLabel};
    const QFont times = face(Times, 13);
    const QFont handwriting = face(Handwriting, NameSize);
    for (int c = 0; c < 3; ++c) {
        heading(Abilities, titles[c], ColumnLeft[c] - 6, ColumnPitch, tallies[c]);
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            const bool fixed = r < 10;
            const QString text =
                fixed ? TextRoutines::PadWithDots(tables.standardAbility(c, r), NameWidth, times)
                      : emptyName(handwriting);
            AbilityRows[c][r] =
                traitRow(Abilities, ColumnLeft[c], r, text, fixed ? times : handwriting, true);
            if (fixed) {
                AbilityRows[c][r].name->setReadOnly(true);
                AbilityRows[c][r].name->setFocusPolicy(Qt::NoFocus);
                AbilityRows[c][r].name->unsetCursor();
            }
        }
    }
    TalentTallyLabel->setText(QStringLiteral("(0/13)"));
    SkillTallyLabel->setText(QStringLiteral("(0/9)"));
    KnowledgeTallyLabel->setText(QStringLiteral("(0/5)"));
}

void SheetPanel::createSecondaryAbilities()
{
    SecAbilities = createSection(0);
    const std::array<QString, 3> titles = {QStringLiteral("Secondary Talents"),
                                           QStringLiteral("Secondary Skills"),
                                           QStringLiteral("Secondary Knowledge")};
    const QFont handwriting = face(Handwriting, NameSize);
    // Created column by column so the tab order runs down each column in turn.
    for (int c = 0; c < 3; ++c) {
        heading(SecAbilities, titles[c], ColumnLeft[c] - 6, ColumnPitch, nullptr);
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            SecondaryRows[c][r] =
                traitRow(SecAbilities, ColumnLeft[c], r, emptyName(handwriting), handwriting, true);
    }
}

void SheetPanel::createAdvantages()
{
    Advantages = createSection(0);
    heading(Advantages, QStringLiteral("Disciplines"), 0, ColumnPitch, &DisciplineTallyLabel);
    heading(Advantages, QStringLiteral("Backgrounds"), ColumnPitch, ColumnPitch,
            &BackgroundTallyLabel);
    heading(Advantages, QStringLiteral("Virtues"), 2 * ColumnPitch, ColumnPitch, &VirtueTallyLabel);
    const QFont handwriting = face(Handwriting, NameSize);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        DisciplineRows[r] =
            traitRow(Advantages, ColumnLeft[0], r, emptyName(handwriting), handwriting);
    }
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
        BackgroundRows[r] =
            traitRow(Advantages, ColumnLeft[1], r, emptyName(handwriting), handwriting);

    Virtue1 = dottedLabel(Advantages, QStringLiteral("Conscience"), ColumnLeft[2], 0);
    Virtue2 = dottedLabel(Advantages, QStringLiteral("Self-Control"), ColumnLeft[2], 1);
    Virtue3 = dottedLabel(Advantages, QStringLiteral("Courage"), ColumnLeft[2], 2);
    Conscience = attributeDots(Advantages, ColumnLeft[2] + NameWidth, dotsTop(0), 5, 1);
    SelfControl = attributeDots(Advantages, ColumnLeft[2] + NameWidth, dotsTop(1), 5, 1);
    Courage = attributeDots(Advantages, ColumnLeft[2] + NameWidth, dotsTop(2), 5, 1);

    DisciplineTallyLabel->setText(QStringLiteral("(0/3)"));
    BackgroundTallyLabel->setText(QStringLiteral("(0/5)"));
    VirtueTallyLabel->setText(QStringLiteral("(0/7)"));
}

void SheetPanel::createTouches()
{
    constexpr int MeritWidth = 200;
    constexpr int Middle = SheetWidth / 2;
    Touches = createSection(175);
    const QFont handwriting = face(Handwriting, NameSize);
    const QString meritPlaceholder = TextRoutines::PadWithDots(QString(), MeritWidth, handwriting);

    heading(Touches, QStringLiteral("Merits"), 0, 212, nullptr);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        MeritRows[r] = freeRow(Touches, ColumnLeft[0], nameTop(r), MeritWidth, handwriting);
        MeritRows[r]->setText(meritPlaceholder);
        MeritRows[r]->setCursorPosition(0);
    }
    FlawPanel = new PaintedSection(Touches);
    FlawPanel->setAutoFillBackground(true);
    FlawPanel->setFocusPolicy(Qt::TabFocus);
    heading(FlawPanel, QStringLiteral("Flaws"), 0, 212, nullptr);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        FlawRows[r] = freeRow(FlawPanel, ColumnLeft[0], nameTop(r), MeritWidth, handwriting);
        FlawRows[r]->setText(meritPlaceholder);
        FlawRows[r]->setCursorPosition(0);
    }

    // Humanity or the path, Willpower and the blood pool share the middle column.
    Path = new QLineEdit(QStringLiteral("Humanity"), Touches);
    Path->setFrame(false);
    Path->setFont(face(Blackletter, 15));
    Path->setAlignment(Qt::AlignCenter);
    Path->setGeometry(Middle - 80, 0, 160, 18);
    Path->setCursor(m_listCursor);
    QPalette headingInk = Path->palette();
    headingInk.setColor(QPalette::Text, SheetHeadingColour);
    Path->setPalette(headingInk);

    // The Humanity row starts 10 pixels left of its clip so that the zero cross stays hidden.
    auto* humanityClip = new QWidget(Touches);
    humanityClip->setGeometry(Middle - 49, 22, 98, 8);
    Humanity = attributeDots(humanityClip, -10, 0, 10, 0);
    Humanity->setFilled(2);
    Humanity->setFreebies(0);

    Touches->addText(QStringLiteral("Willpower"), face(Blackletter, 15),
                     QRect(Middle - 80, 38, 160, 18), Qt::AlignCenter, SheetHeadingColour);
    Willpower = attributeDots(Touches, Middle - 49, 60, 10, 1);

    Touches->addText(QStringLiteral("Blood Pool"), face(Blackletter, 15),
                     QRect(Middle - 80, 76, 160, 18), Qt::AlignCenter, SheetHeadingColour);
    Touches->addText(QStringLiteral("Blood/Turn:"), face(Belwe, 13), QRect(Middle - 50, 95, 70, 16),
                     Qt::AlignRight | Qt::AlignVCenter);
    BloodTurn =
        placedLabel(Touches, QStringLiteral("1"), face(Belwe, 13), QRect(Middle + 24, 95, 40, 16));

    // Health: the panel covers the extra "Hurt" level that only a huge character has.
    const int left = ColumnLeft[2];
    heading(Touches, QStringLiteral("Health"), 2 * ColumnPitch, ColumnPitch, nullptr);
    const QFont levelFont = face(Belwe, 13);
    auto level = [&](PaintedSection* parent, int x, int top, const QString& name,
                     const QString& penalty) {
        parent->addText(name, levelFont, QRect(x + 20, top, 100, 15));
        parent->addText(penalty, levelFont, QRect(x + 120, top, 30, 15));
        parent->addBox(QRect(x + 152, top + 3, 10, 10));
    };
    level(Touches, left, 17, QStringLiteral("Bruised"), QString());
    level(Touches, left, 32, QStringLiteral("Hurt"), QStringLiteral("-1"));
    HealthPanel = new PaintedSection(Touches);
    HealthPanel->setAutoFillBackground(true);
    HealthPanel->setGeometry(left, 32, ColumnPitch - 4, 92);
    const std::array<std::pair<QString, QString>, 6> levels = {{
        {QStringLiteral("Hurt"), QStringLiteral("-1")},
        {QStringLiteral("Injured"), QStringLiteral("-1")},
        {QStringLiteral("Wounded"), QStringLiteral("-2")},
        {QStringLiteral("Mauled"), QStringLiteral("-2")},
        {QStringLiteral("Crippled"), QStringLiteral("-5")},
        {QStringLiteral("Incapacitated"), QString()},
    }};
    for (std::size_t i = 0; i < levels.size(); ++i)
        level(HealthPanel, 0, int(15 * i), levels[i].first, levels[i].second);

    placeBloodPool(13);
}

void SheetPanel::placeBloodPool(int generation)
{
    const QList<QPoint> places = SheetLayout::bloodPoolBoxes(generation, SheetWidth);
    QList<QRect> boxes;
    for (qsizetype i = 0; i < places.size() && i < BloodPoolBoxes; ++i)
        boxes.append(QRect(places[i], QSize(10, 10)));
    Touches->setChangingBoxes(boxes);
}

int SheetPanel::bloodPoolShown() const
{
    return int(Touches->changingBoxes());
}

int SheetPanel::updateLayout(const RowCounts& rows)
{
    const SheetLayout::Geometry g = SheetLayout::compute(rows);
    for (int c = 0; c < 3; ++c) {
        for (int r = 10; r < SheetLayout::RowsPerGroup; ++r)
            AbilityRows[c][r].name->setFocusPolicy(r < rows.AbilityRows ? Qt::StrongFocus
                                                                        : Qt::NoFocus);
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            SecondaryRows[c][r].name->setFocusPolicy(r < rows.SecondaryRows ? Qt::StrongFocus
                                                                            : Qt::NoFocus);
    }
    Abilities->resize(SheetWidth, g.abilitiesHeight);
    SecAbilities->resize(SheetWidth, g.secondaryHeight);
    Advantages->resize(SheetWidth, g.advantagesHeight);
    FlawPanel->setGeometry(0, g.flawPanelTop, 212, g.flawPanelHeight);
    // Rows out of use are hidden; rows in use show (the ability rows are cut off by their
    // panel's height instead).
    auto showRows = [](auto& rows, int count) {
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r)
            rows[r]->setVisible(r < count);
    };
    auto showTraitRows = [](TraitRows& rows, int count) {
        for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
            rows[r].name->setVisible(r < count);
            rows[r].dots->setVisible(r < count);
        }
    };
    showTraitRows(DisciplineRows, rows.DisciplineRows);
    showTraitRows(BackgroundRows, rows.BackgroundRows);
    showRows(MeritRows, rows.MeritRows);
    showRows(FlawRows, rows.FlawRows);
    Touches->resize(SheetWidth, g.touchesHeight);

    int top = 0;
    auto stack = [&top](QWidget* panel) {
        panel->move(0, top);
        top += panel->height();
    };
    stack(Header);
    stack(Dividers[0]);
    stack(Attributes);
    stack(Dividers[1]);
    stack(Abilities);
    stack(SecAbilities);
    stack(Dividers[2]);
    stack(Advantages);
    stack(Dividers[3]);
    stack(Touches);
    resize(SheetWidth, g.sheetHeight);
    return g.sheetHeight;
}
