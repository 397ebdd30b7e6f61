// A castle taken by its besiegers: the castle passes to the conqueror with its corps, support,
// lord and mining skill, the besiegers move in, and every defender meets his fate (escape,
// fall-back, flight, seppuku, capture); the prisoners go to the conqueror.
#pragma once

#include "battle/battle_services.h"
#include "context/game.h"

#include <vector>

namespace vh {

// The generals standing in the castle and not in the field, at most 1000, in general order:
// the defenders of a castle that has just fallen.
std::vector<int> fallenCastleDefenders(const WorldState& w, int castle);

// Hands the fallen castle to the commanding house of its first besieger. Returns that house
// (-1 when the castle has no besieger and nothing changed).
int transferCastle(Game& game, int castle);

// The fates of the defenders of a castle just transferred, in list order; the prisoners taken go
// to the conqueror. Returns the prisoners in the order they were taken.
std::vector<int> defendersFates(Game& game, const ResolutionServices& services, int castle,
                                const std::vector<int>& defenders);

// Both in turn, as a siege that took the castle calls them.
void castleFalls(Game& game, const ResolutionServices& services, int castle, const std::vector<int>& defenders);

} // namespace vh
