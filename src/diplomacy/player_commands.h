// The player's diplomacy commands of the 外交 phase as plain rules: each command's precondition,
// the envoy and house choices the window offers, the checks on the chosen house with their
// questions and confirmation, and the command's operation with its outcome messages.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

struct Game;

enum class DiplomacyCommand {
    NonAggression,       // 不戦同盟交渉
    DemandSubordination, // 従属要求
    DemandSubmission,    // 臣従要求
    BreakRelation,       // 外交関係破棄
    Independence,        // 独立
    ChangeLord,          // 主家鞍替
    ApplySubordination,  // 従属志願
    ApplySubmission,     // 臣従志願
    Coalition,           // 連合結成 (shown, not available)
    PrisonerExchange,    // 捕虜交換: only its house choice (the partner); the exchange is personnel's
};

// The button caption.
const char* diplomacyCommandCaption(DiplomacyCommand command);

// The refusal that ends the command before any window opens; empty when it may go on.
std::string checkDiplomacyCommand(const WorldState& w, DiplomacyCommand command);

// ---- envoy choice (不戦同盟交渉, 従属要求, 臣従要求) ----
bool commandNeedsEnvoy(DiplomacyCommand command);
inline constexpr const char* kEnvoyWindowTitle = "同盟交渉";
inline constexpr const char* kEnvoyCastlePrompt = "派遣使者のいる城は？";
inline constexpr const char* kEnvoyGeneralPrompt = "派遣する武将を指定";
inline constexpr const char* kEnvoyMissing = "同盟交渉する武将を指定して下さい";
// A castle the envoy may leave from: one whose effective owner is the player's house.
bool isEnvoyCastle(const WorldState& w, int castle);
struct EnvoyRow {
    int general = -1;
    std::string name; // UTF-8
    std::string rank; // "当主" for the house head, else empty
};
// The generals stationed in the castle who have not acted this month.
std::vector<EnvoyRow> envoyCandidates(const WorldState& w, int castle);

// ---- house choice ----
const char* houseChoiceTitle(DiplomacyCommand command);
const char* houseChoicePrompt(DiplomacyCommand command);
// The refusal for a province without castles ("このシナリオでは、%sのデータはありません"); empty
// when the province has castles.
std::string provinceChoiceRefusal(const WorldState& w, int province);
struct HouseChoiceRow {
    int house = -1;
    std::string name;     // 大名家
    int castles = 0;      // 城数: every castle of the house
    int koku = 0;         // 石高: all its koku
    std::string kokuText; // "%d万%04d石"
};
// The houses owning a castle in the province, in the order their castles come.
std::vector<HouseChoiceRow> houseChoiceRows(const WorldState& w, int province);

// The checks on the chosen house, in order. AskRetarget carries a はい/いいえ question and the
// lord to try instead (はい: check that house from the start); NoFunds leaves the choice open.
struct TargetCheck {
    enum Result { Refuse, AskRetarget, NoFunds, Confirm };
    Result result = Refuse;
    std::string message; // refusal, question or the OK/Cancel confirmation (UTF-8)
    int house = -1;      // the house checked, or the lord to retarget to
    int cost = 0;        // 不戦同盟交渉: what success costs
};
TargetCheck checkDiplomacyTarget(const WorldState& w, DiplomacyCommand command, int house);

// 独立: the Yes/No question "%sから独立しますか？" with the lord's name.
std::string independenceQuestion(const WorldState& w);

// ---- the operation ----
inline constexpr const char* kVassalWindowTitle = "臣従化成功";
inline constexpr const char* kVassalNoteMoves = "臣従大名の城には、当家の城と同様に移動が可能になります";
inline constexpr const char* kVassalNoteOrders =
    "臣従大名の当主・武将には、移動・外交使者派遣・出陣の指示が可能になります";
struct DiplomacyOutcome {
    bool success = false;
    std::vector<std::string> messages; // to show in order (UTF-8)
    bool vassalWindow = false;         // show messages[0] in the 臣従化成功 window with its notes
};
// Runs a confirmed command against `house` (独立 ignores it and leaves the lord) with `envoy`
// the general sent (-1 for commands without one). The chosen house is marked as negotiated this
// turn whatever the answer; the envoy is marked as having acted.
DiplomacyOutcome runDiplomacyCommand(Game& game, DiplomacyCommand command, int house, int envoy = -1);

} // namespace vh
