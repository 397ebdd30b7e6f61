// The figures the personnel dialogs list: the general rows with the shared columns and their
// sort rules, the corps rows, the prisoner and hostage rows, and the gates of the 人事 commands.
#pragma once

#include "world/world_state.h"

#include <string>
#include <vector>

namespace vh {

// One row of a general list (軍団編成, 客将招請). Texts UTF-8.
struct GeneralRow {
    int general = -1;
    std::string name, province, castle, house, rank; // rank: "当主", "軍団長", "客将" or empty
    int age = -1;                                    // -1: 不詳
    int cavalry = 0, foot = 0, guns = 0;             // men (units × HeiUnit)
    int valor = 0, politics = 0, intellect = 0;
};
enum GeneralColumn : int {
    kColName,
    kColProvince,
    kColCastle,
    kColHouse,
    kColRank,
    kColAge,
    kColCavalry,
    kColFoot,
    kColGuns,
    kColValor,
    kColPolitics,
    kColIntellect,
};
// `corpsRanks`: the rank column says "軍団長" for corps leaders (the corps-generals list).
GeneralRow generalRow(const WorldState& w, int general, bool corpsRanks);
// The direct generals of the player's side (corps -1), or those of `corps`.
std::vector<GeneralRow> directGeneralRows(const WorldState& w);
std::vector<GeneralRow> corpsGeneralRows(const WorldState& w, int corps);
// A header click: 名前 in general order with the player's own house first, 国 and 城 in castle
// order, 所属 in house order, 地位 heads first, 年齢 youngest first, numbers largest first.
void sortGeneralRows(const WorldState& w, std::vector<GeneralRow>& rows, int column);

struct CorpsRow {
    int corps = -1;
    std::string name;                      // "%s 軍団"
    int generals = 0, funds = 0, guns = 0; // guns in men
    int castles = 0, koku = 0;
    std::string kokuText, action, provinces;
};
std::vector<CorpsRow> corpsRows(const WorldState& w);
const char* corpsActionName(int action); // 待機, 侵攻, 内政, 侵攻・内政

// A prisoner or hostage row (捕虜処遇, 捕虜交換, 人質処遇).
struct HeldRow {
    int general = -1;
    std::string name, status, house; // house: the origin house
    bool head = false;               // he heads his origin house
    int age = -1;                    // -1: unknown
    int valor = 0, politics = 0, intellect = 0;
    bool willing = false; // canRecruit
};
HeldRow heldRow(const WorldState& w, int general);

// Gates of the 人事 commands: the refusal, or empty.
std::string checkTreatPrisoners(const WorldState& w); // "現在、当家には捕虜がいません"
std::string checkTreatHostages(const WorldState& w);  // "現在、当家には人質がいません"

// 捕虜交換's list captions: "%s が拘束中の %s 武将".
std::string exchangeListCaption(const WorldState& w, int holder, int origin);

} // namespace vh
