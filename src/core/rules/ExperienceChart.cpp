#include "ExperienceChart.h"

#include <algorithm>

namespace {

constexpr std::array<const char*, ExperienceChart::KindCount> KindNames = {
    "Attribute",        "New ability",        "Ability", "New discipline",   "Clan discipline",
    "Other discipline", "Caitiff discipline", "Virtue",  "Humanity or path", "Willpower"};

// Kept in step with the chart section of the shipped rules data.
constexpr std::array<ExperienceChart::Price, ExperienceChart::KindCount> Revised = {{
    {0, 4},
    {3, 0},
    {0, 2},
    {10, 0},
    {0, 5},
    {0, 7},
    {0, 6},
    {0, 2},
    {0, 2},
    {0, 1},
}};

// A chart's numbers stay small enough that no sum of steps can overflow.
constexpr int MaxFactor = 1000;

} // namespace

ExperienceChart::ExperienceChart() : m_prices(Revised) {}

QString ExperienceChart::kindName(Kind kind)
{
    return QString::fromLatin1(KindNames[kind]);
}

std::optional<std::pair<ExperienceChart::Kind, ExperienceChart::Price>>
ExperienceChart::parse(const QString& line)
{
    // Read by hand: a pattern matcher would be loaded and compiled at start-up for a few lines.
    const auto space = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    const auto skipSpace = [&](QStringView text) {
        qsizetype i = 0;
        while (i < text.size() && space(text[i]))
            ++i;
        return text.sliced(i);
    };
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    QStringView name = skipSpace(QStringView(line).first(colon));
    while (!name.isEmpty() && space(name.back()))
        name.chop(1);
    QStringView rest = skipSpace(QStringView(line).sliced(colon + 1));
    Price price;
    int* target = &price.fixed;
    if (rest.startsWith(u"current", Qt::CaseInsensitive)) {
        rest = skipSpace(rest.sliced(7));
        if (rest.isEmpty() || !(rest[0] == u'x' || rest[0] == u'X' || rest[0] == u'\u00d7' ||
                                rest[0] == u'*'))
            return std::nullopt;
        rest = skipSpace(rest.sliced(1));
        target = &price.perCurrent;
    }
    qsizetype digits = 0;
    while (digits < rest.size() && rest[digits] >= u'0' && rest[digits] <= u'9')
        ++digits;
    if (digits == 0 || digits > 4 || !skipSpace(rest.sliced(digits)).isEmpty())
        return std::nullopt;
    const auto known = std::find_if(KindNames.begin(), KindNames.end(), [&](const char* kind) {
        return name.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0;
    });
    const int number = rest.first(digits).toInt();
    if (known == KindNames.end() || number < 1 || number > MaxFactor)
        return std::nullopt;
    *target = number;
    return std::pair{Kind(known - KindNames.begin()), price};
}

std::optional<QString> ExperienceChart::lineFault(const QString& line)
{
    if (parse(line))
        return std::nullopt;
    QStringList kinds;
    for (const char* kind : KindNames)
        kinds.append(QString::fromLatin1(kind));
    return QStringLiteral("a chart line is a kind of trait (%1), a colon and a price from 1 "
                          "to %2, such as \"Attribute: current x 4\" or \"New ability: 3\"")
        .arg(kinds.join(QStringLiteral(", ")))
        .arg(MaxFactor);
}

ExperienceChart ExperienceChart::fromLines(const QStringList& lines)
{
    ExperienceChart chart;
    for (const QString& line : lines)
        if (const auto parsed = parse(line))
            chart.m_prices[parsed->first] = parsed->second;
    return chart;
}

int ExperienceChart::stepCost(Kind kind, int current) const
{
    const Price& p = m_prices[kind];
    return p.perCurrent > 0 ? p.perCurrent * std::max(1, current) : std::max(1, p.fixed);
}

QString ExperienceChart::describe(Kind kind) const
{
    const Price& p = m_prices[kind];
    return p.perCurrent > 0
               ? QStringLiteral("%1: current x %2").arg(kindName(kind)).arg(p.perCurrent)
               : QStringLiteral("%1: %2").arg(kindName(kind)).arg(p.fixed);
}
