#pragma once

// The character's counters that live beside the sheet's controls.
struct CharacterCounters
{
    int MaxTraitRating = 5;
    int BoughtHumanity = 0;
    int BoughtWillpower = 0;
    int AgeHumanityPenalty = 0;
    int AgeFreebieBonus = 0;
    int MeritPoints = 0;
    int FlawPoints = 0;
    int TalentPenalty = 0;
    int SkillPenalty = 0;
    int KnowledgePenalty = 0;
    bool ZeroAppearanceClan = false;
    bool ZeroAppearanceFlaw = false;
    bool CaitiffClan = false;
    bool HugeSize = false;

    bool operator==(const CharacterCounters&) const = default;
};
