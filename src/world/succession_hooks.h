// The successions that the removal of a general from the world sets off: a new house head and a
// new corps leader. The castle-list rebuild calls them at the moment a head or leader leaves.
#pragma once

#include <string>

namespace vh {

struct Game;

// A new head for `house`, whose head has just left the active table.
// NOT BUILT YET: does nothing until issue #10 (the monthly events) fills it in. Until then the
// house keeps its old head index.
void succeedHead(Game& game, int house);

// A new leader for corps slot `corps`, whose leader (named `formerLeader`, the raw name bytes)
// has just left the active table.
// NOT BUILT YET: does nothing until the corps rules are built (no issue filed yet). Until then
// the corps keeps its old leader index.
void succeedCorpsLeader(Game& game, int corps, const std::string& formerLeader);

} // namespace vh
