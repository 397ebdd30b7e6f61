// Who holds what, by house: the castles each house owns, the generals each house and each corps
// has, the houses submitted to each lord. The computer's routines would otherwise scan every
// castle and general once per house; within one run of the houses of a phase these do not change
// (their decisions only give orders and buy things), so one index serves the whole run.
#pragma once

#include "world/world_state.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace vh {

struct Game;

struct HouseIndex {
    std::vector<std::vector<int>> castlesOf;   // by owner, in castle order
    std::vector<long long> kokuOf;             // by owner: the koku of its castles
    std::vector<std::vector<int>> generalsOf;  // by house (generals with a house), in general order
    std::vector<std::vector<int>> submittedTo; // by lord: the houses submitted to it, in house order
    std::vector<std::vector<int>> heldBy;      // by holder: its prisoners and hostages, in general order
    bool ownersInTable = true;                 // every castle's owner is none or a house of the table
    std::array<std::vector<int>, kMaxCorps> corpsGenerals{}; // generals with a house, by corps

    // Diplomacy's memo, by lord, of the castles next to the lord's realm: their owners with the
    // houses commanding them, and every house's commanding house when they were read. No castle
    // changes hands within a run, so only a change of vassalage can make an entry stale, and
    // the commanding houses read again tell that.
    struct LordNeighbours {
        bool known = false;
        std::vector<int> commanding;                // by house
        std::vector<std::pair<int, int>> owners;    // (owner, its commanding house), each pair once
    };
    mutable std::vector<LordNeighbours> lordNeighbours;
};

void buildHouseIndex(const WorldState& w, HouseIndex& out);

// The house's castles from the index, in castle order, or null (every castle) without one: for
// forCastlesIn, whose callers test the owner themselves.
inline const std::vector<int>* ownCastles(const HouseIndex* index, int house) {
    return index && house >= 0 && house < static_cast<int>(index->castlesOf.size()) ? &index->castlesOf[house]
                                                                                     : nullptr;
}

// The index for the run of houses `house` belongs to in this phase (the houses before the
// player, the player's corps, or the houses after the player), built at the first house of the
// run. Only the phase table's entries use it; the routines called directly scan the tables.
const HouseIndex& phaseRunIndex(Game& game, int house, bool playerCorps);

} // namespace vh
