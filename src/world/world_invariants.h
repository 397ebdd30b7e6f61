// The world's invariants: what must hold between the tables at any moment of the game, and what
// holds only right after the castle lists were rebuilt. Used by the soak runner and by tests.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

// The most money a house or a corps may hold: monthly income stops there.
inline constexpr int kMaxFunds = 1000000000;

// How settled the world is where the check runs. Mid-phase (all false) the castle lists may trail
// the general records: a general just lost, turned masterless or taken as a hostage still stands
// in the list he was in, and sides changed by diplomacy wait for the next rebuild. The flags add
// the checks that hold at the game's rebuild points.
struct InvariantScope {
    // Right after `rebuildCastleLists` (the event step, the moves, the battles): every list is
    // exactly what the rebuild makes of the general records, and every garrison is of its
    // castle's side.
    bool listsRebuilt = false;
    // After the month's battles (and until diplomacy next changes sides): the generals in the
    // field before a castle are of one side, not the castle's own.
    bool battlesSettled = false;
    // After the event step: no vassal serves a destroyed lord, no castle belongs to one.
    bool lordsSettled = false;
};

// The scopes of the turn driver's rebuild points.
inline InvariantScope midPhaseScope() { return {}; }
inline InvariantScope afterMovesScope() { return {true, false, false}; }
inline InvariantScope afterBattlesScope() { return {true, true, false}; }
inline InvariantScope afterEventStepScope() { return {true, true, true}; }

// Every violation found, one readable line each: "table[index]: what is wrong". Empty when the
// world holds together. Never reads outside a table, however broken the counts are.
std::vector<std::string> checkWorldInvariants(const WorldState& w, const InvariantScope& scope = {});

} // namespace vh
