// The computer houses' diplomacy of the month: a vassal weighs a change of lord or independence;
// an independent house seeks an alliance or a lord, makes demands of its vassals and allies and,
// with no unfriendly neighbour left, turns on its weakest ally. Every outcome is a line of the
// month's diplomacy log.
//
// Computer diplomacy keeps no figure of its own between months: set-up and loading derive nothing
// for it, since no rule here reads such a figure.
#pragma once

#include <string>
#include <vector>

namespace vh {

struct Game;
struct HouseIndex;
struct WorldState;

// seekAlliance's answer besides an ally's house index.
inline constexpr int kNoAlly = -1;
inline constexpr int kAppliedAsVassal = -2;

// The whole month's diplomacy of one computer house, the phase table's entry; the main window's
// log is refreshed when the house added to it. Within a run of houses it reads the koku of every
// house from the run's index (the diplomacy phase changes no owner and no koku).
void houseDiplomacy(Game& game, int house);

// A vassal changes lord to a stronger neighbour, or breaks away when its defiance allows.
void vassalDiplomacy(Game& game, int house);
// Proposes one non-aggression alliance, or applies to become a vassal when in danger. Returns the
// ally made this month, kNoAlly, or kAppliedAsVassal.
int seekAlliance(Game& game, int house);
// Demands submission of the weakest subordinate vassal and subordination of the weakest ally.
void demandFromVassalsAndAllies(Game& game, int house, int ally);
// With only friends around: subjugates or drops the weakest of them.
void turnOnAllies(Game& game, int house, int ally);

// The same four with the run's index (null: read the castle table).
void vassalDiplomacyWith(Game& game, int house, const HouseIndex* index);
int seekAllianceWith(Game& game, int house, const HouseIndex* index);
void demandFromVassalsAndAlliesWith(Game& game, int house, int ally, const HouseIndex* index);
void turnOnAlliesWith(Game& game, int house, int ally, const HouseIndex* index);

// A house's unfriendly neighbours with their values, in the order first found: a subordinate
// vassal stands for its lord, valued at its own koku; others at kokuWithVassals.
struct ValuedHouse {
    int house;
    int value;
};
std::vector<ValuedHouse> unfriendlyNeighbours(const WorldState& w, int house, const HouseIndex* index = nullptr);

// Appends one line (and "\r\n") to the month's diplomacy log.
void logDiplomacy(Game& game, const std::string& line);

} // namespace vh
