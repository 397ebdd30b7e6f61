// Gun production, the gun markets and deployment to generals.
#include "economy/firearms.h"

#include "economy/economy_common.h"
#include "world/castle_rules.h"
#include "world/numeric.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>

namespace vh {

namespace {

int unitPrice(const WorldState& w, double cost) {
    const double v = heiUnitOf(w) * cost;
    if (!(v >= 1.0)) return 1; // also NaN
    return v >= INT_MAX ? INT_MAX : static_cast<int>(v);
}

int provinceLimit(const WorldState& w) {
    return std::min(w.provinceCount(), kProvinceSlots);
}

// The town economy of each province that makes guns, in province order: the house's castles and
// all castles there, each castle counting at least 1. Only those provinces are wanted, and there
// are few of them, so the castles are summed into one slot per such province.
struct TownShares {
    std::vector<int> provinces;
    std::vector<int64_t> own, all; // by slot, as provinces
};

TownShares townShares(const WorldState& w, int house) {
    TownShares t;
    constexpr uint16_t kNoSlot = 0xFFFF;
    std::array<uint16_t, 256> slot; // a castle's province is one byte
    slot.fill(kNoSlot);
    const int limit = std::min(provinceLimit(w), 256);
    for (int p = 0; p < limit; ++p)
        if (w.gunProduction[p].current != 0) {
            slot[p] = static_cast<uint16_t>(t.provinces.size());
            t.provinces.push_back(p);
        }
    t.own.assign(t.provinces.size(), 0);
    t.all.assign(t.provinces.size(), 0);
    if (t.provinces.empty()) return t;
    for (int c = 0; c < w.castleCount; ++c) {
        const int s = slot[w.castleSites[c].province];
        if (s == kNoSlot) continue;
        const int town = std::max<int>(1, w.castles[c].town);
        t.all[s] += town;
        if (w.castles[c].owner == house) t.own[s] += town;
    }
    return t;
}

int16_t clampShort(int64_t v) {
    return static_cast<int16_t>(std::clamp<int64_t>(v, 0, INT16_MAX));
}

} // namespace

int heiUnitOf(const WorldState& w) {
    return std::max(1, w.settings.heiUnit);
}

int productionUnitPrice(const WorldState& w) {
    return unitPrice(w, w.settings.teppouCostCurrent);
}

int marketUnitPrice(const WorldState& w, int market) {
    return unitPrice(w, w.gunMarkets[market].costCurrent);
}

std::vector<int> producingProvinces(const WorldState& w, int house) {
    const TownShares t = townShares(w, house);
    std::vector<int> out;
    for (size_t s = 0; s < t.provinces.size(); ++s)
        if (t.own[s] > 0) out.push_back(t.provinces[s]);
    return out;
}

int productionCapacity(const WorldState& w, int house) {
    const TownShares t = townShares(w, house);
    double sum = 0;
    for (size_t s = 0; s < t.provinces.size(); ++s) {
        if (t.own[s] == 0) continue;
        sum += static_cast<double>(t.own[s]) / static_cast<double>(t.all[s]) * w.gunProduction[t.provinces[s]].current;
    }
    if (!(sum > 0)) return 0;
    const double units = sum / heiUnitOf(w);
    return std::max(1, units >= INT_MAX ? INT_MAX : roundHalfAway(units));
}

int remainingProduction(const WorldState& w, int house) {
    return std::max(0, productionCapacity(w, house) - w.houses[house].gunsOrderedThisMonth);
}

std::string productionHeadline(const WorldState& w, int house) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "以下の鉄砲生産国で、合計 %d挺 の鉄砲生産が可能です",
                  remainingProduction(w, house) * heiUnitOf(w));
    return buf;
}

std::string productionCostLine(const WorldState& w) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d挺当たりの鉄砲生産費用 = %d", heiUnitOf(w), productionUnitPrice(w));
    return buf;
}

int orderProduction(WorldState& w, int house, int units) {
    const int n = std::clamp(units, 0, remainingProduction(w, house));
    if (n == 0) return 0;
    DaimyoHouse& d = w.houses[house];
    d.gunsOrderedThisMonth = clampShort(int64_t{d.gunsOrderedThisMonth} + n);
    chargeAccount(w, house, -1, int64_t{n} * productionUnitPrice(w));
    return n;
}

