// The successions that the removal of a general from the world sets off: a new house head and a
// new corps leader. The castle-list rebuild calls them at the moment a head or leader leaves.
#pragma once

#include <string>

namespace vh {

struct Game;

// A new head for `house`, whose head has just left the active table: the best-ranked heir, else
// the wisest general; a house left with nobody gets head -2. Defined in simulation/succession.cpp.
void succeedHead(Game& game, int house);

// A new leader for corps slot `corps`, whose leader (named `formerLeader`, the raw name bytes)
// has just left the active table.
// The wisest general of the corps takes over, or the corps is dissolved. Defined in
// simulation/succession.cpp.
void succeedCorpsLeader(Game& game, int corps, const std::string& formerLeader);

} // namespace vh
