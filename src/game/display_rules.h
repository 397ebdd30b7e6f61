// What the main window shows, as plain rules: castle colours seen from the player's house, the command
// captions per phase, the ranking of houses, the header and province summary figures. No Qt here.
#pragma once

#include "world/world_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kCommandButtons = 12;
inline constexpr int kPulseSteps = 6; // the pulse runs 0-1-2-3-2-1

// "イベント" .. "出陣" for 0..6, then "通常", "捕虜", "人質", "客将" for 7..10; empty outside.
const char* phaseName(int index);

// Caption of command button 1..12 in a phase, or nullptr when the button is hidden.
const char* commandCaption(int phase, int button);

// The house whose side a house is on: its lord when it has submitted, else itself.
int sideOf(const WorldState& w, int house);

// Shade of the player's own castle dots for a pulse counter (any non-negative value).
Rgb ownDotShade(int pulseCounter);

// Colour of a castle dot on the national map and of its box in the province view, seen from the
// player's house. The player's own dots pulse; boxes use the steady own colour.
enum class CastleMark { Dot, Box };
Rgb castleColour(const WorldState& w, int castle, CastleMark mark, int pulseCounter = 0);
// Same rules for any house as owner (the besieger's frame in the province view).
Rgb houseColour(const WorldState& w, int owner, CastleMark mark, int pulseCounter = 0);

struct RankedHouse {
    int house = -1;
    int koku = 0;
    bool submitted = false; // the house has itself submitted to a lord
};

// Every living house, largest yield first; a house's yield includes its submitted vassals' castles,
// a submitted house counts only its own. Equal yields keep house index order.
std::vector<RankedHouse> rankHouses(const WorldState& w);

// The colour-coding colour of a castle given the ranking's first five houses.
Rgb colourCodingColour(const WorldState& w, int castle, const std::vector<RankedHouse>& ranking);
// The colour of ranking row `row` under colour coding (rows 0..4), red beyond.
Rgb rankColour(int row);

// Header strip figures for the player's house.
struct PlayerFigures {
    int koku = 0;
    int castles = 0;
    int funds = 0;
};
PlayerFigures playerFigures(const WorldState& w);

// The "国情報" box for a province.
struct ProvinceSummary {
    int koku = 0;
    bool gunProduction = false;
    int castles = 0;
    int economy = 0;
    int mines = 0;
    int ports = 0;
};
ProvinceSummary provinceSummary(const WorldState& w, int province);

// Date as "%s%4d年%2d月" with "B.C." before a negative year (UTF-8).
std::string formatHeaderDate(int year, int month);

// True when a province holds at least one castle.
bool provinceHasCastle(const WorldState& w, int province);

} // namespace vh
