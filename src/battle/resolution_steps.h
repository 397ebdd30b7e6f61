// The steps of the month's battles, shared by the files that carry them out. Internal to the
// battle rules.
#pragma once

#include "battle/battle_services.h"
#include "context/game.h"

#include <string>
#include <vector>

namespace vh::resolution {

inline constexpr int kMaxSide = 20;
inline constexpr int kMaxHousesAtCastle = 8;

bool inField(const General& g);
// The generals in the field at `castle` whose commanding house is `side`, at most 20, in order.
std::vector<int> fieldArmy(const WorldState& w, int castle, int side);
// The debug check after an army was sent home: nobody of `side` may still stand at `castle`.
void checkRetreated(Game& game, int castle, int side);
std::string castleName(const WorldState& w, int castle);

void marchArmies(Game& game, const ResolutionServices& s);       // step 1
void townEconomy(Game& game);                                     // step 2
// Steps 3 to 5: the houses before each castle, their battles and the one besieger that stays.
void battlesBeforeCastles(Game& game, const ResolutionServices& s);
void arrivals(Game& game);                                        // step 6
void sieges(Game& game, const ResolutionServices& s);             // step 7
void vassalsWithoutCastles(Game& game);                           // step 8
void vanishingHouses(Game& game);                                 // step 9

} // namespace vh::resolution
