// The computer's view of an account: a house's directly held part or one of its corps, with the
// castles and generals it covers and the money figures its decisions weigh (budget, supportable
// units, frontline castles, how long a castle holds out).
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

// A corps' action order (CorpsAction). The fief flag (0x100) acts when a castle falls, not in
// these decisions.

inline int corpsAction(const Corps& c) {
    return c.orders & 3;
}
inline bool actionInvades(int action) {
    return (action & kCorpsInvade) != 0;
}
inline bool actionDevelops(int action) {
    return (action & kCorpsDomestic) != 0;
}

// One account's castles and generals. A corps covers the house's castles in its responsible
// provinces, whatever corps the castle records, and the generals assigned to it; the direct
// account covers every castle of the house and its generals under no corps. A submitted house's
// direct account holds all its generals, whatever their corps.
struct Account {
    int house = -1;
    int corps = -1; // -1: the house's direct part
    std::vector<int> castles;
    std::vector<int> generals;
};
struct HouseIndex;
// With an index of who holds what, the same account without scanning every castle and general.
Account accountOf(const WorldState& w, int house, int corps, const HouseIndex* index = nullptr);

// The funds the account spends from: the house's or the corps'.
// (The read-only figure is the economy rules' accountFunds.)
int& accountFunds(WorldState& w, int house, int corps);

// 9 − month while positive, else 21 − month.
int monthsUntilHarvest(int month);

// Σ over the generals of truncate(HeiUnit × (foot + cavalry × 3) × f), f = 1.3 on sortie and
// 0.77 otherwise, plus Σ over the castles of garrison × HeiUnit / 10.
int estimatedAccountUpkeep(const WorldState& w, const Account& a);

// Town income + truncate(mine × mining skill / 1000) − truncate(1.1 × estimated upkeep).
int monthlyAccountBalance(const WorldState& w, const Account& a);

// Funds plus the monthly balance, when below 1, times the months until the harvest.
int accountBudget(const WorldState& w, const Account& a);
int accountBudget(const WorldState& w, int house, int corps);

// The larger of truncate(0.8 × truncate((mine income + koku / 24 + town) / HeiUnit)) and
// truncate(funds / months until harvest × 0.8) / HeiUnit.
int supportableUnits(const WorldState& w, const Account& a);

// A castle with a route to a castle of a house whose kind about the owner is below 2.
bool isFrontline(const WorldState& w, int castle);

// How many months the castle holds out against a strength s: the shorter of its food and its
// walls; 1 with nobody inside.
int monthsAgainst(const WorldState& w, int castle, int strength);
// The castle's food months alone: ceilAway(food / (defenders × HeiUnit)), 1 with nobody inside.
int foodMonths(const WorldState& w, int castle);

// The castle is besieged (someone stands before it).
inline bool isBesieged(const Castle& k) {
    return k.besiegerCount != 0;
}

} // namespace vh
