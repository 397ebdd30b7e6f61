// What the information dialogs show, as plain rules: the castle parts a siege has taken, a general's
// position and action marks, every house's figures, and who appears in a house's general lists.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

// "宿敵" .. "連合盟主" for relation kinds 0..10; "" outside.
const char* relationName(int kind);
// "通常", "捕虜", "人質", "客将" for statuses 0..3; "" outside.
const char* statusName(int status);
// Tenths as "%3d.%d%%" (popular support).
std::string percentTenthsText(int tenths);
// Yield as "%d万%04d石" for sums that may pass the 32-bit range.
std::string kokuSumText(long long koku);

// ---- castles ------------------------------------------------------------------------------------
inline constexpr int kCastlePartCount = 10;
// "本丸", "二の丸", ... "東出丸" for parts 0..9.
const char* castlePartName(int part);
// How many parts a castle of this size shows (0..10).
int castlePartsShown(int size);
// A part's state under siege progress S: "%d%%" (0 when not reached) until it falls, then "陥落".
// The outermost part shown counts first; each inner part starts when the one outside has fallen.
std::string castlePartText(int siegeProgress, int size, int part);
// Ships of a castle at sea (the ten voyage slots) and waiting in port (the rest, never negative).
int shipsAtSea(const Castle& c);
int shipsInPort(const Castle& c);

// ---- generals -----------------------------------------------------------------------------------
// Age this year, or -1 when the birth year is unknown.
int generalAge(const WorldState& w, const General& g);
// "不詳" when unknown; for a hostage the age followed by "(?)" instead (hostage style).
std::string ageText(const WorldState& w, const General& g, bool hostageStyle = false);
// The 地位 column: "当主", "%s 客将" (his house's commanding house), "軍団長", "%s 軍団" (the leader),
// or "".
std::string positionText(const WorldState& w, int general);
// The 行動 column: "移動中", "出陣", "済" or "".
const char* actionText(const General& g);
// Whether a castle information list shows the 行動 column: the castle is on the player's side and
// the phase is armament, diplomacy, domestic or sortie (garrison) or diplomacy only (besiegers).
bool showsActionColumn(const WorldState& w, int castle, bool besiegers);

// The upper list of "武将一覧" for house H: ordinary and guest generals of H; with `withVassals`
// also everyone whose commanding house is H, without it only the guests among those. Table order.
std::vector<int> houseGeneralList(const WorldState& w, int house, bool withVassals);
// The lower list: prisoners and hostages H keeps.
std::vector<int> heldCaptives(const WorldState& w, int house);

// ---- houses -------------------------------------------------------------------------------------
struct HouseFigures {
    int castles = 0;
    long long koku = 0;            // its own castles
    long long kokuWithVassals = 0; // castles whose owner has it as commanding house; own for a 臣従 house
    long long town = 0;
    long long mines = 0;
    int generals = 0;
    long long cavalry = 0, foot = 0, guns = 0; // × HeiUnit
    long long garrison = 0;                    // × HeiUnit
    int shipsInPort = 0, shipsAtSea = 0;
};
// Figures of every house (houseCount entries), in one pass over castles and generals.
std::vector<HouseFigures> houseFigures(const WorldState& w);
// "%sに従属" or "%sに臣従" with the lord's name, "" for an independent house (UTF-8).
std::string lordLineText(const WorldState& w, int house);

} // namespace vh
