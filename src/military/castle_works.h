// Castle food (城兵糧補充) and castle improvement (城普請) in one province: the castles offered, the
// pending purchases and marks with their money checks, and the operations that apply them.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

inline constexpr const char* kFoodTitle = "城兵糧補充";
inline constexpr const char* kImproveTitle = "城普請";
inline constexpr const char* kImproveAtMaximum = "これ以上は城規模増強できません";
inline constexpr const char* kImproveDone = "実行済みです";
inline constexpr int kMaxCastleSize = 10;

// A castle's food capacity: size × ShiroHyourouMax.
int foodCapacity(const WorldState& w, int castle);

struct FoodPlan {
    int house = -1;
    int funds = 0;
    std::vector<int> castles;
    std::vector<int> food; // pending addition per listed castle
};
FoodPlan makeFoodPlan(const WorldState& w, int house, int province);
long long moneyLeft(const FoodPlan& p);
// The largest addition for listed castle i: min(capacity − food, funds − the others' additions),
// never below 0.
int foodRange(const WorldState& w, const FoodPlan& p, int i);
// Sets the addition (cut to the range's capacity part); false with the previous value kept when
// the money left would fall below 0.
bool setPendingFood(const WorldState& w, FoodPlan& p, int i, int amount);
void applyFood(WorldState& w, const FoodPlan& p);

struct ImprovePlan {
    int house = -1;
    int funds = 0;
    std::vector<int> castles;
    std::vector<char> marked; // per listed castle
    int cost = 0;             // the marked costs
};
ImprovePlan makeImprovePlan(const WorldState& w, int house, int province);
long long moneyLeft(const ImprovePlan& p);
// Improved earlier this phase (the snapshot is smaller) or marked in this plan: shown as "済".
bool improvedOrMarked(const WorldState& w, const ImprovePlan& p, int i);
// One size step costs the present size × 1000.
int improveCost(const WorldState& w, int castle);
// 城普請 on listed castle i: marks it, or returns the refusal ("これ以上は城規模増強できません",
// "実行済みです", "資金が足りません").
std::string markImprovement(const WorldState& w, ImprovePlan& p, int i);
void applyImprovement(WorldState& w, const ImprovePlan& p);

} // namespace vh
