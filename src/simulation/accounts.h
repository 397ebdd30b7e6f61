// The month's money: income and upkeep of every account (a house's direct holdings or one of
// its corps), settlement with the cap and desertion, the computer's tax choice and the forecast.
#pragma once

#include "context/game.h"
#include "context/event_requests.h"
#include "simulation/harvest.h"

#include <vector>

namespace vh {

struct HouseIndex;

inline constexpr int kFundsCap = 1000000000;

// Income of the account (house, corps) for the month (year, month). The month may lie ahead of
// the current date: trade ships count when their months left equal the months between.
// Unless `preview`: the harvest uses `weather`, the tax moves popular support, trade ships come
// home (with their message for the player) and free their slots. With `index` (true of who owns
// which castle) only the house's castles are read.
int computeIncome(Game& game, int house, int corps, int year, int month, int taxIndex, bool preview,
                  const HarvestOutcomes* weather, IncomeBreakdown& out, const HouseIndex* index = nullptr);

// Upkeep of the account's soldiers and garrisons. Besieged castles and the troops inside are fed
// from castle stores: they are left out (and out.leftOut is set) unless includeBesieged.
// With an index of who holds what (still true of the house's castles, generals and vassals) only
// the house's own and its vassals' records are read: the same result.
int computeUpkeep(const WorldState& w, int house, int corps, bool includeBesieged, UpkeepBreakdown& out,
                  const HouseIndex* index = nullptr);

// What one settlement did, for the report.
struct AccountResult {
    IncomeBreakdown income;
    UpkeepBreakdown upkeep;
    int fundsBefore = 0;
    int fundsAfter = 0;
    bool deserted = false;
};

// Income minus upkeep into the account's funds, the cap, and desertion when the debt reaches three
// times the account's full-rate upkeep basis.
AccountResult settleAccount(Game& game, int house, int corps, int taxIndex, const HarvestOutcomes* weather,
                            const HouseIndex* index = nullptr);

// The direct account, then every corps of the house in slot order; the player's house then sees
// the accounts report.
void settleHouseAccounts(Game& game, int house, int taxIndex, const HarvestOutcomes* weather,
                         const HouseIndex* index = nullptr);

// The tax index a computer house picks at the harvest.
int chooseComputerTaxIndex(const WorldState& w, int house, const HarvestOutcomes* weather);

// Income at the standard rate minus upkeep (besieged included) for each of the next `months`
// months, month after month from the one after the current date.
std::vector<int> forecastBalance(Game& game, int house, int corps, int months, const HouseIndex* index = nullptr);
// The same forecast month by month through computeIncome: slow, kept as the reference the fast
// one is tested against.
std::vector<int> forecastBalancePlain(Game& game, int house, int corps, int months);

// Helper sums shared with the computer houses.
// `castles`: the house's castles in castle order, or null for a scan of every castle.
int townIncome(const WorldState& w, int house, int corps, const std::vector<int>* castles = nullptr);
int mineOutput(const WorldState& w, int house, int corps, const std::vector<int>* castles = nullptr);
// Town plus mines (times the mining skill per mille) over all of the house's castles.
int monthlyNonHarvestIncome(const WorldState& w, int house);
// The computer's upkeep estimate: troops at 1.3 on sortie and 0.77 otherwise, plus garrisons.
int estimatedMonthlyUpkeep(const WorldState& w, int house);

// The whole of the month's money in the event step: harvest roll, every living house in index
// order, koku growth in the harvest month, mining skill growth.
void settleMonthAccounts(Game& game);

} // namespace vh
