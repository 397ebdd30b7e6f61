// The scenario's initial relations (Doumei lines) applied at set-up: pacts, subordination,
// submission, sworn enmity and plain neutrality between the houses declared.
#pragma once

#include "world/world_state.h"

namespace vh {

// Applies every RelationEntry in order. At set-up nothing is besieged, no corps exists and no
// coalition is formed, so of the diplomatic operations only their effect on the relation bytes,
// vassal states and lords can arise; pacts made here are free of cost.
void applyInitialRelations(WorldState& w);

// The three operations as set-up uses them (exposed for tests).
void setUpPact(WorldState& w, int a, int b);
bool setUpSubordinate(WorldState& w, int lord, int vassal);
bool setUpSubmitted(WorldState& w, int lord, int vassal);

} // namespace vh
