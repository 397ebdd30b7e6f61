// Recruit pools from yield and support, and what raising recruits takes from the land.
#include "military/recruit_pools.h"

#include "world/numeric.h"

#include <algorithm>

namespace vh {
namespace {

// The pools' places in the saved game: the phase-start pair, then the pair drawn down.
enum { kStartCavalry = 0, kStartFoot = 1, kLeftCavalry = 2, kLeftFoot = 3 };

double heiUnit(const WorldState& w) {
    return w.settings.heiUnit > 0 ? w.settings.heiUnit : 1;
}

} // namespace

std::vector<int> directCastles(const WorldState& w, int house) {
    std::vector<int> out;
    if (house < 0) return out;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == house && w.castles[c].corps == -1) out.push_back(c);
    return out;
}

RecruitPools recruitablePools(const WorldState& w, const std::vector<int>& castles) {
    const double unit = heiUnit(w);
    double cavalry = 0, foot = 0;
    for (int c : castles) {
        const double yield = w.castles[c].yield, support = w.castles[c].support / 1000.0;
        cavalry += yield / 1000.0 / unit * support;
        foot += yield / 100.0 / unit * support;
    }
    return {roundHalfAway(cavalry), roundHalfAway(foot)};
}

RecruitPools phaseStartPools(const WorldState& w) {
    return {w.recruitPools[kStartCavalry], w.recruitPools[kStartFoot]};
}

RecruitPools remainingPools(const WorldState& w) {
    return {w.recruitPools[kLeftCavalry], w.recruitPools[kLeftFoot]};
}

void setRemainingPools(WorldState& w, RecruitPools p) {
    w.recruitPools[kLeftCavalry] = p.cavalry;
    w.recruitPools[kLeftFoot] = p.foot;
}

void computeRecruitPools(WorldState& w) {
    RecruitPools p;
    if (w.playerHouse >= 0 && w.playerHouse < w.houseCount)
        p = recruitablePools(w, directCastles(w, w.playerHouse));
    w.recruitPools[kStartCavalry] = p.cavalry;
    w.recruitPools[kStartFoot] = p.foot;
    setRemainingPools(w, p);
}

void spreadRecruitYield(WorldState& w, const std::vector<int>& castles, const std::vector<int>& baseYield,
                        int men) {
    long long left = men;
    int n = static_cast<int>(castles.size());
    for (std::size_t i = 0; i < castles.size(); ++i, --n) {
        const int share = roundHalfAway(static_cast<double>(left) / n);
        const int base = baseYield[i];
        int taken = share;
        if (base - share < 0) taken = std::max(base, 0);
        w.castles[castles[i]].yield = base - taken;
        left -= taken;
    }
}

void applyRecruitSupportLoss(WorldState& w, const std::vector<int>& castles,
                             const std::vector<int>& baseSupport, long long weightedMen) {
    long long total = 0;
    for (int c : castles)
        total += w.castles[c].yield;
    // No yield to spread the loss over: the castles keep their support.
    if (total <= 0) return;
    const int loss = roundHalfAway(static_cast<double>(weightedMen) * 1000.0 / static_cast<double>(total));
    for (std::size_t i = 0; i < castles.size(); ++i)
        w.castles[castles[i]].support = static_cast<int16_t>(std::max(0, baseSupport[i] - loss));
}

} // namespace vh
