// Small pieces the month's events share: adding and placing generals, sending one home or
// turning him masterless, and what a general's scenario entry says about his house.
#pragma once

#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

inline constexpr int kNoRank = -1;

// The month the scenario starts in (no waiting general appears then).
bool isFirstScenarioMonth(const WorldState& w);

// Appends a general to the active table; -1 when it is full.
int appendActiveGeneral(WorldState& w, const General& g);
// Drops the last active general again (one just appended that could not be placed).
void dropLastActiveGeneral(WorldState& w);
// Takes a general off the garrison or field list of his castle (his location stays).
void detachFromCastleLists(WorldState& w, int general);

// The house index a scenario entry names (parentheses removed), or -1 (none, D_FREE, no entry).
int scenarioHouseOf(const WorldState& w, const General& g);
// The succession rank of the general's scenario entry, kNoRank without one.
int successionRankOf(const WorldState& w, const General& g);
// True when the general's scenario entry names `house` with a rank other than kNoRank.
bool rankedHeirOf(const WorldState& w, const General& g, int house);

// True when `general` leads some corps.
bool leadsCorps(const WorldState& w, int general);

// Castles owned by a house, in castle order.
std::vector<int> castlesOfHouse(const WorldState& w, int house);

// Turns the general masterless: no house (-2), no corps, out of the field; his refuge houses are
// the five largest living houses friendly to his former house (unused slots -1).
void makeRonin(WorldState& w, int general);
// Sends the general to the nearest castle of his side, or makes him masterless when none exists.
// Returns true when he found a castle.
bool withdrawOrRonin(WorldState& w, int general);

// A name of the form "<house name><suffix>" in the scenario's bytes, or the bare suffix when it
// does not fit the 20-byte field.
std::string houseSuffixedName(const WorldState& w, int house, const char* suffixUtf8);

} // namespace vh
