// What the month's accounts and events show to or ask of the player, as plain data for the
// Frontend: the harvest choice, the accounts report, the trade-ship return, weather and ronin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

// The harvest outcome of a province: +1 good (豊作), 0 normal (通常), -1 poor (不作).
enum HarvestOutcome : int8_t { kHarvestPoor = -1, kHarvestNormal = 0, kHarvestGood = 1 };

inline constexpr int kTaxChoices = 9;
inline constexpr int kStandardTaxIndex = 4;

// The harvest dialog (収穫): the outcome of every province; the answer is a tax index 0..8.
struct HarvestRequest {
    std::vector<int8_t> outcomes; // per province, HarvestOutcome
};

struct IncomeBreakdown {
    int harvest = 0;
    int town = 0;
    int mine = 0;
    int ainuTrade = 0;
    int tradeShips = 0;
    int total = 0;
};

struct UpkeepBreakdown {
    int idleCavalry = 0;
    int idleFoot = 0;
    int sortieCavalry = 0;
    int sortieFoot = 0;
    int garrison = 0;
    int total = 0;
    bool leftOut = false; // besieged troops or garrisons were fed from castle stores
};

// One row of the 軍団収支 list.
struct CorpsAccountRow {
    std::string name; // "%s 軍団" with the leader's name (UTF-8)
    int income = 0;
    int upkeep = 0;
    int fundsAfter = 0;
};

// The accounts report (収支報告) of the player's house for the month.
struct AccountsReport {
    std::string houseName; // UTF-8
    bool harvestMonth = false;
    bool playerIsAinu = false; // the Ainu trade line reads "交易"
    IncomeBreakdown income;
    UpkeepBreakdown upkeep;
    int fundsBefore = 0;
    int fundsAfter = 0;
    std::vector<CorpsAccountRow> corps;
};

// A trade fleet came home (交易船帰港).
struct TradeShipReturn {
    std::string destination; // UTF-8
    std::string castle;      // UTF-8
    int ships = 0;
    int gain = 0;
    bool training = false; // a training voyage brings no money: the second line stays empty
    std::string firstLine() const;
    std::string secondLine() const;
};

// The event window (イベント) for heavy snow or heavy rain: the affected provinces on the map.
struct WeatherEvent {
    bool snow = false; // false: heavy rain
    std::vector<int> provinces;
    std::string heading() const; // "以下の地域に大雪が降りました" / "以下の地域に大雨が降りました"
    std::string footer() const;
};

// A masterless general asks the player's house to take him on (登用選択).
struct RoninRequest {
    std::string name; // UTF-8
    int age = 0;
    bool ageUnknown = false;
    int valor = 0;
    int politics = 0;
    int intellect = 0;
    std::string question() const; // "%sが当家を頼ってきました。家臣に登用しますか？"
};

} // namespace vh
