// Save file image: blocks 1..60 in file order, little-endian. The reader mirrors the writer line
// for line; counts are checked before any array is read, and the file must end exactly where
// the last block does.
#include "game/save_game.h"

#include "world/map_file.h"
#include "world/record_codec.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace vh {
namespace {

template <class R> void putRecord(ByteSink& out, const R& r) { out.append(recordImage(r).data(), R::kBytes); }

template <class R> void putRecords(ByteSink& out, const std::vector<R>& table, int count) {
    for (int i = 0; i < count; ++i) putRecord(out, table[i]);
}

template <class R> void getRecords(ByteCursor& in, std::vector<R>& table, int count) {
    for (int i = 0; i < count; ++i) {
        const uint8_t* p = in.span(R::kBytes);
        if (!p) return;
        decodeRecord(table[i], p);
    }
}

// Bytes that blocks 33..60 take for the given counts.
uint64_t tailBytes(int provinces, int gunMarkets, int scenarioHouses, int castles, int generals, int waiting,
                   int tradePartners, int coalitions, int scenarioGenerals, int houses) {
    return uint64_t{34} * provinces + uint64_t{590} * gunMarkets + 32 + 32 + 4 + uint64_t{32} * scenarioHouses +
           uint64_t{56} * castles + uint64_t{74} * generals + uint64_t{318} * castles + uint64_t{74} * waiting +
           uint64_t{318} * castles + uint64_t{1530} * tradePartners + uint64_t{92} * coalitions +
           uint64_t{44} * scenarioGenerals + uint64_t{1128} * houses + uint64_t{26} * kMaxCorps + 4 * 6 + 16 +
           4 * kMaxHouses + kMaxHouses + 1 + 4 + kProvinceSlots;
}

bool inRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Bytes of blocks 3..12, between the map and the counts.
constexpr size_t kFixedBlockBytes = 6000 + 600 + 1 + 101 + 101 + 2 + 4 + 4 + 10000 + 20;

// Steps over the map and checks the counts against the capacities and the file's exact length,
// so a file refused there costs neither a decoded map nor a world.
bool countsFit(const uint8_t* data, size_t size) {
    ByteCursor in(data + kSaveHeaderBytes, size - kSaveHeaderBytes);
    int provinces = 0;
    if (skipMapBody(in, 200, provinces) != kMapOk || !in.span(kFixedBlockBytes)) return false;
    int32_t c[7];
    for (int32_t& v : c) v = in.get<int32_t>();
    if (!in.span(4 + 4 + 1 + 4 + 4 + 1)) return false;
    const int32_t coalitions = in.get<int32_t>();
    const int32_t gunMarkets = in.get<int32_t>();
    if (!in.span(4 + 1 + 4 + 4 + 4) || in.failed()) return false;
    const auto [scenarioHouses, houses, scenarioGenerals, castles, generals, waiting, partners] = c;
    if (!inRange(scenarioHouses, 0, kMaxHouses) || !inRange(houses, 0, kMaxHouses) ||
        !inRange(scenarioGenerals, 0, kMaxGenerals) || !inRange(castles, 0, kMaxCastles) ||
        !inRange(generals, 0, kMaxGenerals) || !inRange(waiting, 0, kMaxGenerals) ||
        !inRange(partners, 1, kMaxTradePartners) || !inRange(coalitions, 0, kMaxCoalitions) ||
        !inRange(gunMarkets, 0, kMaxGunMarkets))
        return false;
    return in.remaining() == tailBytes(provinces, gunMarkets, scenarioHouses, castles, generals, waiting,
                                       partners, coalitions, scenarioGenerals, houses);
}

} // namespace

std::string saveResultMessage(int code) {
    switch (code) {
    case kSaveOk: return {};
    case kSaveWrongHeader: return "このファイルはセーブデータでないか、またはバージョンが異なります";
    default: return "File error";
    }
}

