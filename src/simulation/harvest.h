// The ninth month's harvest: the roll by region and province, the taxable koku, the tax and
// support tables, and the yearly koku growth; also the monthly growth of mining skill.
#pragma once

#include "context/game.h"
#include "context/event_requests.h"

#include <array>
#include <vector>

namespace vh {

inline constexpr int kHarvestMonth = 9;

// Percent of the harvest taken at each tax index; index 4 is the standard rate.
inline constexpr std::array<int, kTaxChoices> kTaxRateTable = {70, 65, 60, 55, 50, 45, 40, 35, 30};
// Popular-support target per tax index, in percent (times 10 on the 0..1000 scale).
inline constexpr std::array<int, kTaxChoices> kSupportTargetTable = {1, 14, 26, 38, 50, 62, 74, 86, 99};

// Outcome per province slot; all normal until rolled.
using HarvestOutcomes = std::array<int8_t, kProvinceSlots>;

// Rolls every province's outcome into `out` (month 9 only: any other month leaves `out` normal,
// draws nothing and returns 4). Asks the living player's house for its tax rate unless play is
// automatic; returns that index (4 without a choice).
int rollHarvest(Game& game, HarvestOutcomes& out);

// Sum of the koku of the castles held by (house, corps), each scaled by 1.3 in a good and 0.9 in
// a poor province when `weather` is given; truncated once at the end.
// `castles`: the house's castles in castle order, or null for a scan of every castle.
int harvestKoku(const WorldState& w, int house, int corps, const HarvestOutcomes* weather,
                const std::vector<int>* castles = nullptr);

// Koku growth after the harvest: every castle gains 1.8..2.2 % of its ceiling (x1.2 good, x0.9
// poor), never past the ceiling. One draw per castle.
void growKoku(Game& game, const HarvestOutcomes& outcomes);

// Every living house's mining skill grows by (mines / 50)^0.3 (at most 10) up to 5000.
void growMiningSkill(WorldState& w);

} // namespace vh
