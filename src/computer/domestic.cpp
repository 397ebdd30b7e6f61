// The domestic phase of one account: trade voyages, mines, markets and land where they pay back
// within the forecast, ships for a port without any, and the direct account's gun purchases.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer/development_choice.h"
#include "computer/house_index.h"
#include "computer/routines.h"

#include "context/game.h"
#include "simulation/accounts.h"
#include "world/numeric.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

namespace {

constexpr int kForecastMonths = 24;

// ---- Operations of the economy rules --------------------------------------------------------
// NOT BUILT YET: these wait for the economy rules (development, trade-ship dispatch, gun
// production and markets). Until they are merged the computer develops nothing, sends no ships
// and buys no guns: the preview gives no gain, so every payback is 10000 months.
int previewValue(Game& game, DevelopmentKind kind, int castle) {
    return developmentValueNow(game.world, kind, castle);
}
void developOnce(Game&, DevelopmentKind, int /*castle*/) {}
void dispatchTradeVoyages(Game&, const Account&, int /*upkeep*/) {}
void purchaseGuns(Game&, int /*house*/) {}
// ----------------------------------------------------------------------------------------------

void buildShips(WorldState& w, const Account& a) {
    for (int c : a.castles)
        if (w.castleSites[c].hasPort && w.castles[c].tradeShips > 0) return;
    int& funds = accountFunds(w, a.house, a.corps);
    for (int c : a.castles) {
        if (!w.castleSites[c].hasPort || isBesieged(w.castles[c])) continue;
        const int budget = accountBudget(w, a);
        if (budget < 2000) return;
        Castle& k = w.castles[c];
        const int ships = std::min(budget / 2000, std::max(0, 10 - k.tradeShips));
        k.tradeShips = static_cast<uint8_t>(k.tradeShips + ships);
        funds -= ships * 2000;
    }
}

void develop(Game& game, const Account& a, DevelopmentKind kind, const std::vector<int>& forecast) {
    WorldState& w = game.world;
    RankedList ranked(static_cast<int>(a.castles.size()));
    std::vector<int> gains(w.castleCount, 0);
    for (int c : a.castles) {
        if (isBesieged(w.castles[c])) continue;
        const int now = developmentValueNow(w, kind, c);
        if (now > developmentValueAtSnapshot(w, kind, c)) continue;
        gains[c] = previewValue(game, kind, c) - now;
        ranked.add(c, developmentPriority(gains[c], now, developmentCeiling(w, kind, c)));
    }
    ranked.sortDescending();
    int& funds = accountFunds(w, a.house, a.corps);
    const int price = developmentPrice(kind);
    for (int i = 0; i < ranked.size(); ++i) {
        if (funds < price) return;
        const int c = ranked.item(i);
        const int payback = paybackMonths(kind, gains[c], w.houses[a.house].miningSkill, w.date.month);
        if (!paysBackInTime(funds - price, forecast, payback)) continue;
        developOnce(game, kind, c);
        funds -= price;
    }
}

} // namespace

void developAccount(Game& game, int house, int corps) { developAccountWith(game, house, corps, nullptr); }

void developAccountWith(Game& game, int house, int corps, const HouseIndex* index) {
    WorldState& w = game.world;
    if (!houseAlive(w, house)) return;
    if (corps >= 0 && !actionDevelops(corpsAction(w.corps[corps]))) return;
    const std::vector<int> forecast = forecastBalance(game, house, corps, kForecastMonths);
    const Account a = accountOf(w, house, corps, index);
    const int upkeep = estimatedAccountUpkeep(w, a);
    if (w.tradePartnerCount > 0 && accountFunds(w, house, corps) - 4LL * upkeep >= 1000)
        dispatchTradeVoyages(game, a, upkeep);
    develop(game, a, DevelopmentKind::Mine, forecast);
    develop(game, a, DevelopmentKind::Market, forecast);
    if (w.date.month < 3 || w.date.month > 8) develop(game, a, DevelopmentKind::Land, forecast);
    buildShips(w, a);
    if (corps < 0) purchaseGuns(game, house);
}

} // namespace vh
