#include "SheetComposer.h"

#include "output/FontRegistry.h"
#include "rules/TextRoutines.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

using Part = SheetPage::Part;
using Shape = SheetPage::Shape;

namespace {

const QString Blackletter = QStringLiteral("Lucida Blackletter");
const QString Handwriting = QStringLiteral("Lucida Handwriting");
const QString Belwe = QStringLiteral("Belwe Lt BT");

constexpr int W = SheetComposer::PageWidth;
constexpr int C = W / 3; // column width
constexpr int H = C / 2; // half column
constexpr int Origin[3] = {0, W / 3, 2 * W / 3};
// A text that cannot fit even this small is shortened; smaller would not print anyway.
constexpr int SmallestPoints = 1;
// Ends the padding should a face ever measure a full stop as nothing.
constexpr int LongestLabel = 500;

const QStringList HealthLevels = {QStringLiteral("Bruised"),      QStringLiteral("Hurt"),
                                  QStringLiteral("Injured"),      QStringLiteral("Wounded"),
                                  QStringLiteral("Mauled"),       QStringLiteral("Crippled"),
                                  QStringLiteral("Incapacitated")};
// Penalties of the levels above; "Bruised" and "Incapacitated" have none.
const QStringList Penalties = {QString(),
                               QStringLiteral("-1"),
                               QStringLiteral("-1"),
                               QStringLiteral("-2"),
                               QStringLiteral("-2"),
                               QStringLiteral("-5"),
                               QString()};

} // namespace

SheetComposer::SheetComposer(const PrintedSheet& sheet)
    : m_sheet(sheet), m_body(W / 60), m_line(textHeight(Belwe, m_body)),
      m_rowAscent(QFontMetricsF(font(Belwe, m_body)).ascent()), m_pitch((C - H) / 11),
      m_inset(m_pitch / 6), m_drop(m_line / 5), m_penWidth(std::max(1, m_pitch / 20)),
      m_page(W, m_penWidth)
{
}

SheetPage SheetComposer::compose(const PrintedSheet& sheet)
{
    SheetComposer composer(sheet);
    composer.composeTitle();
    composer.composeHeader();
    composer.divider();
    composer.composeAttributes();
    composer.divider();
    composer.composeAbilities();
    composer.composeSecondaryAbilities();
    composer.m_y -= composer.m_line;
    composer.divider();
    composer.composeAdvantages();
    composer.divider();
    composer.composeLowerSections();
    return composer.m_page;
}

int SheetComposer::generationNumber(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit() && digits < 6)
        ++digits;
    return digits ? text.left(digits).toInt() : 0;
}

int SheetComposer::bloodPoolRows(int generation)
{
    if (generation >= 8 && generation <= 15)
        return 1;
    if (generation >= 4 && generation <= 7)
        return 9 - generation;
    return 0;
}

// --- Sections ---

void SheetComposer::composeTitle()
{
    const int points = W / 30;
    const QString title = QStringLiteral("Vampire - The Masquerade");
    text(Part::Title, (W - advance(title, Blackletter, points)) / 2, 0, title, Blackletter, points,
         Anchor::Top);
    m_y = textHeight(Blackletter, points);
}

void SheetComposer::composeHeader()
{
    const PrintedSheet& s = m_sheet;
    const struct
    {
        QString label;
        const QString& value;
    } rows[3][3] = {
        {{QStringLiteral("Name: "), s.Name},
         {QStringLiteral("Nature: "), s.Nature},
         {QStringLiteral("Generation: "), s.Generation}},
        {{QStringLiteral("Player: "), s.Player},
         {QStringLiteral("Demeanor: "), s.Demeanor},
         {QStringLiteral("Haven: "), s.Haven}},
        {{QStringLiteral("Chronicle: "), s.Chronicle},
         {QStringLiteral("Clan: "), s.Clan},
         {QStringLiteral("Concept: "), s.Concept}},
    };
    for (const auto& row : rows) {
        for (int c = 0; c < 3; ++c) {
            const int x = Origin[c];
            const int end = c < 2 ? Origin[c + 1] : W;
            text(Part::HeaderLabel, x, m_y, row[c].label, Belwe, m_body);
            const int valueX = x + int(advance(row[c].label, Belwe, m_body));
            fittedText(Part::HeaderValue, valueX, m_y, row[c].value, end - valueX, Handwriting);
        }
        m_y += m_line;
    }
}

