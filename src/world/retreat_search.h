// Where a retreating general goes: the nearest castle of his side by the retreat distances that
// is unbesieged with room, else any with room, else (when allowed) any castle of the side.
#pragma once

#include "world/world_state.h"

namespace vh {

// The castle for side `side` retreating from `fromCastle`, or -1 when none qualifies. Searches
// outward only as far as the nearest unbesieged castle with room.
int retreatTarget(const WorldState& w, int side, int fromCastle, bool allowAnyCastle);
// The same from the full distance table; the reference the bounded search is tested against.
int retreatTargetPlain(const WorldState& w, int side, int fromCastle, bool allowAnyCastle);

} // namespace vh
