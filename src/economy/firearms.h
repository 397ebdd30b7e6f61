// Firearms: production capacity and orders, the gun markets' offers and orders, deployment to
// generals, and the month's deliveries and drift of prices, supplies and production. Gun counts
// are in HeiUnit units throughout; windows show them multiplied by HeiUnit (挺).
#pragma once

#include "world/world_state.h"

#include <string>
#include <utility>
#include <vector>

namespace vh {

struct Game;

inline constexpr const char* kNoProduction = "鉄砲生産可能な国がありません";
inline constexpr const char* kPurchaseHint = "鉄砲購入地を選択し、購入数を設定してください";
inline constexpr const char* kUnderWay = "調達中";

// HeiUnit, never below 1 (it divides).
int heiUnitOf(const WorldState& w);
// The price of one unit of guns: truncate(HeiUnit × cost), at least 1.
int productionUnitPrice(const WorldState& w);
int marketUnitPrice(const WorldState& w, int market);

// The producing provinces the house counts: current production not 0 and a castle of its own.
std::vector<int> producingProvinces(const WorldState& w, int house);
// Units the house may have produced this month: its share of each producing province's output by
// the town economy of its castles there (each castle counting at least 1), rounded, at least 1
// when there is any share.
int productionCapacity(const WorldState& w, int house);
// Capacity less what was ordered this month, not below 0.
int remainingProduction(const WorldState& w, int house);
// "以下の鉄砲生産国で、合計 %d挺 の鉄砲生産が可能です" and "%d挺当たりの鉄砲生産費用 = %d".
std::string productionHeadline(const WorldState& w, int house);
std::string productionCostLine(const WorldState& w);
// Orders `units` (cut to the remaining capacity) for delivery at the next month's event step and
// charges the house. Returns the units ordered.
int orderProduction(WorldState& w, int house, int units);

struct MarketOffer {
    int market = -1;
    int months = 0;        // delivery months from the nearest castle of the house
    bool underWay = false; // an order is under way (調達中)
    int available = 0;     // units on offer, -1 while an order is under way
    int ordered = 0;       // units on order at this market
};
// The markets the house may buy from, in market order: current supply not 0 and reachable from
// one of its castles (negative delivery months do not count). `player` lets the player buy again
// from a market already bought from in this command phase.
std::vector<MarketOffer> marketAvailability(const WorldState& w, int house, bool player);
// What the player may still buy at an offer in this phase (available − bought this phase).
int purchasable(const WorldState& w, const MarketOffer& offer);
// Orders `units` at the market with delivery in `months`, charging the house. `phasePurchase`
// counts them as the player's purchases of this phase.
void orderFromMarket(WorldState& w, int house, int market, int months, int units, bool phasePurchase);

// The refusal before the deployment window opens ("国を選択してください"), or empty.
std::string checkDeploymentCommand(const WorldState& w, int province);
// The generals the deployment window lists for the shown province: the house's (a guest general
// by his commanding house) in the garrisons of unbesieged castles there, in no corps.
std::vector<int> deploymentGenerals(const WorldState& w, int house, int province);
// The most a general may hold in the window: min(foot − guns, `stockLeft` + `assigned`), where
// stockLeft is the undeployed stock not yet assigned and assigned is what he already got.
int deploymentLimit(const WorldState& w, int general, int stockLeft, int assigned);
// Gives each general his assignment (cut to his foot and to the stock) and lowers the stock.
void deployGuns(WorldState& w, int house, const std::vector<std::pair<int, int>>& assignments);

// A number entered in a gun window against the money: when `otherCost` + wanted × price exceeds
// the funds the number drops to the largest affordable value (not below 0); `warn` is set when
// that changes nothing ("資金が足りません").
struct FundsFit {
    int value = 0;
    bool warn = false;
};
FundsFit fitToFunds(int wanted, int64_t otherCost, int64_t funds, int price);

// True in the scenario's first month (no drift then).
bool scenarioFirstMonth(const WorldState& w);
// The month's deliveries to every living house (the player is shown 鉄砲入手), then the order
// countdown of every house.
void deliverFirearms(Game& game);
// The monthly drift of the equipment rate, the production cost, each province's production and
// each market's price and supply.
void driftFirearms(WorldState& w);
// The event step's firearms step: deliveries, then the drift unless it is the first month.
void firearmsMonth(Game& game);

} // namespace vh
