#pragma once

#include "engine/Character.h"

class EntryBooks;
class RuleTables;

// The creation rules read back over a derived character: what breaks them and why a number is
// what it is. It runs at the end of every pass and changes nothing but the list of checks.
namespace RulesCheck {

// Sets character.checks from the rows, the tallies the pass derived, the tables of the books
// in use and the books out of use. The checks the character held are the last pass's: a
// finding that has not changed is kept as it was, so that a settled sheet makes no new texts.
void derive(Character& character, const RuleTables& tables, const EntryBooks& books);

// Remembers that the clan's rules replaced a merit or flaw (an empty replacement takes it off),
// so that the check can say why it went.
void noteClanRule(std::vector<Character::ClanRuleChange>& changes, const QString& clan, bool flaw,
                  const QString& entry, const QString& replacement);

// How many checks are breaches; the rest are notes.
int breaches(const std::vector<RuleCheck>& checks);

// "breach" or "note".
QString severityName(RuleCheck::Severity severity);

} // namespace RulesCheck
