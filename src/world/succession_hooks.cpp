// Placeholders for the head and corps-leader successions; the rules that own them replace the
// bodies. Deliberately empty so the castle-list rebuild can already call them at the right moment.
#include "world/succession_hooks.h"

namespace vh {

void succeedHead(Game& /*game*/, int /*house*/) {
    // No-op until issue #10 (monthly events).
}

void succeedCorpsLeader(Game& /*game*/, int /*corps*/, const std::string& /*formerLeader*/) {
    // No-op until the corps rules are built.
}

} // namespace vh
