// The relation model between houses: the relation kinds both ways of a pair, the refusal
// countdown kept in each relation byte, vassal tests and the per-month diplomacy marks.
#pragma once

#include "world/world_state.h"

namespace vh {

// The kinds the diplomacy rules add to the scenario's ones (seen from the house keeping the byte).
inline constexpr int kRelFellowSubordinate = 5; // the other is a fellow vassal of our lord, subordinate
inline constexpr int kRelFellowSubmitted = 8;   // the other is a fellow vassal of our lord, submitted

// A countdown of 15 never runs out: that house refuses for good, and a dissolved pair becomes
// sworn enemies instead of strangers.
inline constexpr int kPermanentRefusal = 15;
// The months a former lord refuses a vassal that left it.
inline constexpr int kBreakAwayRefusal = 12;

// Kinds 0 and 1 are hostile or neutral; every other kind is friendly.
inline bool isFriendlyKind(int kind) {
    return kind > kRelNothing;
}

inline int kindAbout(const WorldState& w, int house, int other) {
    return relationKind(w.houses[house], other);
}
inline int counterAbout(const WorldState& w, int house, int other) {
    return relationCounter(w.houses[house], other);
}
// The whole byte is above 15 exactly when a countdown is running.
inline bool refusesProposals(const WorldState& w, int house, int other) {
    return w.houses[house].relations[other] > 15;
}

// Sets both bytes of a pair to the same kind; the countdowns stay.
void setPairKind(WorldState& w, int a, int b, int kind);
// Sets a's kind about b and b's kind about a separately; the countdowns stay.
void setPairKinds(WorldState& w, int a, int b, int kindAtA, int kindAtB);
// Dissolves a pair: kind 1 both ways, or kind 0 both ways when either byte carries the permanent
// countdown.
void dropPair(WorldState& w, int a, int b);
// Starts `months` of refusal in `house`'s byte about `other`, unless it already refuses for good.
void startRefusalCountdown(WorldState& w, int house, int other, int months);

// The monthly count-down: every countdown 1..14 in every living house's bytes goes down by one.
void countDownRelations(WorldState& w);

// The house is a vassal (subordinate or submitted) of some lord.
inline bool isVassal(const WorldState& w, int house) {
    return w.houses[house].vassalState != 0;
}
// The house's lord for any vassal state: itself when independent.
int lordOf(const WorldState& w, int house);
// The Ainu house: an ordinary-house flag of zero.
inline bool isAinu(const WorldState& w, int house) {
    return w.houses[house].kind == kHouseAinu;
}
// The house the player commands, while the player has one (not while watching).
inline bool isPlayerHouse(const WorldState& w, int house) {
    return !w.spectator && house >= 0 && house == w.playerHouse;
}

// The month's diplomacy marks: one negotiated mark per house and the lord-related-command mark.
void clearDiplomacyTurnFlags(WorldState& w);
inline bool negotiatedThisTurn(const WorldState& w, int house) {
    return w.diplomacyTurnFlags[house] != 0;
}
inline void markNegotiated(WorldState& w, int house) {
    w.diplomacyTurnFlags[house] = 1;
}
inline bool lordCommandUsed(const WorldState& w) {
    return w.diplomacyMark != 0;
}
inline void markLordCommandUsed(WorldState& w) {
    w.diplomacyMark = 1;
}

} // namespace vh
