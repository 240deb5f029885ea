#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What raising a trait with experience costs, one line of the rules data per kind of trait:
// "Attribute: current x 4" (the rating before the step times four) or "New ability: 3" (a
// fixed price). A later line for the same kind replaces an earlier one, so a rules pack
// changes only the lines it gives.
class ExperienceChart
{
public:
    enum Kind {
        Attribute,
        NewAbility,
        Ability,
        NewDiscipline,
        ClanDiscipline,
        OtherDiscipline,
        CaitiffDiscipline,
        Virtue,
        Humanity,
        Willpower,
        KindCount
    };

    struct Price
    {
        int fixed = 0;      // used when perCurrent is 0
        int perCurrent = 0; // times the rating before the step

        bool operator==(const Price&) const = default;
    };

    // The revised rules' chart.
    ExperienceChart();

    // The chart with every readable line applied over the revised one.
    static ExperienceChart fromLines(const QStringList& lines);
    // Why a line is not a chart line, or nothing when it is one.
    static std::optional<QString> lineFault(const QString& line);

    Price price(Kind kind) const { return m_prices[kind]; }
    // One step up from the rating before it; never less than 1.
    int stepCost(Kind kind, int current) const;
    // The line as the rules data writes it, as the guide and the panel show it.
    QString describe(Kind kind) const;
    static QString kindName(Kind kind);

    bool operator==(const ExperienceChart&) const = default;

private:
    static std::optional<std::pair<Kind, Price>> parse(const QString& line);

    std::array<Price, KindCount> m_prices{};
};
