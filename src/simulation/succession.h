// Who leads when a head or a corps leader is gone: the head succession by rank (else the wisest),
// the corps succession by intellect, and the monthly checks of heads and corps leaders.
// succeedHead and succeedCorpsLeader are declared in world/succession_hooks.h, because the
// castle-list rebuild calls them when it removes a head or a leader.
#pragma once

#include "game/game.h"
#include "world/succession_hooks.h"

namespace vh {

// The corps' money and guns go back to its house, its castles return to direct rule under the
// head, its generals to the house, and the slot is freed.
void dissolveCorps(WorldState& w, int corps);

// Monthly: a leader taken prisoner leaves his corps; every corps whose leader no longer belongs to
// it gets a successor.
void corpsLeaderSuccessions(Game& game);

// Monthly: a house whose best-ranked heir (by scenario rank) is not its head hands over.
void headSuccessions(Game& game);

} // namespace vh