std::vector<MarketOffer> marketAvailability(const WorldState& w, int house, bool player) {
    std::vector<MarketOffer> out;
    // A delivery time is by province: the provinces where the house holds a castle, once.
    std::vector<int> provinces;
    std::vector<uint8_t> seen(kProvinceSlots, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != house) continue;
        const int p = w.castleSites[c].province;
        if (seen[p]) continue;
        seen[p] = 1;
        provinces.push_back(p);
    }
    for (int m = 0; m < w.gunMarketCount; ++m) {
        const GunMarket& g = w.gunMarkets[m];
        if (g.rateCurrent == 0) continue;
        int months = INT_MAX;
        for (int p : provinces) {
            const int v = signedMonths(g.deliveryMonths[p]);
            if (v >= 0) months = std::min(months, v);
        }
        if (months == INT_MAX) continue; // no castle of the house reaches it
        MarketOffer o;
        o.market = m;
        o.months = months;
        o.ordered = w.houses[house].marketOrders[m].guns;
        o.underWay = o.ordered > 0 && !(player && g.monthlyPurchases > 0);
        o.available = -1;
        if (!o.underWay) {
            const double supply = std::clamp(g.rateCurrent, 0.0, static_cast<double>(INT_MAX));
            o.available = std::max(1, static_cast<int>(supply) / heiUnitOf(w) / (months + 1));
        }
        out.push_back(o);
    }
    return out;
}

int purchasable(const WorldState& w, const MarketOffer& offer) {
    if (offer.underWay) return 0;
    return std::max(0, offer.available - w.gunMarkets[offer.market].monthlyPurchases);
}

void orderFromMarket(WorldState& w, int house, int market, int months, int units, bool phasePurchase) {
    if (units <= 0 || market < 0 || market >= w.gunMarketCount) return;
    GunOrder& o = w.houses[house].marketOrders[market];
    o.guns = clampShort(int64_t{o.guns} + units);
    o.monthsLeft = static_cast<uint8_t>(std::clamp(months, 0, 255));
    if (phasePurchase) {
        GunMarket& g = w.gunMarkets[market];
        g.monthlyPurchases = clampShort(int64_t{g.monthlyPurchases} + units);
    }
    chargeAccount(w, house, -1, int64_t{units} * marketUnitPrice(w, market));
}

FundsFit fitToFunds(int wanted, int64_t otherCost, int64_t funds, int price) {
    price = std::max(1, price);
    if (otherCost + int64_t{wanted} * price <= funds) return {wanted, false};
    const int64_t left = funds - otherCost;
    const int value = left <= 0 ? 0 : static_cast<int>(std::min<int64_t>(wanted, left / price));
    return {value, value == wanted};
}

std::string checkDeploymentCommand(const WorldState& w, int province) {
    return validProvince(w, province) ? std::string() : std::string(kChooseProvince);
}

std::vector<int> deploymentGenerals(const WorldState& w, int house, int province) {
    std::vector<int> out;
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (w.castleSites[c].province != province || k.besiegerCount != 0) continue;
        for (int i = 0; i < k.generalCount && i < Castle::kMaxGenerals; ++i) {
            const int g = k.generals[i];
            if (g < 0 || g >= w.generalCount) continue;
            const General& r = w.generals[g];
            if (r.corps != -1 || r.castle != c || (r.flags & kFlagInField)) continue;
            const bool ours =
                (r.status == kStatusOrdinary && r.house == house) ||
                (r.status == kStatusGuest && r.house >= 0 && commandingHouse(w, r.house) == house);
            if (ours) out.push_back(g);
        }
    }
    return out;
}

int deploymentLimit(const WorldState& w, int general, int stockLeft, int assigned) {
    const General& r = w.generals[general];
    return std::max(0, std::min(r.foot - r.guns, stockLeft + assigned));
}

void deployGuns(WorldState& w, int house, const std::vector<std::pair<int, int>>& assignments) {
    DaimyoHouse& d = w.houses[house];
    for (const auto& [g, wanted] : assignments) {
        if (g < 0 || g >= w.generalCount) continue;
        General& r = w.generals[g];
        const int n = std::clamp(wanted, 0, std::max(0, std::min(r.foot - r.guns, d.undeployedGuns)));
        r.guns = static_cast<int16_t>(r.guns + n);
        d.undeployedGuns -= n;
    }
}

} // namespace vh
