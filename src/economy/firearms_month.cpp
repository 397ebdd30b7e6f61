// The firearms step of the month's events: deliveries with the order countdown, and the drift.
#include "economy/firearms.h"

#include "context/game.h"
#include "context/game_text.h"

#include <algorithm>
#include <climits>

namespace vh {

namespace {

int32_t addGuns(int32_t stock, int64_t guns) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{stock} + guns, INT32_MIN, INT32_MAX));
}

} // namespace

bool scenarioFirstMonth(const WorldState& w) {
    return w.date.year == w.settings.startYear && w.date.month == w.settings.startMonth;
}

void deliverFirearms(Game& game) {
    WorldState& w = game.world;
    const int unit = heiUnitOf(w);
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        DaimyoHouse& d = w.houses[h];
        GunDelivery shown;
        int64_t received = d.gunsOrderedThisMonth;
        shown.produced = d.gunsOrderedThisMonth * unit;
        for (int m = 0; m < kMaxGunMarkets; ++m) {
            const GunOrder& o = d.marketOrders[m];
            if (o.guns <= 0 || o.monthsLeft > 1) continue;
            received += o.guns;
            if (m < w.gunMarketCount)
                shown.bought.emplace_back(nameText(w, w.gunMarkets[m].name), o.guns * unit);
        }
        if (received <= 0) continue;
        d.undeployedGuns = addGuns(d.undeployedGuns, received);
        if (h == w.playerHouse && !w.spectator && !game.quietMode && game.frontend) {
            shown.undeployed = static_cast<int>(std::min<int64_t>(int64_t{d.undeployedGuns} * unit, INT_MAX));
            game.frontend->showGunDelivery(shown);
        }
    }
    for (int h = 0; h < w.houseCount; ++h) {
        DaimyoHouse& d = w.houses[h];
        d.gunsOrderedThisMonth = 0;
        for (GunOrder& o : d.marketOrders) {
            if (o.guns <= 0) continue;
            if (o.monthsLeft <= 1)
                o = GunOrder{};
            else
                --o.monthsLeft;
        }
    }
}

void driftFirearms(WorldState& w) {
    ScenarioSettings& s = w.settings;
    s.teppouSoubiRitsuCurrent =
        std::min(s.teppouSoubiRitsuCurrent + s.teppouSoubiRitsu[1], s.teppouSoubiRitsu[2]);
    s.teppouCostCurrent = std::max(s.teppouCostCurrent - s.teppouCost[1], s.teppouCost[2]);
    const int provinces = std::min(w.provinceCount(), kProvinceSlots);
    for (int p = 0; p < provinces; ++p) {
        ProvinceGunProduction& g = w.gunProduction[p];
        if (g.base == 0 || g.fromYear > w.date.year) continue;
        g.current = g.current == 0 ? g.base : std::min(g.current + g.increase, g.maximum);
    }
    for (int m = 0; m < w.gunMarketCount; ++m) {
        GunMarket& g = w.gunMarkets[m];
        if (g.fromYear > w.date.year) continue;
        if (g.rateCurrent == 0) {
            g.costCurrent = g.costInitial;
            g.rateCurrent = g.rateInitial;
        } else {
            g.costCurrent = std::max(g.costCurrent - g.costDecrease, g.costLowerBound);
            g.rateCurrent = std::min(g.rateCurrent + g.rateIncrease, g.rateUpperBound);
        }
    }
}

void firearmsMonth(Game& game) {
    deliverFirearms(game);
    if (!scenarioFirstMonth(game.world)) driftFirearms(game.world);
}

} // namespace vh