void SheetComposer::composeAttributes()
{
    const PrintedSheet& s = m_sheet;
    columnHeadings(
        {QStringLiteral("Physical"), QStringLiteral("Social"), QStringLiteral("Mental")});
    const struct
    {
        QString name;
        const PrintedSheet::Rating& rating;
    } rows[3][3] = {
        {{QStringLiteral("Strength"), s.Strength},
         {QStringLiteral("Charisma"), s.Charisma},
         {QStringLiteral("Perception"), s.Perception}},
        {{QStringLiteral("Dexterity"), s.Dexterity},
         {QStringLiteral("Manipulation"), s.Manipulation},
         {QStringLiteral("Intelligence"), s.Intelligence}},
        {{QStringLiteral("Stamina"), s.Stamina},
         {QStringLiteral("Appearance"), s.Appearance},
         {QStringLiteral("Wits"), s.Wits}},
    };
    for (const auto& row : rows) {
        for (int c = 0; c < 3; ++c) {
            traitLabel(Origin[c], m_y, row[c].name, row[c].rating.specialty, true, Belwe);
            dots(Part::Dot, Origin[c] + H, m_y, row[c].rating.MaxDots, row[c].rating.Filled);
        }
        m_y += m_line;
    }
    if (s.AppearanceStruckOut) {
        const int appearanceTop = m_y - m_line;
        const int y = appearanceTop + int(0.53 * m_line);
        line(Part::StrikeOut,
             QLineF(Origin[1], y, Origin[1] + H + s.Appearance.MaxDots * m_pitch, y));
    }
}

void SheetComposer::composeAbilities()
{
    composeAbilityColumns(
        m_sheet.Abilities,
        {QStringLiteral("Talents"), QStringLiteral("Skills"), QStringLiteral("Knowledge")}, 10);
}

void SheetComposer::composeSecondaryAbilities()
{
    composeAbilityColumns(m_sheet.Secondary,
                          {QStringLiteral("Secondary Talents"), QStringLiteral("Secondary Skills"),
                           QStringLiteral("Secondary Knowledge")},
                          0);
}

// The first standardRows rows carry the fixed names; a section of free rows alone is left
// out when no column has a row in use.
void SheetComposer::composeAbilityColumns(
    const std::array<QList<PrintedSheet::TraitRow>, 3>& columns,
    const std::array<QString, 3>& titles, int standardRows)
{
    const qsizetype rows = std::max({columns[0].size(), columns[1].size(), columns[2].size()});
    if (rows == 0 && standardRows == 0)
        return;
    columnHeadings(titles);
    for (qsizetype r = 0; r < rows; ++r) {
        const bool standard = r < standardRows;
        for (int c = 0; c < 3; ++c)
            if (r < columns[c].size())
                traitRow(c, m_y, columns[c][r], standard, standard ? Belwe : Handwriting);
        m_y += m_line;
    }
}

void SheetComposer::composeAdvantages()
{
    const PrintedSheet& s = m_sheet;
    columnHeadings(
        {QStringLiteral("Disciplines"), QStringLiteral("Backgrounds"), QStringLiteral("Virtues")});
    for (int i = 0; i < 3; ++i)
        traitRow(2, m_y + i * m_line, s.Virtues[i], false, Belwe);
    for (qsizetype i = 0; i < s.Disciplines.size(); ++i) {
        const PrintedSheet::DisciplineRow& row = s.Disciplines[i];
        traitRow(0, m_y + int(i) * m_line, row, false, row.clanFont ? Belwe : Handwriting);
    }
    for (qsizetype i = 0; i < s.Backgrounds.size(); ++i)
        traitRow(1, m_y + int(i) * m_line, s.Backgrounds[i], false, Handwriting);
    const qsizetype rows = std::max({qsizetype(5), s.Disciplines.size(), s.Backgrounds.size()});
    m_y += int(rows - 1) * m_line;
}

