// The diplomatic operations: alliances, demands, applications, change of lord, independence and
// the breaking of relations. The player's commands and the computer houses call the same ones;
// when the player's house must answer, its consent is asked through the envoy visit.
#pragma once

#include "diplomacy/envoy_visit.h"
#include "world/world_state.h"

namespace vh {

struct Game;

// ---- alliances ----
// `from` asks `to` for a non-aggression alliance; on acceptance the alliance is made and `from`
// pays its cost.
bool proposeNonAggression(Game& game, int from, int to);
// Kind 2 between a and b and between their vassals, coalitions re-examined, sieges between the
// two lifted; unless `free`, a pays a tenth of kokuOf(b).
void establishNonAggression(Game& game, int a, int b, bool free);
// The price of an alliance with `house`: a tenth of its koku, truncated.
int nonAggressionCost(const WorldState& w, int house);

// ---- demands ----
bool demandSubordination(Game& game, int lord, int target);
bool demandSubmission(Game& game, int lord, int target);
bool makeSubordinate(Game& game, int lord, int vassal);
bool makeSubmitted(Game& game, int lord, int vassal);

// ---- applications ----
bool applyForSubordination(Game& game, int lord, int applicant);
bool applyForSubmission(Game& game, int lord, int applicant);
bool changeLord(Game& game, int newLord, int vassal);

// ---- leaving ----
bool declareIndependence(Game& game, int vassal);
bool breakRelation(Game& game, int a, int b);

// ---- the computer's answers (also what the envoy visit answers for an absent player) ----
// Whether `to` accepts an alliance with `from`. Draws random numbers when it gets that far.
bool nonAggressionAcceptable(Game& game, int from, int to);
// Whether `target` yields to a demand for subordination (or, with `submission`, for submission).
bool demandAcceptable(Game& game, int lord, int target, bool submission);
// Whether a computer lord takes `applicant` on, and whether it asks for a hostage.
EnvoyVisitAnswer applicationVerdict(Game& game, int lord, int applicant);

// The envoy visit to the player's house; without a front end the computer's answer stands.
EnvoyVisitAnswer askEnvoyVisit(Game& game, EnvoyVisitRequest request);

} // namespace vh
