#pragma once

#include "engine/TraitRef.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

// One line of the experience log: a trait raised, or points earned (no trait, a negative
// cost).
struct ExperienceEntry
{
    TraitRef ref;
    QString trait; // the name the trait had when it was raised
    int from = 0;
    int to = 0;
    int cost = 0;
    QDate date;
    QString note;

    bool earning() const { return ref.group == TraitRef::None; }

    bool operator==(const ExperienceEntry&) const = default;
};

// A trait as it stood when creation was finished.
struct BaselineSlot
{
    TraitRef ref;
    QString name;
    int rating = 0;
    int freebies = 0;

    bool operator==(const BaselineSlot&) const = default;
};

// The creation accounting as it stood when creation was finished; it no longer changes.
struct CreationTallies
{
    std::array<QString, 3> attributes;
    std::array<QString, 3> abilities;
    QString disciplines, backgrounds, virtues, freebies;
    bool overspent = false;

    bool operator==(const CreationTallies&) const = default;
};

// The rules options of experience, as typed on the Rules panel.
struct ExperienceOptions
{
    QString StartingXpEdit = QStringLiteral("0");
    bool XpBackgroundsRule = false;
    QString XpBackgroundEdit = QStringLiteral("3");

    bool operator==(const ExperienceOptions&) const = default;
};

// The character after creation: the baseline, the log and its totals.
struct CharacterExperience
{
    bool creationFinished = false;
    // The starting experience in force when creation was finished.
    int startingPoints = 0;
    // Every trait of the sheet in walking order.
    QList<BaselineSlot> baseline;
    CreationTallies tallies;
    QList<ExperienceEntry> log;
    ExperienceOptions options;

    int earned() const;
    int spent() const;
    int left() const { return earned() - spent(); }

    bool operator==(const CharacterExperience&) const = default;
};