void SheetComposer::composeLowerSections()
{
    const int top = m_y;
    const int bloodBottom = composeHumanityAndBlood(top);
    const int healthLines = composeHealth(top);
    const int listsEnd = composeMeritsAndFlaws(top);
    const int bloodRows = bloodPoolRows(generationNumber(m_sheet.Generation));
    const int combatTop =
        std::max({listsEnd, top + (healthLines - 1) * m_line, top + (bloodRows + 5) * m_line});
    const int captionLine = composeCombat(combatTop);
    composeExperience(
        std::max({bloodBottom, captionLine + 6 * m_line, top + (healthLines + 6) * m_line}));
}

// Returns the bottom of the blood pool squares, or top when there are none.
int SheetComposer::composeHumanityAndBlood(int top)
{
    const PrintedSheet& s = m_sheet;
    const int L = m_line;
    heading(1, top, s.Path);
    for (int i = 0; i < 10; ++i)
        dots(Part::HumanityDot, spreadX(i, 10), top + L, 1, s.Humanity > i ? 1 : 0);
    heading(1, top + 3 * L, QStringLiteral("Willpower"));
    for (int i = 0; i < 10; ++i) {
        dots(Part::WillpowerDot, spreadX(i, 10), top + 4 * L, 1, s.Willpower > i ? 1 : 0);
        dotSizedSquare(Part::WillpowerSquare, spreadX(i, 10), top + 5 * L);
    }
    heading(1, top + 7 * L, QStringLiteral("Blood Pool"));
    const QString perTurn = s.BloodTurn + QStringLiteral("/turn");
    text(Part::BloodTurn, Origin[1] + (C - advance(perTurn, Belwe, m_body)) / 2, top + 8 * L,
         perTurn, Belwe, m_body);

    const int generation = generationNumber(s.Generation);
    const int rows = bloodPoolRows(generation);
    const int perRow = generation >= 8 ? std::max(10, 23 - generation) : 10;
    int bottom = top;
    for (int r = 0; r < rows; ++r) {
        const int y = top + (9 + r) * L;
        for (int i = 0; i < perRow; ++i)
            dotSizedSquare(Part::BloodSquare, spreadX(i, perRow), y);
        bottom = y + m_pitch + m_drop;
    }
    return bottom;
}

// Returns the number of health lines.
int SheetComposer::composeHealth(int top)
{
    heading(2, top, QStringLiteral("Health"));
    QStringList levels = HealthLevels;
    QStringList penalties = Penalties;
    if (m_sheet.HugeSize) {
        // The extra level follows "Bruised" and, like it, costs nothing.
        levels.insert(1, QStringLiteral("Hurt"));
        penalties.insert(1, QString());
    }
    const int squareLeft = int(std::lround(Origin[2] + 1.2 * H));
    for (qsizetype i = 0; i < levels.size(); ++i) {
        const int y = top + int(i + 1) * m_line;
        text(Part::HealthLevel, Origin[2], y, levels[i], Belwe, m_body);
        if (!penalties[i].isEmpty())
            text(Part::Penalty, Origin[2] + H, y, penalties[i], Belwe, m_body);
        dotSizedSquare(Part::HealthSquare, squareLeft, y);
    }
    return int(levels.size());
}

// Returns where the lists end.
int SheetComposer::composeMeritsAndFlaws(int top)
{
    int y = top;
    auto list = [&](const QString& title, const QStringList& rows, Part part) {
        if (rows.isEmpty())
            return;
        heading(0, y, title);
        y += m_line;
        for (const QString& row : rows) {
            fittedText(part, Origin[0], y, TextRoutines::StripDots(row), C, Handwriting);
            y += m_line;
        }
    };
    list(QStringLiteral("Merits"), m_sheet.Merits, Part::Merit);
    list(QStringLiteral("Flaws"), m_sheet.Flaws, Part::Flaw);
    return y;
}

// Returns the caption line of the block.
int SheetComposer::composeCombat(int top)
{
    heading(0, top, QStringLiteral("Combat"));
    const int y = top + m_line;
    const QString captions[3] = {QStringLiteral("Weapon"), QStringLiteral("Difficulty"),
                                 QStringLiteral("Damage")};
    for (int i = 0; i < 3; ++i) {
        const qreal width = advance(captions[i], Belwe, m_body);
        text(Part::Caption, Origin[0] + i * C / 3 + (C / 3 - width) / 2, y, captions[i], Belwe,
             m_body);
    }
    for (int i = 0; i < 4; ++i)
        rectangle(Part::Box, QRectF(QPointF(Origin[0] + m_penWidth, y + i * m_line),
                                    QPointF(Origin[1] - m_penWidth, y + (i + 1) * m_line)));
    for (const int x : {Origin[0] + C / 3, Origin[0] + 2 * C / 3})
        line(Part::Rule, QLineF(x, y, x, y + 4 * m_line));
    return y;
}

