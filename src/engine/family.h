#pragma once

#include "codes.h"

#include <cstddef>
#include <iterator>

namespace tw {

// What a rule family changes in the one engine's rules. Every family's
// difference is one trait here, so a new family is a new row of the table and
// its tag in the catalogue, and no rule asks for a family by name.
struct FamilyTraits {
    RuleFamily family;
    const char16_t *tag;       // the catalogue's Tag that names it
    bool runsLimited;          // a run moves only as far as the free cells and empty piles allow
    bool wholeSuitsHome;       // whole suits go home from the tableau; the foundations take
                               // no dropped card and never count as full
    bool kingFoundations;      // foundations 2 and up build down from a King
    bool emptyRankFollowsBase; // an empty pile takes the rank below the foundation base
    bool fanSecondGoalCard;    // the foundations fan their second card; the rest cover it
};

// clang-format off
inline constexpr FamilyTraits kFamilyTraits[] = {
    // family                tag            runsLimited wholeSuits kingGoal emptyRank fanGoal
    {RuleFamily::Other,      u"",           false,      false,     false,   false,    false},
    {RuleFamily::Freecell,   u"Freecell",   true,       false,     false,   false,    false},
    {RuleFamily::FreecellAK, u"FreecellAK", true,       false,     true,    false,    false},
    {RuleFamily::Penguin,    u"Penguin",    true,       false,     false,   true,     false},
    {RuleFamily::Spider,     u"Spider",     false,      true,      false,   false,    false},
    {RuleFamily::Stala,      u"Stala",      false,      false,     false,   false,    true},
};
// clang-format on

// The traits of a family: its row, found by its place in the table.
constexpr const FamilyTraits &Traits(RuleFamily family) { return kFamilyTraits[static_cast<std::size_t>(family)]; }

constexpr bool rowsInFamilyOrder()
{
    for (std::size_t i = 0; i < std::size(kFamilyTraits); ++i)
        if (static_cast<std::size_t>(kFamilyTraits[i].family) != i)
            return false;
    return true;
}
static_assert(rowsInFamilyOrder(), "a family's row stands at the family's place");
static_assert(std::size(kFamilyTraits) == static_cast<std::size_t>(RuleFamily::Count), "every family has its row");

} // namespace tw
