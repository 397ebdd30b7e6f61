// New game set-up: turning the scenario's tables into the live world, the player's choice of a
// house (or of watching), and the figures of the scenario information and house choice dialogs.
#pragma once

#include "context/game.h"

#include <string>
#include <vector>

namespace vh {

// Builds the live houses, castles, generals, relations and power history from the scenario
// tables, drawing from game.rng in the rules' order. The date becomes the start date.
void setUpNewGame(Game& game);

enum ChooseHouseResult : int {
    kChooseOk = 0,
    kChooseNoSuchHouse = 1,  // not a house that owns a castle
    kChooseWatchRefused = 2, // 1000 houses leave no slot for the watching phantom house
};

// The player takes `house`, or watches through a phantom house when `house` is -1.
// Refusing the phantom shows "大名家数がＭＡＸの場合は全自動モードは実行できません".
int chooseHouse(Game& game, int house);

// Figures of the "シナリオ情報" dialog.
struct ScenarioInfo {
    std::string title; // UTF-8
    int castles = 0;
    int houses = 0;         // declared in the scenario
    int generals = 0;       // declared in the scenario
    int tradePartners = 0;  // foreign partners, without the built-in training voyage
};
ScenarioInfo scenarioInfo(const WorldState& w);

// One row of the house choice list for a province: a house owning a castle there.
struct HouseChoice {
    int house = -1;
    int castles = 0; // in every province
    int koku = 0;    // total yield of its castles
};
// Houses owning at least one castle in `province`, in house index order.
std::vector<HouseChoice> houseChoices(const WorldState& w, int province);
// "%sで始めます" for the chosen house.
std::string startAsHouseMessage(const WorldState& w, int house);

// Total rice yield of the castles a house owns (saturating at the int range).
int houseYield(const WorldState& w, int house);
// 5 per castle owned plus 1 per castle of each house that has submitted to it.
int powerFigure(const WorldState& w, int house);

} // namespace vh
