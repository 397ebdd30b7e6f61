// How far a house dares to defy another: the score that decides demands, independence and the
// change of lord. The lower the score, the more the house must yield.
#pragma once

#include "world/world_state.h"

#include <vector>

namespace vh {

struct HouseIndex;

// Weight of `demander` set against `target` (koku of the demander's whole realm, or with
// `frontOnly` only the blocks of its castles that touch the target), against the koku of the
// demander's other enemies and the target's own koku, shaped by the target head's ambition and
// loyalty, the demander's power trend and DokuritsuJoukenHosei. Houses in `extraEnemies` count
// as the demander's enemies whatever their relation. The result is at most 1 (while the
// demander's weight is not negative). With a run's index the koku sums come from it (the same
// figures, see KokuSource).
// What scores of the same target and demander share while nothing changes in between: the
// demander's realm castles and the koku of its other enemies (kept only without extraEnemies).
struct DefianceMemo {
    int target = -1, demander = -1;
    bool haveRealm = false, haveEnemies = false;
    std::vector<int> realm;
    double enemyKoku = 0;
};

double defianceScore(const WorldState& w, int target, int demander, bool frontOnly,
                     const std::vector<int>& extraEnemies = {}, const HouseIndex* index = nullptr,
                     DefianceMemo* memo = nullptr);

// The demander's weight alone (the first step of the score): with frontOnly the koku of every
// connected block of the demander's castles that touches a castle of the target.
int frontKoku(const WorldState& w, int target, int demander, const HouseIndex* index = nullptr);

} // namespace vh
