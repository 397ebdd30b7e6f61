// What a change of relations does to the armies: sieges between houses that became friends are
// lifted, generals standing where their side no longer rules are sent home or turned out.
#pragma once

#include "world/world_state.h"

#include <functional>
#include <vector>

namespace vh {

// A general on sortie stands in the field before a castle.
inline bool onSortie(const General& g) {
    return (g.flags & kFlagInField) != 0;
}

// Sends the general from where he stands to the nearest castle of his side (the retreat rule);
// when his side has no castle left he becomes a ronin. Returns true when he found a castle.
bool sendGeneralHome(WorldState& w, int general);

// Relieves every besieged castle for which `between(ownerSide, besiegerSide)` holds, the owner
// and the besieging house each taken through its lord when a vassal. Every besieger goes home.
void liftSieges(WorldState& w, const std::function<bool(int ownerSide, int besiegerSide)>& between);

// Sieges between the two houses (either way round, each side through its lord) are lifted.
void liftSiegesBetween(WorldState& w, int a, int b);
// Sieges between houses that now stand friendly to each other (kind 2 or above) are lifted.
void liftFriendlySieges(WorldState& w);

// Every general of the listed houses who is not on sortie and stands in a castle of another side
// than his own is sent home.
void sendStrayGeneralsHome(WorldState& w, const std::vector<int>& houses);

// The living houses whose lord is `lord` (subordinate or submitted), in house order.
std::vector<int> vassalsOf(const WorldState& w, int lord);

} // namespace vh
