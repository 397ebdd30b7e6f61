// Castle food and castle improvement: offered castles, pending purchases and marks, and apply.
#include "military/castle_works.h"

#include "military/conscription.h"

#include <algorithm>

namespace vh {

int foodCapacity(const WorldState& w, int castle) {
    return w.castles[castle].size * w.settings.shiroHyourouMax;
}

FoodPlan makeFoodPlan(const WorldState& w, int house, int province) {
    FoodPlan p;
    p.house = house;
    p.funds = house >= 0 && house < w.houseCount ? w.houses[house].funds : 0;
    p.castles = ownUnbesiegedCastles(w, house, province);
    p.food.assign(p.castles.size(), 0);
    return p;
}

long long moneyLeft(const FoodPlan& p) {
    long long spent = 0;
    for (int f : p.food)
        spent += f;
    return p.funds - spent;
}

int foodRange(const WorldState& w, const FoodPlan& p, int i) {
    const int c = p.castles[i];
    const long long others = moneyLeft(p) + p.food[i]; // funds less the other castles' additions
    const long long room = static_cast<long long>(foodCapacity(w, c)) - w.castles[c].food;
    return static_cast<int>(std::max(0LL, std::min(room, others)));
}

bool setPendingFood(const WorldState& w, FoodPlan& p, int i, int amount) {
    const int c = p.castles[i];
    const int room = std::max(0, foodCapacity(w, c) - w.castles[c].food);
    const int old = p.food[i];
    p.food[i] = std::clamp(amount, 0, room);
    if (moneyLeft(p) < 0) {
        p.food[i] = old;
        return false;
    }
    return true;
}

void applyFood(WorldState& w, const FoodPlan& p) {
    if (p.house < 0 || p.house >= w.houseCount) return;
    for (std::size_t i = 0; i < p.castles.size(); ++i) {
        w.castles[p.castles[i]].food += p.food[i];
        w.houses[p.house].funds -= p.food[i];
    }
}

ImprovePlan makeImprovePlan(const WorldState& w, int house, int province) {
    ImprovePlan p;
    p.house = house;
    p.funds = house >= 0 && house < w.houseCount ? w.houses[house].funds : 0;
    p.castles = ownUnbesiegedCastles(w, house, province);
    p.marked.assign(p.castles.size(), 0);
    return p;
}

long long moneyLeft(const ImprovePlan& p) {
    return static_cast<long long>(p.funds) - p.cost;
}

bool improvedOrMarked(const WorldState& w, const ImprovePlan& p, int i) {
    const int c = p.castles[i];
    return p.marked[i] || w.castleSnapshot[c].size < w.castles[c].size;
}

int improveCost(const WorldState& w, int castle) {
    return w.castles[castle].size * 1000;
}

std::string markImprovement(const WorldState& w, ImprovePlan& p, int i) {
    const int c = p.castles[i];
    if (w.castles[c].size >= kMaxCastleSize) return kImproveAtMaximum;
    if (improvedOrMarked(w, p, i)) return kImproveDone;
    if (moneyLeft(p) < improveCost(w, c)) return kNoFunds;
    p.marked[i] = 1;
    p.cost += improveCost(w, c);
    return {};
}

void applyImprovement(WorldState& w, const ImprovePlan& p) {
    if (p.house < 0 || p.house >= w.houseCount) return;
    for (std::size_t i = 0; i < p.castles.size(); ++i)
        if (p.marked[i]) ++w.castles[p.castles[i]].size;
    w.houses[p.house].funds -= p.cost;
}

} // namespace vh
