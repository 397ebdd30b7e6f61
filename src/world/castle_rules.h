// The castle rules almost every part of the game leans on: whose side a house is on, route
// distances between castles, the retreat of a general, and the rebuild of the castle lists.
#pragma once

#include "world/world_state.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vh {

// A house itself, or its lord when it has submitted (vassalState 2). Negative values (no house)
// come back unchanged, as do indices outside the house table.
// Inline: the planners ask this of nearly every castle they look at.
inline int commandingHouse(const WorldState& w, int house) {
    if (house < 0 || house >= kMaxHouses) return house;
    const DaimyoHouse& h = w.houses[house];
    return h.vassalState == 2 ? h.lord : house;
}

enum DistanceMode : int {
    kDistanceMove = 0,    // unlimited; other sides' castles passable only with TekiJouTsuuka
    kDistanceLimited = 1, // as kDistanceMove, but the wave stops at DistanceLimit
    kDistanceRetreat = 2, // unlimited; every castle passable
};

// One value per castle (castleCount entries); kUnreachable (32767) where no route leads.
using DistanceTable = std::vector<int16_t>;

// Route distances from `source` for house `house`: a step between two castles of the house's
// side costs 1, any other step 3. Fills `out` (resized to the castle count).
void castleDistances(const WorldState& w, int house, int source, int mode, DistanceTable& out);
// Which castles a search for `house` counts as its own (their owner's commanding house is it).
std::vector<uint8_t> ownCastleMask(const WorldState& w, int house);
// The same search with that mask computed beforehand: for callers searching many times while no
// castle changes hands or lord.
void castleDistances(const WorldState& w, int house, int source, int mode, DistanceTable& out,
                     const std::vector<uint8_t>* own);
DistanceTable castleDistances(const WorldState& w, int house, int source, int mode);

// The same table computed by the literal wave scan (one pass over all castles per distance
// value). Slow; kept as the reference the fast version is tested against.
void castleDistancesPlain(const WorldState& w, int house, int source, int mode, DistanceTable& out);

// Moves general `general` from castle `fromCastle` to the nearest castle of his side that is
// unbesieged with room, else any with room, else (allowAnyCastle) any at all. Returns false
// and changes nothing when no castle qualifies.
bool retreatGeneral(WorldState& w, int general, int fromCastle, bool allowAnyCastle);

// Every general of the list retreats from the castle where the first of them stands; one who
// finds no castle is lost (house -1) and leaves the field.
void retreatArmy(WorldState& w, std::span<const int> generals);

// What the removal of generals sets off outside the castle tables: the quiet-aware message sink
// for the rebuild's Debug Messages, and the successions of a head or corps leader who left
// (called at the moment he leaves; `formerLeader` is his raw name bytes). Empty hooks do nothing.
struct CastleListHooks {
    std::function<void(const std::string& text)> notify;
    std::function<void(int house)> headLeft;
    std::function<void(int corps, const std::string& formerLeader)> leaderLeft;
};

// Takes active general `general` out of the table: later generals move down one place and every
// general index stored in the world is renumbered to match. A head or corps leader who leaves
// sets off the succession. Castle lords and list entries naming him are cleared.
void removeActiveGeneral(WorldState& w, int general, const CastleListHooks& hooks);

// Rebuilds every castle's garrison and field lists and besieging house from the general records,
// removing lost generals, sending masterless ones to the waiting table and moving generals who
// stand in another side's castle.
void rebuildCastleLists(WorldState& w, const CastleListHooks& hooks);

} // namespace vh
