// The recruits a house may raise this 軍備 phase and what raising them costs the land: the two
// pools (cavalry and foot, in HeiUnit units) from the castles' yield and support, the yield taken
// from the castles and the support lost.
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

struct RecruitPools {
    int cavalry = 0;
    int foot = 0;
};

// The castles a house holds directly (owner = house, corps -1), in castle order.
std::vector<int> directCastles(const WorldState& w, int house);

// Σ yield / 1000 / HeiUnit × support / 1000 cavalry and Σ yield / 100 / HeiUnit × support / 1000
// foot over the castles, each sum rounded once (halves away from zero).
RecruitPools recruitablePools(const WorldState& w, const std::vector<int>& castles);

// The player's pools as the saved game keeps them: the value when the phase began, and what is
// left of it.
RecruitPools phaseStartPools(const WorldState& w);
RecruitPools remainingPools(const WorldState& w);
void setRemainingPools(WorldState& w, RecruitPools p);

// Sets both pairs from the player's directly held castles (zero without a player house). Called
// when the 軍備 phase reaches the player.
void computeRecruitPools(WorldState& w);

// Takes `men` of yield from the castles in order: each castle's yield becomes its base yield
// minus roundHalfAway(left / castles left), never below 0; only what was really taken counts.
// `baseYield` holds one value per listed castle.
void spreadRecruitYield(WorldState& w, const std::vector<int>& castles, const std::vector<int>& baseYield,
                        int men);

// Each castle's support becomes its base support minus roundHalfAway(weightedMen × 1000 / Y), Y the
// sum of the castles' present yields, never below 0. With Y = 0 the support stays as it was.
// `weightedMen` is (foot + 3 × cavalry) × HeiUnit.
void applyRecruitSupportLoss(WorldState& w, const std::vector<int>& castles,
                             const std::vector<int>& baseSupport, long long weightedMen);

} // namespace vh
