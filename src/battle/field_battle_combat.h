// The two kinds of combat of the field battle, shared by the preview and the execution of a turn.
#pragma once

#include "battle/field_battle.h"

namespace vh {

// What a side's volley takes from the field before either volley is applied.
struct VolleyInputs {
    bool fires = false;   // an unbroken unit of the front line has guns
    int guns = 0;         // Gs: guns of the unbroken front-line units
    long long allMen = 0; // Nall: men of the enemy's whole front line, broken units included
    int bestValor = 0;    // V: the best valour + command bonus among the enemy's unbroken front line
    double ratio = 0;     // Gs / Ne, 100000 when the enemy's unbroken front line has no men
};

// The morale blow B and the casualties C of a volley from `distance` steps (r the casualty
// draw as a real in [0, 1]): each step beyond point-blank range halves both.
double volleyMoraleBlow(double ratio, int tk1, int distance);
double volleyCasualties(int guns, double r, int tk2, int distance);

VolleyInputs volleyInputs(const FieldBattle& b, int side);
// Side `side` fires on the enemy's front line from `distance` steps. The blocking draw is made
// only when the enemy does not fire. Returns true when the volley stopped the enemy's advance
// (never in preview). In preview only preview morale changes.
bool fireVolley(FieldBattle& b, int side, const VolleyInputs& v, bool enemyFires, int distance, bool preview,
                Random& rng);

// The line a side fights with in melee: its front line, or always the 本陣 of the surprised side.
int engagedLine(const FieldBattle& b, int side);

struct MeleeSums {
    int line = -1;
    double power = 1; // a power of 0 counts as 1
    long long cavalry = 0, foot = 0;
    double cavalryPower = 0;
};
MeleeSums meleeSums(const FieldBattle& b, int side);

// One melee between both engaged lines, side 0's units first; then, outside the preview and
// when no surprise was made, the cavalry breakthrough of each side (recorded in b.events).
void fightMelee(FieldBattle& b, const std::array<int, 2>& orders, bool preview, Random& rng);

} // namespace vh
