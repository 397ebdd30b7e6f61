// Conscription in one province: the generals and castles offered, the pending additions with their
// spinner ranges and money check, the fill of every general, and the operation that applies them.
#pragma once

#include "military/recruit_pools.h"
#include "world/world_state.h"

#include <vector>

namespace vh {

inline constexpr const char* kConscriptionTitle = "徴兵";
inline constexpr const char* kNoFunds = "資金が足りません";
inline constexpr const char* kFillAllCaption = "全武将最大数徴兵";
inline constexpr const char* kFillAllNote = "（徴兵可能数が少ない場合はリスト順に充填）";
inline constexpr const char* kPoolsCaption = "残り徴兵可能数（全国合計）";

// Limits in units: a general's cavalry, his foot, a castle's garrison.
int cavalryLimit(const WorldState& w);
int footLimit(const WorldState& w);
int garrisonLimit(const WorldState& w, int castle);

// Directly commanded generals in the garrisons of the province's unbesieged castles who belong to
// `house`, or are guests whose house has `house` as commanding house; in castle and garrison order.
std::vector<int> conscriptionGenerals(const WorldState& w, int house, int province);
// The province's castles that `house` owns itself (not through vassals) and that are not besieged.
std::vector<int> ownUnbesiegedCastles(const WorldState& w, int house, int province);

// The choices of one opening of the dialog.
struct ConscriptionPlan {
    int house = -1;
    int funds = 0;          // the house's funds when the dialog opened
    RecruitPools remaining; // the pools left when the dialog opened
    std::vector<int> generals;
    std::vector<int> castles;
    std::vector<int> cavalry;  // pending units per listed general
    std::vector<int> foot;     // pending units per listed general
    std::vector<int> garrison; // pending units per listed castle
};

ConscriptionPlan makeConscriptionPlan(const WorldState& w, int house, int province, RecruitPools remaining);

// What the pools and the funds still allow with every pending addition counted.
RecruitPools poolsLeft(const ConscriptionPlan& p);
long long moneyLeft(const WorldState& w, const ConscriptionPlan& p);

// The spinners' upper bounds (never below 0) for listed general i / listed castle i.
int cavalryRange(const WorldState& w, const ConscriptionPlan& p, int i);
int footRange(const WorldState& w, const ConscriptionPlan& p, int i);
int garrisonRange(const WorldState& w, const ConscriptionPlan& p, int i);

// Sets one pending value; false (the previous value kept) when the money left would fall below 0.
bool setPendingCavalry(const WorldState& w, ConscriptionPlan& p, int i, int units);
bool setPendingFoot(const WorldState& w, ConscriptionPlan& p, int i, int units);
bool setPendingGarrison(const WorldState& w, ConscriptionPlan& p, int i, int units);

// 全武将最大数徴兵: foot then cavalry for each general in `order` (indices into p.generals, the
// list's current order) as far as pools and money reach. Garrisons are not filled.
void fillAllGenerals(const WorldState& w, ConscriptionPlan& p, const std::vector<int>& order);

// OK: the additions go to the generals and castles, the funds pay for them and the pools shrink
// (`remaining` is the house's pool pair, drawn down); then the phase's whole conscription so far
// (phaseStart − remaining) is taken from the snapshot yield and support of the house's direct
// castles, so several openings in one phase equal one.
void applyConscription(WorldState& w, const ConscriptionPlan& p, RecruitPools phaseStart,
                       RecruitPools& remaining);
// The player's conscription, with the pools kept in the world.
void applyPlayerConscription(WorldState& w, const ConscriptionPlan& p);

} // namespace vh