void SheetComposer::composeExperience(int pageEnd)
{
    const int L = m_line;
    heading(2, pageEnd - 5 * L, QStringLiteral("Experience"));
    const QRectF box(QPointF(Origin[2] + m_penWidth, pageEnd - 4 * L + m_penWidth),
                     QPointF(W - m_penWidth, pageEnd - 2 * L - m_penWidth));
    rectangle(Part::Box, box);
    line(Part::Rule, QLineF(Origin[2] + H, box.top(), Origin[2] + H, box.bottom()));
    const int small = m_body / 2;
    const QString captions[2] = {QStringLiteral("Current"), QStringLiteral("Total")};
    for (int i = 0; i < 2; ++i)
        text(Part::Caption, Origin[2] + i * H + (H - advance(captions[i], Belwe, small)) / 2,
             pageEnd - 4 * L, captions[i], Belwe, small, Anchor::Top);
    if (m_sheet.ExperienceShown) {
        const int values[2] = {m_sheet.ExperienceLeft, m_sheet.ExperienceEarned};
        for (int i = 0; i < 2; ++i) {
            const QString value = QString::number(values[i]);
            text(Part::ExperienceValue,
                 Origin[2] + i * H + (H - advance(value, Handwriting, m_body)) / 2,
                 pageEnd - 4 * L + small, value, Handwriting, m_body, Anchor::Top);
        }
    }
    m_page.setHeight(pageEnd);
}

// --- Primitives ---

void SheetComposer::fittedText(Part part, int x, int y, const QString& value, int width,
                               const QString& family)
{
    int points = m_body;
    while (points > SmallestPoints && advance(value + u' ', family, points) > width)
        --points;
    QString shown = value;
    if (advance(value + u' ', family, points) > width)
        shown = QFontMetricsF(font(family, points)).elidedText(value, Qt::ElideRight, width);
    text(part, x, y, shown, family, points);
}

void SheetComposer::dottedLabel(int x, int y, QString label, int width, const QString& family)
{
    while (advance(label + u' ', family, m_body) < width && label.size() < LongestLabel)
        label += u'.';
    text(Part::TraitName, x, y, label, family, m_body);
}

void SheetComposer::fittedDottedLabel(int x, int y, QString label, int width, const QString& family)
{
    int points = m_body;
    while (points > SmallestPoints && advance(label + u' ', family, points) > 0.95 * width)
        --points;
    if (advance(label + u' ', family, points) > 0.95 * width)
        label = QFontMetricsF(font(family, points)).elidedText(label, Qt::ElideRight, width);
    while (advance(label + u' ', family, points) < width && label.size() < LongestLabel)
        label += u'.';
    text(Part::TraitName, x, y, label, family, points);
}

void SheetComposer::dots(Part part, int x, int y, int count, int filled)
{
    const int size = m_pitch - m_inset;
    for (int i = 0; i < count; ++i) {
        SheetPage::Item item(part, Shape::Circle);
        item.rect = QRectF(x + i * m_pitch + m_inset, y + m_inset + m_drop, size, size);
        item.filled = i < filled;
        m_page.add(item);
    }
}

void SheetComposer::dotSizedSquare(Part part, int x, int y)
{
    const int size = m_pitch - m_inset;
    rectangle(part, QRectF(x + m_inset, y + m_inset + m_drop, size, size));
}

void SheetComposer::divider()
{
    const int band = m_line * 3 / 2;
    m_y += band;
    SheetPage::Item item(Part::Divider, Shape::Picture);
    item.rect = QRectF(0, m_y, W, band);
    m_page.add(item);
    m_y += 2 * m_line;
}

void SheetComposer::heading(int column, int y, const QString& title)
{
    // A heading wider than its column (a long path name) is set smaller instead of running
    // into its neighbours.
    int points = m_body;
    while (points > SmallestPoints && advance(title, Blackletter, points) > C)
        --points;
    text(Part::Heading, Origin[column] + (C - advance(title, Blackletter, points)) / 2, y, title,
         Blackletter, points);
}

