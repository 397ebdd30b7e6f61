// The reader's main loop: keywords, settings, the map a scenario needs, the cipher header and the
// hand-over of the finished world.
#include "scenario/scenario_reader.h"

#include "scenario/scenario_reader_impl.h"
#include "world/byte_io.h"
#include "world/map_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <type_traits>

namespace vh {
namespace {

int hexDigit(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

ScenarioReader::ScenarioReader(std::string_view text, std::string scenarioDir, std::string programDir,
                               WorldState& world)
    : tokens_(text), scenarioDir_(std::move(scenarioDir)), programDir_(std::move(programDir)), world_(world),
      castlesByProvince_(), routesRead_(), listedBy_() {}

int ScenarioReader::run() {
    for (;;) {
        next();
        if (end_ == kTokenFileEnd && tok_.empty()) break;
        if (int e = readKeyword()) {
            errorLine_ = tokens_.tokenLine();
            return settleCipher(e);
        }
    }
    if (int e = settleCipher(kScenarioOk)) return e;
    return finish();
}

// A damaged cipher text deciphers to garbage from the damaged character on, which usually trips
// some other check first. The checksum is the true diagnosis, so it is taken over the whole text.
int ScenarioReader::settleCipher(int code) {
    if (!tokens_.cipherMode()) return code;
    DecipherStream& c = tokens_.cipher();
    while (c.next() >= 0) {
    }
    if (cipherHeaderBad_ || c.state().sum != expectedSum_) return kErrCipherData;
    return code;
}

int ScenarioReader::readCipherHeader() {
    if (tokens_.cipherMode()) return kErrSyntax; // one cipher layer per file
    next();                                      // the cipher level name
    tokens_.startCipher();
    DecipherStream& c = tokens_.cipher();
    // The author's password and its blank: only the utility needs it.
    c.restart();
    for (size_t i = 0; i < kTokenCapacity; ++i) {
        const int b = c.next();
        if (b < 0 || b == ' ') break;
    }
    c.restart();
    uint32_t sum = 0;
    for (int i = 0; i < 8; ++i) {
        const int d = hexDigit(c.next());
        if (d < 0) cipherHeaderBad_ = true;
        sum = sum * 16 + static_cast<uint32_t>(d < 0 ? 0 : d);
    }
    expectedSum_ = sum;
    c.restart();
    return kScenarioOk;
}

int ScenarioReader::readKeyword() {
    const std::string k = tok_;
    ScenarioSettings& s = world_.settings;
    if (k == "Secret") {
        next();
        return kScenarioOk;
    }
    if (k == "Cipher") return readCipherHeader();
    if (k == "MapFile") {
        next();
        s.mapFile = tok_;
        return loadMapNamed(tok_);
    }
    if (k == "ScenarioVer") {
        if (int e = intSetting(s.scenarioVer)) return e;
        version_ = s.scenarioVer;
        return kScenarioOk;
    }
    if (k == "Title") return textSetting(s.title, kErrTitleTooLong);
    if (k == "Ending") return textSetting(s.endingText, kErrEndingTooLong);
    if (k == "StartYear") return intSetting(s.startYear);
    if (k == "StartMonth") {
        if (int e = intSetting(s.startMonth)) return e;
        // Month tables are indexed by it; a month outside the year is refused.
        return s.startMonth >= 1 && s.startMonth <= 12 ? kScenarioOk : kErrSyntax;
    }
    if (k == "HeiUnit") {
        if (int e = intSetting(s.heiUnit)) return e;
        // Soldier counts are divided by it.
        return s.heiUnit >= 1 ? kScenarioOk : kErrSyntax;
    }
    if (k == "ShiroDotSize") return intSetting(s.shiroDotSize);
    if (k == "ShiroHyourouMax") return intSetting(s.shiroHyourouMax);
    if (k == "DistanceLimit") return intSetting(s.distanceLimit);
    if (k == "UchijiniKakuritsu") return intSetting(s.uchijiniKakuritsu);
    if (k == "SeppukuKakuritsu") return intSetting(s.seppukuKakuritsu);
    if (k == "JuuzokuJoukenHosei") return intSetting(s.juuzokuJoukenHosei);
    if (k == "ShinjuuJoukenHosei") return intSetting(s.shinjuuJoukenHosei);
    if (k == "DokuritsuJoukenHosei") return intSetting(s.dokuritsuJoukenHosei);
    if (k == "BushouHojuu") return yesNo(s.bushouHojuu);
    if (k == "Kishuu") return yesNo(s.kishuu);
    if (k == "Keiryaku") return yesNo(s.keiryaku);
    if (k == "TekiJouTsuuka") return yesNo(s.tekiJouTsuuka);
    if (k == "Language") {
        next();
        if (tok_ == "JAPANESE")
            s.language = 0;
        else if (tok_ == "CHINESE_GB2312")
            s.language = 1;
        else
            return kErrSyntax;
        return kScenarioOk;
    }
    if (k == "MainMapKakudai") return mainMapZoom();
    if (k == "TeppouCost") return realTriple(s.teppouCost);
    if (k == "TeppouSoubiRitsu") return realTriple(s.teppouSoubiRitsu);
    if (k == "TeppouKouka") return gunEffect();
    if (k == "Opening") {
        s.openingText.clear();
        return section(&ScenarioReader::openingLine, kOpeningTokenCapacity);
    }
    if (k == "Trading") return section(&ScenarioReader::partnerLine);

    // The remaining sections may name provinces or regions.
    RecordReader record = nullptr;
    if (k == "Daimyou")
        record = &ScenarioReader::houseLine;
    else if (k == "Shiro")
        record = &ScenarioReader::castleLine;
    else if (k == "ShiroConnect")
        record = &ScenarioReader::routeLine;
    else if (k == "Bushou")
        record = &ScenarioReader::generalLine;
    else if (k == "Doumei")
        record = &ScenarioReader::relationLine;
    else if (k == "KuniArea")
        record = &ScenarioReader::viewAreaLine;
    else if (k == "SnowKakuritsu")
        record = &ScenarioReader::snowLine;
    else if (k == "RainKakuritsu")
        record = &ScenarioReader::rainLine;
    else if (k == "TradingMonth")
        record = &ScenarioReader::partnerMonthLine;
    else if (k == "TeppouKounyuu")
        record = &ScenarioReader::marketLine;
    else if (k == "TeppouKounyuuMonth")
        record = &ScenarioReader::marketMonthLine;
    else if (k == "TeppouSeisan")
        record = &ScenarioReader::productionLine;
    else
        return kErrSyntax;

    // Names of provinces and regions need a map: the default one unless the scenario named its own.
    if (int e = ensureMap()) return e;
    if (int e = section(record)) return e;
    return record == &ScenarioReader::routeLine ? routesComplete() : kScenarioOk;
}

int ScenarioReader::finish() {
    ScenarioSettings& s = world_.settings;
    s.teppouCostCurrent = s.teppouCost[0];
    s.teppouSoubiRitsuCurrent = s.teppouSoubiRitsu[0];
    return kScenarioOk;
}

// ---- fields ----

int ScenarioReader::shapeOf(int end, bool last) {
    if (last) return end == kTokenMore ? kErrSyntax : kScenarioOk;
    return end == kTokenMore ? kScenarioOk : kErrSyntax;
}

int ScenarioReader::field(bool last) {
    next();
    return shapeOf(end_, last);
}

int ScenarioReader::intField(bool last, int32_t& value) {
    if (int e = field(last)) return e;
    auto v = parseInteger(tok_);
    if (!v) return kErrNotInteger;
    value = *v;
    return kScenarioOk;
}

int ScenarioReader::realField(bool last, double& value) {
    if (int e = field(last)) return e;
    auto v = parseReal(tok_);
    if (!v) return kErrNotReal;
    value = *v;
    return kScenarioOk;
}

int ScenarioReader::rangedField(bool last, int32_t lo, int32_t hi, int error, int32_t& value) {
    if (int e = intField(last, value)) return e;
    return value >= lo && value <= hi ? kScenarioOk : error;
}

int ScenarioReader::section(RecordReader record, size_t capacity) {
    next();
    if (tok_ != "{") return kErrSyntax;
    for (;;) {
        next(capacity);
        recordLine_ = tokens_.tokenLine();
        if (tok_ == "}") return kScenarioOk;
        if (end_ == kTokenFileEnd && tok_.empty()) return kErrSyntax; // the file ended inside
        if (int e = (this->*record)(end_)) return e;
    }
}

// ---- settings ----

int ScenarioReader::intSetting(int32_t& value) {
    next();
    auto v = parseInteger(tok_);
    if (!v) return kErrNotInteger;
    value = *v;
    return kScenarioOk;
}

int ScenarioReader::textSetting(char (&field)[101], int tooLong) {
    next();
    if (tok_.size() > 100) return tooLong;
    setFieldText(field, tok_);
    return kScenarioOk;
}

int ScenarioReader::yesNo(bool& flag) {
    next();
    if (tok_ == "YES")
        flag = true;
    else if (tok_ == "NO")
        flag = false;
    else
        return kErrSyntax;
    return kScenarioOk;
}

int ScenarioReader::mainMapZoom() {
    int32_t x0, y0, x1, y1;
    if (int e = rangedField(false, 0, 559, kErrX, x0)) return e;
    if (int e = rangedField(false, 0, 439, kErrY, y0)) return e;
    if (int e = rangedField(false, 0, 559, kErrX, x1)) return e;
    if (int e = rangedField(true, 0, 439, kErrY, y1)) return e;
    world_.settings.mainMapKakudai = {1, x0, y0, x1 + 1, y1 + 1};
    return kScenarioOk;
}

int ScenarioReader::realTriple(double (&values)[3]) {
    double v[3];
    for (int i = 0; i < 3; ++i)
        if (int e = realField(i == 2, v[i])) return e;
    for (int i = 0; i < 3; ++i)
        values[i] = v[i];
    return kScenarioOk;
}

int ScenarioReader::gunEffect() {
    int32_t v[4];
    for (int i = 0; i < 4; ++i)
        if (int e = rangedField(i == 3, 0, 100, kErrGunEffect, v[i])) return e;
    for (int i = 0; i < 4; ++i)
        world_.settings.teppouKouka[i] = static_cast<uint8_t>(v[i]);
    return kScenarioOk;
}

// ---- the map ----

int ScenarioReader::ensureMap() {
    return mapLoaded_ ? kScenarioOk : loadMapNamed("default.map");
}

int ScenarioReader::loadMapNamed(const std::string& name) {
    namespace fs = std::filesystem;
    // Scenario files name their map in their own code page and may use Windows separators.
    std::string fileName = toUtf8(name, encoding());
    for (char& ch : fileName)
        if (ch == '\\') ch = '/';
    // Only plain files: a name such as a device must not stall or flood the reader.
    auto tryLoad = [&](const std::string& dir, MapData& out) {
        const fs::path p = fs::path(dir) / fs::path(fileName);
        std::error_code ec;
        if (fileName.empty() || !fs::is_regular_file(p, ec)) return static_cast<int>(kMapCannotOpen);
        return loadMap(p.string(), out);
    };
    MapData map;
    int r = tryLoad(scenarioDir_, map);
    if (r == kMapCannotOpen) r = tryLoad(programDir_, map);
    if (r == kMapCannotOpen) return kErrMapMissing;
    if (r == kMapBadContent) return kErrMapBad;
    if (r == kMapTooManyProvinces) return kErrMapTooManyProvinces;
    // Castles and generals already placed keep their province numbers; the new map must hold them.
    if (highestProvinceUsed_ >= map.provinceCount()) return kErrProvince;
    world_.map = std::move(map);
    indexMap();
    mapLoaded_ = true;
    return kScenarioOk;
}

void ScenarioReader::indexMap() {
    provinceByName_.clear();
    regionByName_.clear();
    const MapData& m = world_.map;
    for (int p = 0; p < m.provinceCount(); ++p)
        provinceByName_.emplace(std::string(fieldText(m.provinces[p].name)), p);
    for (int r = 0; r < m.regionCount() && r < kMaxRegions; ++r)
        regionByName_.emplace(std::string(fieldText(m.regions[r].name)), r);
}

int ScenarioReader::provinceIndex(const std::string& name) const {
    auto it = provinceByName_.find(name);
    return it == provinceByName_.end() ? -1 : it->second;
}

int ScenarioReader::regionIndex(const std::string& name) const {
    auto it = regionByName_.find(name);
    return it == regionByName_.end() ? -1 : it->second;
}

int ScenarioReader::houseIndex(const std::string& id) const {
    auto it = houseIds_.find(id);
    return it == houseIds_.end() ? -1 : it->second;
}

int ScenarioReader::castleIndex(const std::string& id) const {
    auto it = castleIds_.find(id);
    return it == castleIds_.end() ? -1 : it->second;
}

// ---- entry points ----

ScenarioScratch::ScenarioScratch() = default;
ScenarioScratch::~ScenarioScratch() = default;

void ScenarioScratch::reset() {
    // A world moved away is built anew.
    if (!world_ || world_->castles.size() != static_cast<size_t>(kMaxCastles)) {
        world_ = std::make_unique<WorldState>();
        if (!settings_) {
            settings_ = std::make_unique<const ScenarioSettings>(world_->settings);
            training_ = std::make_unique<const TradePartner>(world_->tradePartners[0]);
        }
        return;
    }
    // Only what the reader writes: the scenario tables up to their counts, the per-province and
    // per-region tables, the settings and the map.
    WorldState& w = *world_;
    const auto clear = [](auto& table, int count) {
        using Record = typename std::decay_t<decltype(table)>::value_type;
        std::fill_n(table.begin(), std::clamp<int>(count, 0, static_cast<int>(table.size())), Record{});
    };
    clear(w.scenarioHouses, w.scenarioHouseCount);
    clear(w.castleSites, w.castleCount);
    clear(w.castles, w.castleCount);
    clear(w.scenarioGenerals, w.scenarioGeneralCount);
    clear(w.relationEntries, w.relationEntryCount);
    clear(w.tradePartners, w.tradePartnerCount);
    w.tradePartners[0] = *training_;
    clear(w.gunMarkets, w.gunMarketCount);
    clear(w.viewAreas, kProvinceSlots);
    clear(w.gunProduction, kProvinceSlots);
    clear(w.snowChance, kProvinceSlots);
    clear(w.rainChance, kMaxRegions);
    w.scenarioHouseCount = w.castleCount = w.scenarioGeneralCount = w.relationEntryCount = w.gunMarketCount = 0;
    w.tradePartnerCount = 1;
    w.settings = *settings_;
    w.map = MapData{};
}

ScenarioReadResult ScenarioScratch::read(std::string_view bytes, const std::string& scenarioDir,
                                         const std::string& programDir) {
    reset();
    ScenarioReadResult result;
    ScenarioReader reader(bytes, scenarioDir, programDir, *world_);
    result.code = reader.run();
    result.notices = reader.notices();
    mapLoaded_ = reader.mapLoaded();
    if (result.code != kScenarioOk) result.message = scenarioErrorMessage(result.code, reader.errorLine(), reader.detail());
    return result;
}

ScenarioReadResult readScenarioFromBytes(std::string_view bytes, const std::string& scenarioDir,
                                         const std::string& programDir, WorldState& world) {
    ScenarioScratch scratch;
    ScenarioReadResult result = scratch.read(bytes, scenarioDir, programDir);
    if (result.code != kScenarioOk) return result;
    WorldState& read = scratch.world();
    // A scenario that never needed a map keeps the one already loaded.
    if (!scratch.mapLoaded()) read.map = std::move(world.map);
    world = std::move(read);
    return result;
}

ScenarioReadResult readScenario(const std::string& path, const std::string& programDir, WorldState& world) {
    namespace fs = std::filesystem;
    std::ifstream f(path, std::ios::binary);
    std::error_code ec;
    if (!f || fs::is_directory(path, ec)) return ScenarioReadResult{kScenarioFileError, {}, {}};
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return ScenarioReadResult{kScenarioFileError, {}, {}};
    return readScenarioFromBytes(bytes, fs::path(path).parent_path().string(), programDir, world);
}

} // namespace vh
