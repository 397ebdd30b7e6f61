// How the computer weighs one development of a castle: the value it raises, the priority among
// the candidates, the months the price takes to pay back, and whether the forecast carries it.
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

enum class DevelopmentKind { Mine, Market, Land };

int developmentPrice(DevelopmentKind kind); // 100, 50, 500
int developmentValueNow(const WorldState& w, DevelopmentKind kind, int castle);
int developmentValueAtSnapshot(const WorldState& w, DevelopmentKind kind, int castle);
int developmentCeiling(const WorldState& w, DevelopmentKind kind, int castle);

// gain × 100 + truncate(99 × (1 − now / ceiling)); the second term is left out for a ceiling of 0.
int developmentPriority(int gain, int now, int ceiling);

// Months until one development has paid its price: mines ceilAway(100 / (gain × skill / 1000)),
// markets ceilAway(50 / gain), land the months until the harvest plus (ceilAway(500 / gain) − 1)
// × 12. A gain below 1 (or a mine without mining skill) means 10000.
int paybackMonths(DevelopmentKind kind, int gain, int miningSkill, int month);

// The payback is under 24 months and, from `start`, the forecast balances of that many months
// never take the running total below zero.
bool paysBackInTime(long long start, const std::vector<int>& forecast, int payback);

} // namespace vh