void SheetComposer::columnHeadings(const std::array<QString, 3>& titles)
{
    for (int c = 0; c < 3; ++c)
        heading(c, m_y, titles[c]);
    m_y += m_line;
}

void SheetComposer::traitRow(int column, int y, const PrintedSheet::TraitRow& row, bool fixedName,
                             const QString& family)
{
    traitLabel(Origin[column], y, TextRoutines::StripDots(row.name), row.specialty, fixedName,
               family);
    dots(Part::Dot, Origin[column] + H, y, row.MaxDots, row.Filled);
}

void SheetComposer::traitLabel(int x, int y, const QString& name, const QString& specialty,
                               bool fixedName, const QString& family)
{
    if (!specialty.isEmpty())
        specialtyLabel(x, y, name, specialty, H, family);
    else if (fixedName)
        dottedLabel(x, y, name, H, family);
    else
        fittedDottedLabel(x, y, name, H, family);
}

void SheetComposer::specialtyLabel(int x, int y, const QString& name, const QString& specialty,
                                   int width, const QString& family)
{
    const QString inParentheses = QStringLiteral("(%1)").arg(specialty);
    const QString oneLine = name + u' ' + inParentheses;
    // Below two thirds of the body size a line reads badly; two lines of half size read better.
    const int readable = std::max(SmallestPoints, m_body * 2 / 3);
    int points = m_body;
    while (points > readable && advance(oneLine + u' ', family, points) > width)
        --points;
    if (advance(oneLine + u' ', family, points) <= width) {
        text(Part::TraitName, x, y, oneLine, family, points);
        return;
    }
    points = std::max(SmallestPoints, m_body / 2);
    while (points > SmallestPoints && (advance(name + u' ', family, points) > width ||
                                       advance(inParentheses + u' ', family, points) > width))
        --points;
    text(Part::TraitName, x, y, name, family, points, Anchor::Top);
    text(Part::TraitName, x, y + m_line / 2, inParentheses, family, points, Anchor::Top);
}

void SheetComposer::text(Part part, qreal x, qreal y, const QString& value, const QString& family,
                         int points, Anchor anchor)
{
    SheetPage::Item item(part, Shape::Text);
    item.font = font(family, points);
    const QFontMetricsF metrics(item.font);
    // Faces and sizes differ along a row; one baseline keeps them in line with the dots.
    item.baseline = anchor == Anchor::Top ? y + metrics.ascent() : y + m_rowAscent;
    item.rect = QRectF(x, item.baseline - metrics.ascent(), metrics.horizontalAdvance(value),
                       metrics.height());
    item.text = value;
    item.points = points;
    m_page.add(item);
}

void SheetComposer::rectangle(Part part, const QRectF& rect)
{
    SheetPage::Item item(part, Shape::Rectangle);
    item.rect = rect;
    m_page.add(item);
}

void SheetComposer::line(Part part, const QLineF& segment)
{
    SheetPage::Item item(part, Shape::Line);
    item.line = segment;
    item.rect = QRectF(segment.p1(), segment.p2()).normalized();
    m_page.add(item);
}

QFont SheetComposer::font(const QString& family, int points)
{
    QFont face = FontRegistry::font(family);
    // Points of a 96 dots-per-inch canvas, as pixels of the page.
    face.setPixelSize(std::max(1, int(std::lround(points * 96.0 / 72.0))));
    // Unhinted, so that a printer or a PDF sets the text as wide as it was measured here.
    face.setHintingPreference(QFont::PreferNoHinting);
    // The handwriting face joins some letters into one glyph that a PDF cannot map back to
    // text; unshaped, every letter stays its own glyph and the text stays searchable.
    face.setStyleStrategy(QFont::PreferNoShaping);
    return face;
}

qreal SheetComposer::advance(const QString& value, const QString& family, int points)
{
    return QFontMetricsF(font(family, points)).horizontalAdvance(value);
}

int SheetComposer::textHeight(const QString& family, int points)
{
    return int(std::lround(QFontMetricsF(font(family, points)).height()));
}

int SheetComposer::spreadX(int index, int count) const
{
    const int first = int(std::lround(Origin[1] + C / 10.0));
    const int last = int(std::lround(Origin[2] - C / 10.0));
    return first + index * (last - first) / (count - 1);
}
