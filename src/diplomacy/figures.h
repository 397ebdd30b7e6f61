// The figures diplomacy weighs houses by: koku and strength with and without vassals, whose side
// a castle is on, which houses border each other, and how long a castle holds out.
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

struct HouseIndex;

// Koku of the castles the house owns.
int kokuOf(const WorldState& w, int house);
// kokuOf the house plus kokuOf every living house it sees as its submitted vassal (kind 7).
int kokuWithVassals(const WorldState& w, int house);
// Σ (cavalry × 3 + foot) over the generals whose house is this one.
int strengthOf(const WorldState& w, int house);
// The same over the generals whose commanding house is this one (submitted vassals count).
int strengthWithVassals(const WorldState& w, int house);
// Number of castles the house owns.
int castleCountOf(const WorldState& w, int house);

// The castle's owner, or that owner's lord when the owner has submitted.
int effectiveOwner(const WorldState& w, int castle);
// A house, or its lord when it is any kind of vassal (the remapping some steps ask for).
int sideThroughLord(const WorldState& w, int house);

// Some castle owned by a has a route to a castle owned by b.
bool bordersHouse(const WorldState& w, int a, int b);
// The distinct effective owners of castles a route links to castles whose effective owner is
// `house`, other than `house`, in the order they are first met (castle order, then route order).
std::vector<int> neighboursOf(const WorldState& w, int house);

// The distinct houses, submitted owners taken as their lords, holding castles a route links to
// castles whose effective owner is `house`, other than `house`, that see `house` as kind 0 or 1.
// Castles owned by `exceptOwner` are passed over. `extra` houses count whatever their kind.
std::vector<int> hostileNeighboursOf(const WorldState& w, int house, int exceptOwner = -1,
                                     const std::vector<int>* extra = nullptr, const HouseIndex* index = nullptr);

// The same over `realm`, the castles whose effective owner is `house` in castle order.
std::vector<int> hostileNeighboursIn(const WorldState& w, int house, const std::vector<int>& realm, int exceptOwner,
                                     const std::vector<int>* extra);

// The sum of the koku with vassals of hostileNeighboursIn(w, lord, realmCastles(w, lord, &index),
// exceptOwner, nullptr): the enemies a defiance score weighs. The lord's neighbours are kept in
// the index's memo across the turns of a run while every house keeps its commanding house.
double hostileNeighbourKoku(const WorldState& w, int lord, int exceptOwner, const HouseIndex& index);

// The castles whose effective owner is `house`, in castle order. With a run's index (true of who
// owns which castle; the vassals are read live) only the houses' lists are gathered.
std::vector<int> realmCastles(const WorldState& w, int house, const HouseIndex* index);

// Defenders of a castle: its garrison plus the cavalry and foot of the generals stationed there.
int castleDefenders(const WorldState& w, int castle);
// Cavalry and foot of the generals standing before the castle.
int castleBesiegerTroops(const WorldState& w, int castle);
// How many months the castle holds out against its besiegers: the shorter of its food and its
// walls; 1000 with nobody before it, 1 with nobody inside.
int monthsOfResistance(const WorldState& w, int castle);

} // namespace vh