std::vector<uint8_t> saveImage(const WorldState& w) {
    ByteSink out;
    const ScenarioSettings& s = w.settings;
    uint8_t header[kSaveHeaderBytes] = {};
    std::memcpy(header, kSaveMagic, sizeof kSaveMagic - 1);
    out.append(header, sizeof header);                                     // 1
    writeMap(w.map, out);                                                  // 2
    for (const auto& months : w.snowChance) out.append(months.data(), 12); // 3
    for (const auto& months : w.rainChance) out.append(months.data(), 12); // 4
    out.put<uint8_t>(w.spectator ? 1 : 0);                                 // 5
    out.append(s.title, sizeof s.title);                                   // 6
    out.append(s.endingText, sizeof s.endingText);                         // 7
    out.put<int16_t>(s.language);                                          // 8
    out.put<int32_t>(s.heiUnit);                                           // 9
    out.put<int32_t>(s.shiroDotSize);                                      // 10
    putRecords(out, w.viewAreas, kProvinceSlots);                          // 11
    out.put<int32_t>(s.mainMapKakudai.enabled);                            // 12
    out.put<int32_t>(s.mainMapKakudai.x0);
    out.put<int32_t>(s.mainMapKakudai.y0);
    out.put<int32_t>(s.mainMapKakudai.x1);
    out.put<int32_t>(s.mainMapKakudai.y1);
    out.put<int32_t>(w.scenarioHouseCount);   // 13
    out.put<int32_t>(w.houseCount);           // 14
    out.put<int32_t>(w.scenarioGeneralCount); // 15
    out.put<int32_t>(w.castleCount);          // 16
    out.put<int32_t>(w.generalCount);         // 17
    out.put<int32_t>(w.waitingCount);         // 18
    out.put<int32_t>(w.tradePartnerCount);    // 19
    out.put<int32_t>(s.shiroHyourouMax);      // 20
    out.put<int32_t>(s.distanceLimit);        // 21
    out.put<uint8_t>(s.tekiJouTsuuka ? 1 : 0); // 22
    out.put<int32_t>(s.uchijiniKakuritsu);    // 23
    out.put<int32_t>(s.seppukuKakuritsu);     // 24
    out.put<uint8_t>(s.bushouHojuu ? 1 : 0);  // 25
    out.put<int32_t>(w.coalitionCount);       // 26
    out.put<int32_t>(w.gunMarketCount);       // 27
    out.put<int32_t>(s.kishuu ? 1 : 0);       // 28
    out.put<uint8_t>(s.keiryaku ? 1 : 0);     // 29
    out.put<int32_t>(s.juuzokuJoukenHosei);   // 30
    out.put<int32_t>(s.shinjuuJoukenHosei);   // 31
    out.put<int32_t>(s.dokuritsuJoukenHosei); // 32
    putRecords(out, w.gunProduction, w.provinceCount()); // 33
    putRecords(out, w.gunMarkets, w.gunMarketCount);     // 34
    for (double v : s.teppouCost) out.put(v);            // 35
    out.put(s.teppouCostCurrent);
    for (double v : s.teppouSoubiRitsu) out.put(v); // 36
    out.put(s.teppouSoubiRitsuCurrent);
    out.append(s.teppouKouka, sizeof s.teppouKouka);               // 37
    putRecords(out, w.scenarioHouses, w.scenarioHouseCount);       // 38
    putRecords(out, w.castleSites, w.castleCount);                 // 39
    putRecords(out, w.generals, w.generalCount);                   // 40
    putRecords(out, w.castles, w.castleCount);                     // 41
    putRecords(out, w.waitingGenerals, w.waitingCount);            // 42
    putRecords(out, w.castleSnapshot, w.castleCount);              // 43
    putRecords(out, w.tradePartners, w.tradePartnerCount);         // 44
    putRecords(out, w.coalitions, w.coalitionCount);               // 45
    putRecords(out, w.scenarioGenerals, w.scenarioGeneralCount);   // 46
    putRecords(out, w.houses, w.houseCount);                       // 47
    for (const Corps& c : w.corps) putRecord(out, c);              // 48
    out.put<int32_t>(s.startYear);                                 // 49
    out.put<int32_t>(s.startMonth);                                // 50
    out.put<int32_t>(w.date.year);                                 // 51
    out.put<int32_t>(w.date.month);                                // 52
    out.put<int32_t>(w.phase);                                     // 53
    out.put<int32_t>(w.playerHouse);                               // 54
    for (int32_t v : w.recruitPools) out.put(v);                   // 55
    for (int32_t v : w.houseOrder) out.put(v);                     // 56
    out.append(w.diplomacyTurnFlags.data(), w.diplomacyTurnFlags.size()); // 57
    out.put<uint8_t>(w.diplomacyMark);                             // 58
    out.put<int32_t>(w.playerPosition);                            // 59
    out.append(w.weatherFlags.data(), w.weatherFlags.size());      // 60
    return std::move(out.out);
}

int parseSaveImage(const uint8_t* data, size_t size, WorldState& out) {
    SaveLoader loader;
    const int code = loader.load(data, size);
    if (code == kSaveOk) loader.moveTo(out);
    return code;
}

SaveLoader::SaveLoader() = default;
SaveLoader::~SaveLoader() = default;

