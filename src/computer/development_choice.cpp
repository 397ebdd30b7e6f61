// The computer's weighing of developments.
#include "computer/development_choice.h"

#include "computer/account.h"
#include "world/numeric.h"

#include <algorithm>

namespace vh {

namespace {

int valueIn(const Castle& k, DevelopmentKind kind) {
    switch (kind) {
    case DevelopmentKind::Mine:
        return k.mine;
    case DevelopmentKind::Market:
        return k.town;
    case DevelopmentKind::Land:
        return k.yield;
    }
    return 0;
}

constexpr int kNeverPaysBack = 10000;

} // namespace

int developmentPrice(DevelopmentKind kind) {
    switch (kind) {
    case DevelopmentKind::Mine:
        return 100;
    case DevelopmentKind::Market:
        return 50;
    case DevelopmentKind::Land:
        return 500;
    }
    return 0;
}

int developmentValueNow(const WorldState& w, DevelopmentKind kind, int castle) {
    return valueIn(w.castles[castle], kind);
}

int developmentValueAtSnapshot(const WorldState& w, DevelopmentKind kind, int castle) {
    return valueIn(w.castleSnapshot[castle], kind);
}

int developmentCeiling(const WorldState& w, DevelopmentKind kind, int castle) {
    const CastleSite& s = w.castleSites[castle];
    switch (kind) {
    case DevelopmentKind::Mine:
        return s.maxMine;
    case DevelopmentKind::Market:
        return s.maxTown;
    case DevelopmentKind::Land:
        return s.maxYield;
    }
    return 0;
}

int developmentPriority(int gain, int now, int ceiling) {
    long long p = static_cast<long long>(gain) * 100;
    // A castle without a ceiling has no room to weigh: only its gain counts.
    if (ceiling != 0) p += static_cast<long long>(99 * (1.0 - static_cast<double>(now) / ceiling));
    return static_cast<int>(std::clamp<long long>(p, -2000000000LL, 2000000000LL));
}

int paybackMonths(DevelopmentKind kind, int gain, int miningSkill, int month) {
    if (gain < 1) return kNeverPaysBack;
    switch (kind) {
    case DevelopmentKind::Mine: {
        const double income = gain * static_cast<double>(miningSkill) / 1000.0;
        if (income <= 0) return kNeverPaysBack;
        return std::min(kNeverPaysBack, ceilAway(100.0 / income));
    }
    case DevelopmentKind::Market:
        return ceilAway(50.0 / gain);
    case DevelopmentKind::Land:
        return monthsUntilHarvest(month) + (ceilAway(500.0 / gain) - 1) * 12;
    }
    return kNeverPaysBack;
}

bool paysBackInTime(long long start, const std::vector<int>& forecast, int payback) {
    if (payback >= 24) return false;
    long long total = start;
    if (total < 0) return false;
    for (int m = 0; m < payback && m < static_cast<int>(forecast.size()); ++m) {
        total += forecast[m];
        if (total < 0) return false;
    }
    return true;
}

} // namespace vh
