// The sortie order: the command's gate, the head-province rule, the castle a sortie leaves from
// with its generals, the target checks and the order itself. The march belongs to the month's
// battle resolution. Written for any house.
#pragma once

#include "world/world_state.h"

#include <span>
#include <string>
#include <vector>

namespace vh {

inline constexpr const char* kSortieTitle = "出陣";
inline constexpr const char* kSortieVassalRefusal = "当家は臣従大名なので出陣は主家が行います";
inline constexpr const char* kSortiePromptSource = "出陣する武将が居る城は？";
inline constexpr const char* kSortiePromptGenerals = "出陣する武将を指定して下さい";
inline constexpr const char* kSortiePromptTarget = "攻撃先の城を指定して下さい";
inline constexpr const char* kSortieTooFar =
    "大名家当主の所在地から遠すぎるため、出陣指示できません\n（当主と同じ国か、隣接国のみ出陣指示可能です）";
inline constexpr const char* kSortieNotAdjacent = "隣接した城しか出陣できません";
inline constexpr const char* kSortieAllied = "敵に包囲されていない同盟／従属／臣従大名の城へは出陣できません";
inline constexpr const char* kSortieAllyBesieging =
    "同盟を結んでいる大名家が攻撃している城には出陣できません";
inline constexpr const char* kSortieTooMany = "一つの城には２０人までしか出陣できません";

// The gate for `house` with `province` selected (-1 none): the refusal, or empty.
std::string checkSortieCommand(const WorldState& w, int house, int province);

// Two provinces are adjacent when a castle route joins a castle of one to a castle of the other.
bool provincesAdjacent(const WorldState& w, int a, int b);

// The head-province rule for a clicked castle: its province must be the province of the castle
// where the house's head stands, or adjacent to it. A house without a head in a castle (head
// pending or lost) is always too far. The refusal, or empty.
std::string checkSortieReach(const WorldState& w, int house, int castle);

// The generals who may march from a castle: our castle, unbesieged; its directly commanded garrison
// generals who have not acted, in garrison order. Empty otherwise.
std::vector<int> sortieCandidates(const WorldState& w, int house, int castle);

// Generals of `house`'s side already ordered against `target` this month.
int sortiesOrderedAgainst(const WorldState& w, int house, int target);

// The target checks in order for `count` generals from `source`; the first refusal, or empty.
std::string checkSortieTarget(const WorldState& w, int house, int source, int target, int count);

// The order: each general gets `target` as his sortie target and the acted flag.
void orderSortie(WorldState& w, std::span<const int> generals, int target);

// True while the general holds a sortie order (shown as "出陣" in the castle information).
bool onSortie(const General& g);

} // namespace vh
