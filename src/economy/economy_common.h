// What the economy commands share: the account whose money a routine spends (a house's own
// treasury or one corps' funds), the reach of the house head, and the signed month bytes.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

// The money of an account: the house's funds for corps -1, else that corps' funds (0 for a
// corps slot that is not the house's).
int32_t accountFunds(const WorldState& w, int house, int corps);

// Takes `amount` from the account, saturating at the int32 range instead of wrapping.
void chargeAccount(WorldState& w, int house, int corps, int64_t amount);

// The province of the castle where the house head stands, or -1 when he stands in none.
int headProvince(const WorldState& w, int house);

// True when `province` is the head's province or a castle route joins a castle of the head's
// province to a castle of `province`.
bool withinHeadReach(const WorldState& w, int house, int province);

// A per-province month byte of a trade partner or gun market: signed, negative = not reachable.
inline int signedMonths(uint8_t stored) {
    return static_cast<int8_t>(stored);
}

// "国を選択してください": the refusal of a command that works on the shown province.
inline constexpr const char* kChooseProvince = "国を選択してください";

// True when `province` names a province of the map.
bool validProvince(const WorldState& w, int province);

// The castles of a province in castle order.
std::vector<int> castlesOfProvince(const WorldState& w, int province);

} // namespace vh
