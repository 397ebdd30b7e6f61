// Who leads when a head or a corps leader is gone: the head succession by rank (else the wisest),
// the corps succession by intellect, and the monthly checks of heads and corps leaders.
// The castle-list rebuild and the removal of a general go through here, so that the successions
// they set off run at the moment a head or leader leaves.
#pragma once

#include "context/game.h"
#include "world/castle_rules.h"

#include <string>

namespace vh {

// A new head for `house`, whose head has just left the active table: the best-ranked heir, else
// the wisest general; a house left with nobody gets head -2.
void succeedHead(Game& game, int house);

// A new leader for corps slot `corps`, whose leader (named `formerLeader`, the raw name bytes)
// has just left the active table. The wisest general of the corps takes over, or the corps is
// dissolved.
void succeedCorpsLeader(Game& game, int corps, const std::string& formerLeader);

// The hooks that tie the castle mechanics to this game: its quiet-aware sink and the successions.
CastleListHooks castleListHooks(Game& game);

// The castle mechanics of the world tables, run for this game.
void removeActiveGeneral(Game& game, int general);
void rebuildCastleLists(Game& game);

// The corps' money and guns go back to its house, its castles return to direct rule under the
// head, its generals to the house, and the slot is freed.
void dissolveCorps(WorldState& w, int corps);

// Monthly: a leader taken prisoner leaves his corps; every corps whose leader no longer belongs to
// it gets a successor.
void corpsLeaderSuccessions(Game& game);

// Monthly: a house whose best-ranked heir (by scenario rank) is not its head hands over.
void headSuccessions(Game& game);

} // namespace vh
