#pragma once

#include "engine/Character.h"
#include "rules/EntryBooks.h"

#include <QObject>
#include <QRect>

class CharacterView;
class RowFlash;

// The rules check as the window shows it: worked out at the end of every idle pass, counted
// under the freebie tally and listed in the information area when the count is pressed. A
// press on a sentence asks the window to bring its row into view and makes the row glow.
class SheetChecks : public QObject
{
    Q_OBJECT
public:
    explicit SheetChecks(CharacterView& view);

    void connectPanels();

    // The check over the character the pass derived, the names of the rows read in first.
    void derive(Character& character);
    // The count and the list, where they changed.
    void show(const std::vector<RuleCheck>& checks);
    const std::vector<RuleCheck>& shown() const { return m_shown; }

    // What the clan's rules did to a merit or flaw, to be explained; forgotten when another
    // character comes onto the sheet.
    void noteClanRule(bool flaw, const QString& entry, const QString& replacement);
    void forgetClanRules() { m_clanRuleChanges.clear(); }
    const std::vector<Character::ClanRuleChange>& clanRuleChanges() const
    {
        return m_clanRuleChanges;
    }

    // The list in the information area, or the priorities and the tally again.
    void showList(bool shown);
    // Brings the row of check index into view and makes it glow.
    void showRow(int index);

    // Where the row of a check lies on the sheet; empty for the tallies beside it.
    QRect rowRect(const RuleCheck& check) const;

signals:
    // The sheet must show rect (sheet coordinates).
    void rowRequested(const QRect& rect);

private:
    CharacterView& m_view;
    EntryBooks m_books;
    bool m_booksStale = true;
    std::vector<RuleCheck> m_shown;
    std::vector<Character::ClanRuleChange> m_clanRuleChanges;
    RowFlash* m_sheetFlash = nullptr;
    RowFlash* m_dockFlash = nullptr;
};
