// WorldState: every table of the game at its fixed capacity, the counts, the calendar and the flags.
#pragma once

#include "world/map_data.h"
#include "world/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vh {

inline constexpr int kMaxHouses = 1000;
inline constexpr int kMaxCastles = 2000;
inline constexpr int kMaxGenerals = 5000;
inline constexpr int kMaxCorps = 100;
inline constexpr int kMaxProvinces = 499; // a map with 500 is refused
inline constexpr int kProvinceSlots = 500;
inline constexpr int kMaxRegions = 50;
inline constexpr int kMaxRelationEntries = 2000;
inline constexpr int kMaxTradePartners = 50;
inline constexpr int kMaxGunMarkets = 10;
inline constexpr int kMaxCoalitions = 1000;
inline constexpr int kUnreachable = 32767;

enum Phase : int {
    kPhaseEvent = 0,
    kPhasePersonnel = 1,
    kPhaseArmament = 2,
    kPhaseDiplomacy = 3,
    kPhaseDomestic = 4,
    kPhaseStrategy = 5,
    kPhaseSortie = 6,
};

struct GameDate {
    int32_t year = 1550;
    int32_t month = 4;
};

struct MainMapZoom {
    int32_t enabled = 0;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0; // x1, y1 stored plus one
};

struct ScenarioSettings {
    int32_t startYear = 1550;
    int32_t startMonth = 4;
    int32_t heiUnit = 10;
    int32_t shiroDotSize = 3;
    int32_t shiroHyourouMax = 2000;
    int32_t distanceLimit = 15;
    int32_t uchijiniKakuritsu = 5;
    int32_t seppukuKakuritsu = 5;
    int32_t juuzokuJoukenHosei = 5;
    int32_t shinjuuJoukenHosei = 5;
    int32_t dokuritsuJoukenHosei = 5;
    bool bushouHojuu = true;
    bool kishuu = true;
    bool keiryaku = true;
    bool tekiJouTsuuka = true;
    int16_t language = 0; // 0 Japanese (CP932), 1 Simplified Chinese (GB2312)
    char title[101] = {};
    char endingText[101] = {};
    std::string openingText;
    MainMapZoom mainMapKakudai;
    double teppouCost[3] = {300.0, 1.0, 50.0};     // initial value, monthly decrease, lower bound
    double teppouSoubiRitsu[3] = {0.0, 0.1, 50.0}; // initial value, monthly increase, upper bound
    double teppouCostCurrent = 300.0;
    double teppouSoubiRitsuCurrent = 0.0;
    uint8_t teppouKouka[4] = {10, 10, 10, 10};
    int32_t scenarioVer = 1;
    std::string mapFile;
};

struct WorldState {
    WorldState();

    // Scenario entries, kept for the whole game.
    std::vector<ScenarioHouse> scenarioHouses;
    int scenarioHouseCount = 0;
    std::vector<ScenarioGeneral> scenarioGenerals;
    int scenarioGeneralCount = 0;
    std::vector<RelationEntry> relationEntries;
    int relationEntryCount = 0;

    // Live tables.
    std::vector<DaimyoHouse> houses;
    int houseCount = 0;
    std::vector<CastleSite> castleSites;
    std::vector<Castle> castles;
    std::vector<Castle> castleSnapshot;
    int castleCount = 0;
    std::vector<General> generals;
    int generalCount = 0;
    std::vector<General> waitingGenerals;
    int waitingCount = 0;
    std::array<Corps, kMaxCorps> corps{};
    std::vector<ProvinceViewArea> viewAreas;
    std::vector<ProvinceGunProduction> gunProduction;
    std::vector<std::array<uint8_t, 12>> snowChance; // per province, month 1 first
    std::vector<std::array<uint8_t, 12>> rainChance; // per region
    std::array<uint8_t, kProvinceSlots> weatherFlags{}; // bit 0 heavy snow, bit 1 heavy rain
    std::array<uint8_t, kProvinceSlots> provinceFlags{};
    std::vector<TradePartner> tradePartners;
    int tradePartnerCount = 1;
    std::vector<GunMarket> gunMarkets;
    int gunMarketCount = 0;
    std::vector<Coalition> coalitions;
    int coalitionCount = 0;

    MapData map;
    ScenarioSettings settings;

    // Calendar and the month's turn state.
    GameDate date;
    int32_t phase = kPhaseEvent;
    int32_t playerHouse = -1;
    std::array<int32_t, kMaxHouses> houseOrder{};
    bool spectator = false;
    bool watchAnswered = false;
    int32_t playerPosition = 0;
    std::array<uint8_t, kMaxHouses> diplomacyTurnFlags{};
    uint8_t diplomacyMark = 0;
    int32_t recruitPools[4] = {};

    int provinceCount() const { return map.provinceCount(); }
    int regionCount() const { return map.regionCount(); }
};

// A house exists while it has a head.
inline bool houseAlive(const WorldState& w, int house) {
    return house >= 0 && house < w.houseCount && w.houses[house].head != -1;
}

inline int relationKind(const DaimyoHouse& h, int other) { return h.relations[other] & 0x0F; }
inline int relationCounter(const DaimyoHouse& h, int other) { return h.relations[other] >> 4; }
inline void setRelationKind(DaimyoHouse& h, int other, int kind) {
    h.relations[other] = static_cast<uint8_t>((h.relations[other] & 0xF0) | (kind & 0x0F));
}
inline void setRelationCounter(DaimyoHouse& h, int other, int counter) {
    h.relations[other] = static_cast<uint8_t>((h.relations[other] & 0x0F) | ((counter & 0x0F) << 4));
}

// Each house's power figure: 5 per castle it owns, plus 1 per castle of a house submitted to it.
std::vector<int> housePowerFigures(const WorldState& w);

// Number of filled route slots of a castle (the list ends at the first -1).
int routeCount(const CastleSite& site);

} // namespace vh
