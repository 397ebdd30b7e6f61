// Conscription in one province: offered generals and castles, pending additions, fill and apply.
#include "military/conscription.h"

#include "world/castle_rules.h"

#include <algorithm>

namespace vh {
namespace {

int unit(const WorldState& w) {
    return w.settings.heiUnit > 0 ? w.settings.heiUnit : 1;
}

bool setChecked(const WorldState& w, ConscriptionPlan& p, int& value, int units, int range) {
    const int old = value;
    value = std::clamp(units, 0, std::max(range, 0));
    if (moneyLeft(w, p) < 0) {
        value = old;
        return false;
    }
    return true;
}

} // namespace

int cavalryLimit(const WorldState& w) {
    return 2000 / unit(w);
}
int footLimit(const WorldState& w) {
    return 5000 / unit(w);
}
int garrisonLimit(const WorldState& w, int castle) {
    return w.castles[castle].size * (w.settings.shiroHyourouMax / 10) / unit(w);
}

std::vector<int> conscriptionGenerals(const WorldState& w, int house, int province) {
    std::vector<int> out;
    if (house < 0) return out;
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (w.castleSites[c].province != province || k.besiegerCount > 0) continue;
        const int n = std::min<int>(k.generalCount, Castle::kMaxGenerals);
        for (int i = 0; i < n; ++i) {
            const General& g = w.generals[k.generals[i]];
            if (g.corps != -1) continue;
            if (g.house == house || (g.status == kStatusGuest && commandingHouse(w, g.house) == house))
                out.push_back(k.generals[i]);
        }
    }
    return out;
}

std::vector<int> ownUnbesiegedCastles(const WorldState& w, int house, int province) {
    std::vector<int> out;
    if (house < 0) return out;
    for (int c = 0; c < w.castleCount; ++c) {
        const Castle& k = w.castles[c];
        if (w.castleSites[c].province == province && k.owner == house && k.corps == -1 &&
            k.besiegerCount == 0)
            out.push_back(c);
    }
    return out;
}

ConscriptionPlan makeConscriptionPlan(const WorldState& w, int house, int province, RecruitPools remaining) {
    ConscriptionPlan p;
    p.house = house;
    p.funds = house >= 0 && house < w.houseCount ? w.houses[house].funds : 0;
    p.remaining = remaining;
    p.generals = conscriptionGenerals(w, house, province);
    p.castles = ownUnbesiegedCastles(w, house, province);
    p.cavalry.assign(p.generals.size(), 0);
    p.foot.assign(p.generals.size(), 0);
    p.garrison.assign(p.castles.size(), 0);
    return p;
}

RecruitPools poolsLeft(const ConscriptionPlan& p) {
    RecruitPools r = p.remaining;
    for (std::size_t i = 0; i < p.generals.size(); ++i) {
        r.cavalry -= p.cavalry[i];
        r.foot -= p.foot[i];
    }
    for (int g : p.garrison)
        r.foot -= g;
    return r;
}

long long moneyLeft(const WorldState& w, const ConscriptionPlan& p) {
    long long units = 0;
    for (std::size_t i = 0; i < p.generals.size(); ++i)
        units += 3LL * p.cavalry[i] + p.foot[i];
    for (int g : p.garrison)
        units += g;
    return p.funds - units * unit(w);
}

int cavalryRange(const WorldState& w, const ConscriptionPlan& p, int i) {
    const General& g = w.generals[p.generals[i]];
    return std::max(0, std::min(cavalryLimit(w) - g.cavalry, poolsLeft(p).cavalry + p.cavalry[i]));
}

int footRange(const WorldState& w, const ConscriptionPlan& p, int i) {
    const General& g = w.generals[p.generals[i]];
    return std::max(0, std::min(footLimit(w) - g.foot, poolsLeft(p).foot + p.foot[i]));
}

int garrisonRange(const WorldState& w, const ConscriptionPlan& p, int i) {
    const int c = p.castles[i];
    return std::max(0,
                    std::min(garrisonLimit(w, c) - w.castles[c].garrison, poolsLeft(p).foot + p.garrison[i]));
}

bool setPendingCavalry(const WorldState& w, ConscriptionPlan& p, int i, int units) {
    return setChecked(w, p, p.cavalry[i], units, cavalryRange(w, p, i));
}
bool setPendingFoot(const WorldState& w, ConscriptionPlan& p, int i, int units) {
    return setChecked(w, p, p.foot[i], units, footRange(w, p, i));
}
bool setPendingGarrison(const WorldState& w, ConscriptionPlan& p, int i, int units) {
    return setChecked(w, p, p.garrison[i], units, garrisonRange(w, p, i));
}

void fillAllGenerals(const WorldState& w, ConscriptionPlan& p, const std::vector<int>& order) {
    const int u = unit(w);
    for (int i : order) {
        if (i < 0 || i >= static_cast<int>(p.generals.size())) continue;
        const General& g = w.generals[p.generals[i]];
        long long money = moneyLeft(w, p);
        if (money < 0) return;
        // A general already above a limit (from the scenario) gets nothing rather than losing men.
        long long add = std::max(0, std::min(footLimit(w) - g.foot - p.foot[i], poolsLeft(p).foot));
        if (money < add * u) add = money / u;
        p.foot[i] += static_cast<int>(add);
        money -= add * u;
        if (money < 0) return;
        add = std::max(0, std::min(cavalryLimit(w) - g.cavalry - p.cavalry[i], poolsLeft(p).cavalry));
        if (money < add * u * 3) add = money / (3LL * u);
        p.cavalry[i] += static_cast<int>(add);
    }
}

void applyConscription(WorldState& w, const ConscriptionPlan& p, RecruitPools phaseStart,
                       RecruitPools& remaining) {
    if (p.house < 0 || p.house >= w.houseCount) return;
    const int u = unit(w);
    DaimyoHouse& house = w.houses[p.house];
    for (std::size_t i = 0; i < p.generals.size(); ++i) {
        General& g = w.generals[p.generals[i]];
        g.cavalry = static_cast<int16_t>(g.cavalry + p.cavalry[i]);
        g.foot = static_cast<int16_t>(g.foot + p.foot[i]);
        remaining.cavalry -= p.cavalry[i];
        remaining.foot -= p.foot[i];
        house.funds -= (p.cavalry[i] * 3 + p.foot[i]) * u;
    }
    for (std::size_t i = 0; i < p.castles.size(); ++i) {
        Castle& k = w.castles[p.castles[i]];
        k.garrison = static_cast<int16_t>(k.garrison + p.garrison[i]);
        remaining.foot -= p.garrison[i];
        house.funds -= p.garrison[i] * u;
    }

    // The whole phase's recruits, taken from the land as it stood when the phase began.
    const std::vector<int> castles = directCastles(w, p.house);
    std::vector<int> baseYield, baseSupport;
    for (int c : castles) {
        baseYield.push_back(w.castleSnapshot[c].yield);
        baseSupport.push_back(w.castleSnapshot[c].support);
    }
    const int cavalry = phaseStart.cavalry - remaining.cavalry;
    const int foot = phaseStart.foot - remaining.foot;
    spreadRecruitYield(w, castles, baseYield, (cavalry + foot) * u);
    applyRecruitSupportLoss(w, castles, baseSupport, (static_cast<long long>(foot) + 3LL * cavalry) * u);
}

void applyPlayerConscription(WorldState& w, const ConscriptionPlan& p) {
    RecruitPools left = remainingPools(w);
    applyConscription(w, p, phaseStartPools(w), left);
    setRemainingPools(w, left);
}

} // namespace vh
