// Trade income of an account: the trade with Ainu houses along common borders, and the trade
// fleets that come home with their gains, navigation skill and friendship.
#pragma once

#include "context/game.h"

#include <vector>

namespace vh {

// Ainu trade of the house's direct account this month (one draw per trading partner found).
int ainuTradeIncome(Game& game, int house);

// What that trade depends on besides the draws: one share per trading partner found, in the
// order their draws are made. A forecast works out the shares once and draws them every month.
struct AinuTradeShare {
    int divisor; // the partner's trade is split this many ways
    int weight;  // and the house takes this many parts
};
std::vector<AinuTradeShare> ainuTradeShares(const WorldState& w, int house);
// One draw per share; the last share sets the figure (0 without any).
int drawAinuTrade(const std::vector<AinuTradeShare>& shares, Random& rng);

// Gains of the account's fleets whose months left equal `monthsAhead`. Unless `preview` the gain
// is scaled by 0.8..1.2, the player hears of each return, the house's navigation skill and the
// partner's friendship grow and the slot is freed.
// `castles`: the house's castles in castle order, or null for a scan of every castle.
int tradeShipIncome(Game& game, int house, int corps, int monthsAhead, bool preview,
                    const std::vector<int>* castles = nullptr);

} // namespace vh
