// The command phases' routines: what each phase prepares, what a computer house and one of the
// player's corps do in it, and the step that closes it. The turn driver calls them in its order.
#pragma once

#include "context/game.h"

namespace vh {

struct PhaseRoutines {
    void (*prepare)(Game&);          // when the phase begins, before any house acts
    void (*beforePlayer)(Game&);     // after the houses placed before the player have acted
    void (*house)(Game&, int house); // one living computer house's turn
    void (*corps)(Game&, int corps); // one of the player's corps (phases 2, 4, 5, 6)
    void (*closing)(Game&);          // after every house has acted
};

// Routines of phases 0..6 (phase 0, the event step, has none).
struct PhaseTable {
    PhaseRoutines phases[7];
};

// The game's own table. Entries whose rules are not built yet do nothing.
const PhaseTable& standardPhaseTable();

// The routines the driver uses for a phase: the game's table, or the one a test installed.
const PhaseRoutines& phaseRoutines(const Game& game, int phase);

} // namespace vh