void SaveLoader::reset() {
    if (!world_) {
        world_ = std::make_unique<WorldState>();
        written_ = {};
        return;
    }
    // The tables the loader fills up to a count, as far as earlier loads filled them. Every other
    // part a load writes (the map, the settings read, the per-province and per-region tables, the
    // corps, the turn arrays, the first trade partner) is written whole before a load can succeed,
    // and the rest of the world no load touches.
    WorldState& w = *world_;
    const auto clear = [](auto& table, int count) {
        using Record = typename std::decay_t<decltype(table)>::value_type;
        std::fill_n(table.begin(), count, Record{});
    };
    clear(w.scenarioHouses, written_.scenarioHouses);
    clear(w.houses, written_.houses);
    clear(w.scenarioGenerals, written_.scenarioGenerals);
    clear(w.castleSites, written_.castles);
    clear(w.castles, written_.castles);
    clear(w.castleSnapshot, written_.castles);
    clear(w.generals, written_.generals);
    clear(w.waitingGenerals, written_.waiting);
    clear(w.tradePartners, written_.tradePartners);
    clear(w.coalitions, written_.coalitions);
    clear(w.gunMarkets, written_.gunMarkets);
    clear(w.gunProduction, written_.gunProduction);
    written_ = {};
}

void SaveLoader::moveTo(WorldState& out) {
    out = std::move(*world_);
    world_.reset();
}

int SaveLoader::load(const uint8_t* data, size_t size) {
    if (size < static_cast<size_t>(kSaveHeaderBytes)) return kSaveWrongHeader;
    uint8_t expected[kSaveHeaderBytes] = {};
    std::memcpy(expected, kSaveMagic, sizeof kSaveMagic - 1);
    if (std::memcmp(data, expected, kSaveHeaderBytes) != 0) return kSaveWrongHeader;
    if (!countsFit(data, size)) return kSaveBadContent;

    reset();
    WorldState& w = *world_;
    ScenarioSettings& s = w.settings;
    ByteCursor in(data + kSaveHeaderBytes, size - kSaveHeaderBytes);
    if (readMapBody(in, 200, w.map) != kMapOk) return kSaveBadContent; // 2
    for (auto& months : w.snowChance) in.take(months.data(), 12);     // 3
    for (auto& months : w.rainChance) in.take(months.data(), 12);     // 4
    w.spectator = in.get<uint8_t>() != 0;                              // 5
    in.take(s.title, sizeof s.title);                                  // 6
    in.take(s.endingText, sizeof s.endingText);                        // 7
    s.language = in.get<int16_t>();                                    // 8
    s.heiUnit = in.get<int32_t>();                                     // 9
    s.shiroDotSize = in.get<int32_t>();                                // 10
    if (in.remaining() < size_t{ProvinceViewArea::kBytes} * kProvinceSlots) return kSaveBadContent;
    getRecords(in, w.viewAreas, kProvinceSlots); // 11
    s.mainMapKakudai.enabled = in.get<int32_t>(); // 12
    s.mainMapKakudai.x0 = in.get<int32_t>();
    s.mainMapKakudai.y0 = in.get<int32_t>();
    s.mainMapKakudai.x1 = in.get<int32_t>();
    s.mainMapKakudai.y1 = in.get<int32_t>();
    w.scenarioHouseCount = in.get<int32_t>();   // 13
    w.houseCount = in.get<int32_t>();           // 14
    w.scenarioGeneralCount = in.get<int32_t>(); // 15
    w.castleCount = in.get<int32_t>();          // 16
    w.generalCount = in.get<int32_t>();         // 17
    w.waitingCount = in.get<int32_t>();         // 18
    w.tradePartnerCount = in.get<int32_t>();    // 19
    s.shiroHyourouMax = in.get<int32_t>();      // 20
    s.distanceLimit = in.get<int32_t>();        // 21
    s.tekiJouTsuuka = in.get<uint8_t>() != 0;   // 22
    s.uchijiniKakuritsu = in.get<int32_t>();    // 23
    s.seppukuKakuritsu = in.get<int32_t>();     // 24
    s.bushouHojuu = in.get<uint8_t>() != 0;     // 25
    w.coalitionCount = in.get<int32_t>();       // 26
    w.gunMarketCount = in.get<int32_t>();       // 27
    s.kishuu = in.get<int32_t>() != 0;          // 28
    s.keiryaku = in.get<uint8_t>() != 0;        // 29
    s.juuzokuJoukenHosei = in.get<int32_t>();   // 30
    s.shinjuuJoukenHosei = in.get<int32_t>();   // 31
    s.dokuritsuJoukenHosei = in.get<int32_t>(); // 32
    if (in.failed()) return kSaveBadContent;

    // Every count within its table, and the rest of the file exactly as long as they say.
    if (!inRange(w.scenarioHouseCount, 0, kMaxHouses) || !inRange(w.houseCount, 0, kMaxHouses) ||
        !inRange(w.scenarioGeneralCount, 0, kMaxGenerals) || !inRange(w.castleCount, 0, kMaxCastles) ||
        !inRange(w.generalCount, 0, kMaxGenerals) || !inRange(w.waitingCount, 0, kMaxGenerals) ||
        !inRange(w.tradePartnerCount, 1, kMaxTradePartners) || !inRange(w.coalitionCount, 0, kMaxCoalitions) ||
        !inRange(w.gunMarketCount, 0, kMaxGunMarkets))
        return kSaveBadContent;
    if (in.remaining() != tailBytes(w.provinceCount(), w.gunMarketCount, w.scenarioHouseCount, w.castleCount,
                                    w.generalCount, w.waitingCount, w.tradePartnerCount, w.coalitionCount,
                                    w.scenarioGeneralCount, w.houseCount))
        return kSaveBadContent;
    written_ = {w.scenarioHouseCount, w.houseCount, w.scenarioGeneralCount, w.castleCount, w.generalCount,
                w.waitingCount, w.tradePartnerCount, w.coalitionCount, w.gunMarketCount, w.provinceCount()};

    getRecords(in, w.gunProduction, w.provinceCount()); // 33
    getRecords(in, w.gunMarkets, w.gunMarketCount);     // 34
    for (double& v : s.teppouCost) v = in.get<double>(); // 35
    s.teppouCostCurrent = in.get<double>();
    for (double& v : s.teppouSoubiRitsu) v = in.get<double>(); // 36
    s.teppouSoubiRitsuCurrent = in.get<double>();
    in.take(s.teppouKouka, sizeof s.teppouKouka);               // 37
    getRecords(in, w.scenarioHouses, w.scenarioHouseCount);     // 38
    getRecords(in, w.castleSites, w.castleCount);               // 39
    getRecords(in, w.generals, w.generalCount);                 // 40
    getRecords(in, w.castles, w.castleCount);                   // 41
    getRecords(in, w.waitingGenerals, w.waitingCount);          // 42
    getRecords(in, w.castleSnapshot, w.castleCount);            // 43
    getRecords(in, w.tradePartners, w.tradePartnerCount);       // 44
    getRecords(in, w.coalitions, w.coalitionCount);             // 45
    getRecords(in, w.scenarioGenerals, w.scenarioGeneralCount); // 46
    // Slots past the saved house count stay empty (head -1), as in a fresh world.
    getRecords(in, w.houses, w.houseCount); // 47
    for (Corps& c : w.corps) decodeRecord(c, in.span(Corps::kBytes)); // 48
    s.startYear = in.get<int32_t>();                                  // 49
    s.startMonth = in.get<int32_t>();                                 // 50
    w.date.year = in.get<int32_t>();                                  // 51
    w.date.month = in.get<int32_t>();                                 // 52
    w.phase = in.get<int32_t>();                                      // 53
    w.playerHouse = in.get<int32_t>();                                // 54
    for (int32_t& v : w.recruitPools) v = in.get<int32_t>();          // 55
    for (int32_t& v : w.houseOrder) v = in.get<int32_t>();            // 56
    in.take(w.diplomacyTurnFlags.data(), w.diplomacyTurnFlags.size()); // 57
    w.diplomacyMark = in.get<uint8_t>();                              // 58
    w.playerPosition = in.get<int32_t>();                             // 59
    in.take(w.weatherFlags.data(), w.weatherFlags.size());            // 60
    if (in.failed() || in.remaining() != 0) return kSaveBadContent;
    if (!saveIndicesValid(w)) return kSaveBadContent;
    return kSaveOk;
}

