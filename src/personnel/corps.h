// The player's corps: forming them, moving generals in and out, their orders and responsible
// provinces, their fief castles, and moving money and guns between the house and a corps.
// Every operation returns its refusal message (UTF-8), empty when it was carried out.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

inline constexpr int16_t kCorpsFiefOnConquest = 0x100; // 侵攻地軍団所領化
inline constexpr uint8_t kNoProvince = 0xFF;

// A general of the player's side: his house's commanding house is the player's house.
bool onPlayerSide(const WorldState& w, int general);
// The player's corps slots in use whose leader is on the player's side, in slot order.
std::vector<int> playerCorps(const WorldState& w);

// 軍団長に任命: the lowest free slot gets `general` as leader, no money, no guns, orders 待機.
std::string appointCorpsLeader(WorldState& w, int general);
// 軍団に編入: the generals join `corps` (-1: none selected). A house head of the player's house is
// skipped with its own message; every message is returned in order.
std::vector<std::string> assignToCorps(WorldState& w, int corps, const std::vector<int>& generals);
// 大名直属に戻す: true when the leader is among `generals`, so the corps would be dissolved
// (asked first with kDissolveQuestion).
bool returnDissolvesCorps(const WorldState& w, int corps, const std::vector<int>& generals);
inline constexpr const char* kDissolveQuestion =
    "軍団を解体します\n\n（軍団資金は大名資金に統合されます）\n（軍団所領の城は大名直轄に戻されます）";
// The generals return to the house's direct command, or the corps is dissolved when its leader
// is among them.
void returnToDirectRule(WorldState& w, int corps, const std::vector<int>& generals);

// 行動指示 and 侵攻地軍団所領化, written at once.
int corpsAction(const Corps& c);
void setCorpsAction(WorldState& w, int corps, int action);
void setCorpsFiefOnConquest(WorldState& w, int corps, bool on);

// Some castle of one province has a castle route to a castle of the other.
bool provincesRouteAdjacent(const WorldState& w, int a, int b);
// A click on province `province` with `corps` selected: a responsible province is cleared (and
// the rest pruned to those still joined by routes), another one added when it may be.
std::string toggleResponsibleProvince(WorldState& w, int corps, int province);

// A click on castle `castle` in the fief dialog: a direct castle of the player's house joins the
// corps' fief (its leader becomes lord), one of this corps goes back (the head becomes lord).
// False when the castle did not react.
bool toggleFiefCastle(WorldState& w, int corps, int castle);

// 軍団資産 (corps -1: none selected). Amounts as entered; guns in men, not units.
std::string giveCorpsFunds(WorldState& w, int corps, int amount);
std::string takeCorpsFunds(WorldState& w, int corps, int amount);
std::string giveCorpsGuns(WorldState& w, int corps, int amount);

} // namespace vh
