#pragma once

#include <QObject>

class CharacterView;

// Applies the chosen clan to the sheet: the clan's three discipline rows, Appearance 0, and,
// in the idle pass, the merits and flaws the clan withdraws or revalues.
class ClanEffects : public QObject
{
    Q_OBJECT
public:
    explicit ClanEffects(CharacterView& view);

    void connectSheet();

    // The change handler of the Clan box.
    void ClanChanged();
    // The clan's merit and flaw rules, for every flaw row and then every merit row.
    void applyMeritFlawRules();

private:
    // A clan row is either a free choice from the discipline list or fixed by the clan.
    void setClanRowFixed(int row, bool fixed);

    CharacterView& m_view;
};
