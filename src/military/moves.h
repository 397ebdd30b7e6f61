// Moving generals between castles of one side: the command's gate, the source castle and its
// movable generals, the destination checks, the order, and the execution of every order at once.
// Written for any house, so the computer houses and corps give their orders through it too.
#pragma once

#include "context/game_text.h"

#include "world/castle_rules.h"
#include "world/world_state.h"

#include <span>
#include <string>
#include <vector>

namespace vh {

struct Game;

inline constexpr const char* kMoveTitle = "武将移動";
inline constexpr const char* kMoveVassalRefusal = "当家は臣従大名なので武将移動は主家が行います";
inline constexpr const char* kMovePromptSource = "移動する武将がいる城は？";
inline constexpr const char* kMovePromptGenerals = "移動する武将を指定して下さい";
inline constexpr const char* kMovePromptDestination = "移動先の城を指定して下さい";
inline constexpr const char* kMultiSelectHint = "Ctrl か Shift ｷｰ併用で複数指定可";
inline constexpr const char* kMoveSourceBesieged = "包囲されている城からは移動できません";
inline constexpr const char* kMoveNotOurSide = "当家または臣従大名の城以外には移動できません";
inline constexpr const char* kMoveTargetBesieged = "包囲されている城には移動できません";
inline constexpr const char* kMoveSameCastle = "移動元の城です";
inline constexpr const char* kMoveTooFar = "距離が遠すぎます";
inline constexpr const char* kMoveCastleFull = "一つの城には２０人までしか入れません";

// True when the castle's owner has `house` as its commanding house.
bool castleOnSide(const WorldState& w, int house, int castle);

// The gate of the move command for `house` with `province` selected (-1 none): the refusal, or
// empty when the dialog may open.
std::string checkMoveCommand(const WorldState& w, int house, int province);

// A clicked castle as the source of a move.
struct MoveSource {
    int castle = -1;           // -1: no source chosen
    bool besieging = false;    // the generals stand in the field before an enemy castle
    std::vector<int> generals; // the movable generals, in list order
    std::string refusal;       // shown when the click is refused (a besieged castle of ours)
};
// Our castle, unbesieged: its directly commanded garrison generals who have not acted. An enemy
// castle besieged by our side: our generals in its field list who have not acted. Otherwise none.
MoveSource moveSource(const WorldState& w, int house, int castle);

// Route distances from the source as the move dialog measures them (mode 0).
DistanceTable moveDistances(const WorldState& w, int house, int source);

// Drawn grey in the dialog: a castle of `house` or of a house in a submission relation with it
// (relation kinds 6 to 8) whose distance exceeds DistanceLimit.
bool moveCastleOutOfReach(const WorldState& w, int house, const DistanceTable& dist, int castle);

// The destination checks in order for `count` generals from `source`; the first refusal, or empty.
std::string checkMoveDestination(const WorldState& w, int house, int source, const DistanceTable& dist,
                                 int target, int count);

// The order: each general leaves the field (if he stood there), gets `target` as his move
// destination and the acted flag.
void orderMove(WorldState& w, std::span<const int> generals, int target);

// Sorting of the dialog's general list by column: 0 名前 (general order, the house's own generals
// before those of its vassals), 1 騎馬, 2 足軽, 3 鉄砲 (largest first). Stable among equals.
void sortGeneralList(const WorldState& w, int house, std::vector<int>& generals, int column);

// Carries out every ordered move of every house at once, resolves overfull castles by displacing
// the weakest (cavalry × 3 + foot) through the retreat rule, clears the orders (a hostage keeps his
// fields) and rebuilds the castle lists.
void executeMoves(Game& game);

} // namespace vh
