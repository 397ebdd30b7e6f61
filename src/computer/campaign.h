// What the strategy and sortie decisions share: the generals an account fights with, which of
// them are free, the castles next to an enemy, and the orders they give.
#pragma once

#include "world/castle_rules.h"
#include "world/world_state.h"

#include <span>
#include <unordered_map>
#include <vector>

namespace vh {

class Random;

// commandingHouse(other) == house, inline: these tests run over every castle and general.
inline bool commandedBy(const WorldState& w, int other, int house) {
    if (other < 0 || other >= kMaxHouses) return other == house;
    const DaimyoHouse& d = w.houses[other];
    return (d.vassalState == 2 ? d.lord : other) == house;
}

struct HouseIndex;

// The generals an account campaigns with: a corps' own generals, or the house's generals under
// no corps together with those of its submitted vassals; in general order.
std::vector<int> campaignGenerals(const WorldState& w, int house, int corps, const HouseIndex* index = nullptr);
// The castles whose owner the house commands (its own and its submitted vassals'), in castle
// order: the only ones inCampaignScope can accept.
std::vector<int> commandedCastles(const WorldState& w, int house, const HouseIndex* index = nullptr);

// The castles the account plans from: effective owner the house, and for a corps in one of its
// provinces.
bool inCampaignScope(const WorldState& w, int house, int corps, int castle);
bool corpsHoldsProvince(const Corps& c, int province);

inline int troopsOf(const General& g) {
    return g.cavalry + g.foot;
}
inline int weightedTroopsOf(const General& g) {
    return g.cavalry * 3 + g.foot;
}
inline bool hasActed(const General& g) {
    return (g.flags & kFlagActed) != 0;
}
inline bool onSortieFlag(const General& g) {
    return (g.flags & kFlagInField) != 0;
}
bool standsInBesiegedCastle(const WorldState& w, const General& g);
// Not acted, not on sortie, not shut in a besieged castle.
bool isFreeGeneral(const WorldState& w, const General& g);

// The house sees the castle's owner (or the owner sees the house) as friendly: kind 2 or above,
// taken from the owner's byte about the house.
int ownerKindTowards(const WorldState& w, int castle, int house);
// The castle is besieged by a house that the given house counts as friendly.
bool besiegedByFriend(const WorldState& w, int castle, int house);
// We (the house, through its lord when submitted) besiege the castle.
bool besiegedBy(const WorldState& w, int castle, int house);

// The siege estimate: months the listed generals need to take the castle from its garrison (at
// most 20 of them count). Draws from the generator as real assaults do.
int monthsToTake(const WorldState& w, int castle, std::span<const int> besiegers, Random& rng);

// Orders: a move to a castle of the side, or a sortie against a castle; both mark the general.
void orderMoveTo(WorldState& w, int general, int castle);
void orderSortieAt(WorldState& w, int general, int castle);

// Route distances from castles of one house, computed once per source within a decision.
class DistanceCache {
public:
    DistanceCache(const WorldState& w, int house) : w_(w), house_(house) {}
    const DistanceTable& from(int castle);

private:
    const WorldState& w_;
    int house_;
    std::unordered_map<int, DistanceTable> tables_;
    std::vector<uint8_t> own_; // planning moves no castle: one mask serves every search
};

} // namespace vh
