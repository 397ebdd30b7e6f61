// Trade income of an account: the trade with Ainu houses along common borders, and the trade
// fleets that come home with their gains, navigation skill and friendship.
#pragma once

#include "context/game.h"

#include <vector>

namespace vh {

// Ainu trade of the house's direct account this month (one draw per trading partner found).
int ainuTradeIncome(Game& game, int house);

// Gains of the account's fleets whose months left equal `monthsAhead`. Unless `preview` the gain
// is scaled by 0.8..1.2, the player hears of each return, the house's navigation skill and the
// partner's friendship grow and the slot is freed.
// `castles`: the house's castles in castle order, or null for a scan of every castle.
int tradeShipIncome(Game& game, int house, int corps, int monthsAhead, bool preview,
                    const std::vector<int>* castles = nullptr);

} // namespace vh
