// Land development (開墾), free markets (楽市楽座) and mine development (鉱山開発): the routine that
// raises one castle's value, shared by the player, the computer houses and corps, and the player's
// command around it (gates, castle list, cost check, execution).
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

struct Game;

enum class Development { Land, Market, Mine };

// The fixed texts and the price of one command.
struct DevelopmentTexts {
    const char* title;         // window title
    const char* execute;       // execute button
    const char* nothingTicked; // prompt when no castle is ticked
    const char* hint;          // "…を指定してください"
    const char* currentColumn; // "現在石高" …
    const char* maximumColumn; // "最大石高" …
    const char* question;      // "%dの費用が必要です。…"
    const char* tooFar;        // the head-province refusal
    int price;                 // per castle
};
const DevelopmentTexts& developmentTexts(Development kind);

inline constexpr const char* kPoliticsHint = "政治力の高い武将が国内にいると効果が上がります";
inline constexpr const char* kSelectAll = "全選択／全解除";
inline constexpr const char* kResultColumn = "実行結果";
inline constexpr const char* kFarmingSeason = "農繁期（３～８月）は新田開墾できません";

// The castle's value the command raises (石高, 町経済 or 鉱山) and its ceiling.
int developmentValue(const WorldState& w, Development kind, int castle);
int developmentMaximum(const WorldState& w, Development kind, int castle);
int snapshotValue(const WorldState& w, Development kind, int castle);

// P: the best 政治 among generals of the castle owner's own house standing (not in the field) in a
// castle of the castle's province; 0 when there is none.
int provincePolitics(const WorldState& w, int castle);

// provincePolitics for every castle of one owner from a single pass over the generals: entry p
// is the value for a castle of `owner` in province p (256 entries). Development changes no
// general or owner, so one table serves a whole account's developing.
// `generals`: the owner's generals (any order), or null for a scan of every general.
std::vector<int> provincePoliticsTable(const WorldState& w, int owner, const std::vector<int>* generals = nullptr);

// Develops one castle and returns its new value. With `preview` the value is only computed with
// the random factor at its middle (no draw, no change). Otherwise the first draw scales the gain,
// the value grows (never past its ceiling, never lowered) and, for land and markets, a second draw
// sets the support gain (support stays within 0..1000). Nobody is charged here.
int developCastle(Game& game, Development kind, int castle, bool preview);
// The same with P already known (provincePolitics of the castle).
int developCastleWithPolitics(Game& game, Development kind, int castle, bool preview, int politics);

// The refusal before the window opens for the shown province, or empty: no province, the farming
// season (land only, months 3 to 8), then the head-province rule.
std::string checkDevelopmentCommand(const WorldState& w, Development kind, int province);

// The castles the window lists, in castle order: the house's own castles of the province without
// besiegers whose value is below its ceiling and not above its snapshot value.
std::vector<int> developmentCastles(const WorldState& w, Development kind, int house, int province);

// The answer to the execute button for `ticked` castles: a refusal, or the OK/Cancel question.
struct DevelopmentCheck {
    bool confirm = false; // true: `message` is the question; false: a refusal
    std::string message;  // UTF-8
    int cost = 0;
};
DevelopmentCheck checkDevelopmentOrder(const WorldState& w, Development kind, int house, int ticked);

// Develops each castle in the given order, charging the price for each to the house (corps -1) or
// the corps. Returns the new value of every castle in the same order.
std::vector<int> runDevelopment(Game& game, Development kind, int house, int corps,
                                const std::vector<int>& castles);

} // namespace vh
