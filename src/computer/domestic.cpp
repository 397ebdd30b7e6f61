// The domestic phase of one account: trade voyages, mines, markets and land where they pay back
// within the forecast, ships for a port without any, and the direct account's gun purchases.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer/development_choice.h"
#include "computer/house_index.h"
#include "computer/routines.h"

#include "context/game.h"
#include "economy/development.h"
#include "economy/firearms.h"
#include "economy/trade_ships.h"
#include "simulation/accounts.h"
#include "world/numeric.h"
#include "world/ranked_list.h"

#include <algorithm>

namespace vh {

namespace {

constexpr int kForecastMonths = 24;

// ---- Operations of the economy rules --------------------------------------------------------
Development economyKind(DevelopmentKind kind) {
    switch (kind) {
    case DevelopmentKind::Mine:
        return Development::Mine;
    case DevelopmentKind::Market:
        return Development::Market;
    case DevelopmentKind::Land:
        return Development::Land;
    }
    return Development::Land;
}
// P of the account's castles, from one table per owner: developing moves no general.
class PoliticsOf {
public:
    PoliticsOf(const WorldState& w, const HouseIndex* index) : w_(w), index_(index) {}
    int operator()(int castle) {
        const int owner = w_.castles[castle].owner;
        if (owner != owner_ || table_.empty()) {
            const bool listed = index_ && owner >= 0 && owner < static_cast<int>(index_->generalsOf.size());
            table_ = provincePoliticsTable(w_, owner, listed ? &index_->generalsOf[owner] : nullptr);
            owner_ = owner;
        }
        return table_[w_.castleSites[castle].province];
    }

private:
    const WorldState& w_;
    const HouseIndex* index_; // the run's: developing moves no general and changes no house
    int owner_ = -1;
    std::vector<int> table_;
};

int previewValue(Game& game, DevelopmentKind kind, int castle, PoliticsOf& politics) {
    return developCastleWithPolitics(game, economyKind(kind), castle, true, politics(castle));
}
void developOnce(Game& game, DevelopmentKind kind, int castle, PoliticsOf& politics) {
    developCastleWithPolitics(game, economyKind(kind), castle, false, politics(castle));
}

// Trade voyages from the account's ports with ships, the longest voyages first (training counts
// 0), each sent as far as the funds beyond the upkeep of the months away allow.
void dispatchTradeVoyages(Game& game, const Account& a, int upkeep) {
    WorldState& w = game.world;
    struct Pair {
        int castle, partner, length;
    };
    std::vector<Pair> pairs;
    for (int c : a.castles) {
        const Castle& k = w.castles[c];
        if (!w.castleSites[c].hasPort || isBesieged(k) || k.tradeShips == 0) continue;
        pairs.push_back({c, 0, 0});
        const int province = w.castleSites[c].province;
        for (int p = 1; p < w.tradePartnerCount; ++p) {
            const int months = partnerMonths(w, p, province);
            if (months < 0 || months * 100 > w.houses[a.house].navigationSkill) continue;
            pairs.push_back({c, p, months});
        }
    }
    RankedList ranked(static_cast<int>(pairs.size()));
    for (int i = 0; i < static_cast<int>(pairs.size()); ++i)
        ranked.add(i, pairs[i].length);
    ranked.sortDescending();
    for (int i = 0; i < ranked.size(); ++i) {
        const Pair& p = pairs[ranked.item(i)];
        const long long funds = accountFunds(w, a.house, a.corps);
        // The months away beyond the first are paid for first; a voyage shorter than a month
        // (the training) sets nothing aside, so the fleet never costs more than the funds.
        const long long spare = funds - static_cast<long long>(upkeep) * std::max(0, p.length - 1);
        const int price = voyagePrice(p.partner);
        if (spare < price) continue;
        const int ships = static_cast<int>(std::min<long long>(spare / price, waitingShips(w.castles[p.castle])));
        if (ships > 0) dispatchTradeShips(w, a.house, a.corps, p.castle, p.partner, ships);
    }
}

// Guns toward the house's target equipment rate: from production in its own provinces first,
// then from the markets, cheapest first.
void purchaseGuns(Game& game, int house, const HouseIndex* index) {
    WorldState& w = game.world;
    DaimyoHouse& d = w.houses[house];
    if (d.funds < 1) return;
    const double target = (w.settings.teppouSoubiRitsuCurrent / 100.0) *
                          (house < w.scenarioHouseCount ? w.scenarioHouses[house].gunCollection / 10.0 : 1.0);
    long long foot = 0, guns = d.undeployedGuns + d.gunsOrderedThisMonth;
    for (const GunOrder& o : d.marketOrders)
        guns += o.guns;
    const auto count = [&](int g) {
        if (w.generals[g].house != house) return;
        foot += w.generals[g].foot;
        guns += w.generals[g].guns;
    };
    // The run's index names the house's generals: buying and developing move none of them.
    if (index && house < static_cast<int>(index->generalsOf.size())) {
        for (int g : index->generalsOf[house]) count(g);
    } else {
        for (int g = 0; g < w.generalCount; ++g) count(g);
    }
    if (foot <= 0) return;
    const auto ratio = [&] { return static_cast<double>(guns) / foot; };
    if (ratio() >= 1 || ratio() >= target) return;
    const auto room = [&] { return static_cast<long long>(foot * target - guns); };

    long long n = std::min<long long>(remainingProduction(w, house), d.funds / productionUnitPrice(w));
    n = std::min(n, room());
    if (n > 0) guns += orderProduction(w, house, static_cast<int>(n));

    std::vector<MarketOffer> offers = marketAvailability(w, house, false);
    // Cheapest first, then the shorter delivery (delivery months fit in a byte).
    RankedList cheapest(static_cast<int>(offers.size()));
    for (int i = 0; i < static_cast<int>(offers.size()); ++i)
        cheapest.add(i, marketUnitPrice(w, offers[i].market) * 256 + std::clamp(offers[i].months, 0, 255));
    cheapest.sortAscending();
    std::vector<int> order;
    for (int i = 0; i < cheapest.size(); ++i) order.push_back(cheapest.item(i));
    for (int i : order) {
        if (d.funds < 1 || ratio() >= target) break;
        const MarketOffer& o = offers[i];
        if (o.underWay) continue;
        long long units = std::min<long long>(d.funds / marketUnitPrice(w, o.market), o.available);
        units = std::min(units, room());
        if (units <= 0) continue;
        orderFromMarket(w, house, o.market, o.months, static_cast<int>(units), false);
        guns += units;
    }
}
// ----------------------------------------------------------------------------------------------

void buildShips(WorldState& w, const Account& a) {
    for (int c : a.castles)
        if (w.castleSites[c].hasPort && w.castles[c].tradeShips > 0) return;
    for (int c : a.castles) {
        if (!w.castleSites[c].hasPort || isBesieged(w.castles[c])) continue;
        const int budget = accountBudget(w, a);
        if (budget < kShipPrice) return;
        buildTradeShips(w, a.house, a.corps, c, budget / kShipPrice);
    }
}

void develop(Game& game, const Account& a, DevelopmentKind kind, const std::vector<int>& forecast,
             PoliticsOf& politics) {
    WorldState& w = game.world;
    RankedList ranked(static_cast<int>(a.castles.size()));
    std::vector<int> gains(w.castleCount, 0);
    for (int c : a.castles) {
        if (isBesieged(w.castles[c])) continue;
        const int now = developmentValueNow(w, kind, c);
        if (now > developmentValueAtSnapshot(w, kind, c)) continue;
        // At its ceiling a castle gains nothing (the routine never lowers a value): no need to ask.
        gains[c] = now >= developmentCeiling(w, kind, c) ? 0 : previewValue(game, kind, c, politics) - now;
        ranked.add(c, developmentPriority(gains[c], now, developmentCeiling(w, kind, c)));
    }
    // Sorted as far as read: the funds often run out first.
    int& funds = accountFunds(w, a.house, a.corps);
    const int price = developmentPrice(kind);
    for (int i = 0; i < ranked.size(); ++i) {
        if (funds < price) return;
        const int c = ranked.settledItem(i);
        const int payback = paybackMonths(kind, gains[c], w.houses[a.house].miningSkill, w.date.month);
        if (!paysBackInTime(funds - price, forecast, payback)) continue;
        developOnce(game, kind, c, politics);
        funds -= price;
    }
}

} // namespace

void developAccount(Game& game, int house, int corps) { developAccountWith(game, house, corps, nullptr); }

void developAccountWith(Game& game, int house, int corps, const HouseIndex* index) {
    WorldState& w = game.world;
    if (!houseAlive(w, house)) return;
    if (corps >= 0 && !actionDevelops(corpsAction(w.corps[corps]))) return;
    const std::vector<int> forecast = forecastBalance(game, house, corps, kForecastMonths, index);
    const Account a = accountOf(w, house, corps, index);
    const int upkeep = estimatedAccountUpkeep(w, a);
    if (w.tradePartnerCount > 0 && accountFunds(w, house, corps) - 4LL * upkeep >= 1000)
        dispatchTradeVoyages(game, a, upkeep);
    PoliticsOf politics(w, index);
    develop(game, a, DevelopmentKind::Mine, forecast, politics);
    develop(game, a, DevelopmentKind::Market, forecast, politics);
    if (w.date.month < 3 || w.date.month > 8) develop(game, a, DevelopmentKind::Land, forecast, politics);
    buildShips(w, a);
    if (corps < 0) purchaseGuns(game, house, index);
}

} // namespace vh