int writeSaveFile(const std::string& path, const WorldState& w) {
    const std::vector<uint8_t> image = saveImage(w);
    const std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) return kSaveFileError;
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        f.flush();
        if (!f) {
            f.close();
            std::remove(tmp.c_str());
            return kSaveFileError;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return kSaveFileError;
    }
    return kSaveOk;
}

int readSaveFile(const std::string& path, WorldState& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return kSaveFileError;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return kSaveFileError;
    return parseSaveImage(bytes.data(), bytes.size(), out);
}

int saveGame(Game& game, const std::string& path) {
    const int code = writeSaveFile(path, game.world);
    if (code != kSaveOk) game.show(saveResultMessage(code));
    return code;
}

int loadGame(Game& game, const std::string& path) {
    const int code = readSaveFile(path, game.world);
    if (code != kSaveOk) {
        game.show(saveResultMessage(code));
        return code;
    }
    // No diplomacy figure is derived again here: computer diplomacy keeps no figure of its own.
    game.quietMode = false;
    game.gameOver = false;
    game.benchmark = false;
    game.diplomacyLog.clear();
    game.battleReport.clear();
    if (game.frontend) {
        game.frontend->worldReplaced();
        game.frontend->phaseStarted(game.world.phase);
        game.frontend->playOrdinaryMusic();
        game.frontend->playerTurn();
    }
    return kSaveOk;
}

uint64_t fnv1a64(const uint8_t* data, size_t size) {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

uint64_t worldDigest(const WorldState& w) {
    const std::vector<uint8_t> image = saveImage(w);
    return fnv1a64(image.data(), image.size());
}

} // namespace vh
