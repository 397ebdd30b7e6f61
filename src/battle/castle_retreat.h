// The player's withdrawal of generals from a besieged castle to the castles next to it
// ("城から退却"): how many the neighbours can take, the refusals, and the move itself.
#pragma once

#include "context/game.h"

#include <optional>
#include <string>
#include <vector>

namespace vh {

// Free places in the castles next to `castle` that belong to the player's house and are not
// besieged: 20 minus the garrison of each that has fewer than 20 generals.
int castleRetreatCapacity(const WorldState& w, int castle);

// The refusal for withdrawing `selected` generals: "退却できる城がありません" when no place is
// free, "%d人までしか退却できません" when more are chosen than fit; none when they may go (also
// when nobody is chosen: the window then just closes).
std::optional<std::string> castleRetreatRefusal(const WorldState& w, int castle, int selected);

// Moves each chosen garrison general, in the order given, into the first castle next to
// `castle` of his side that is not besieged and has room. "%sは退却しました" is shown for each
// when the castle he leaves is besieged by the player's side. Returns the generals that moved.
std::vector<int> retreatFromCastle(Game& game, int castle, const std::vector<int>& generals);

} // namespace vh
