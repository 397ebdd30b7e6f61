// Sections Daimyou (houses), Shiro (castles) and ShiroConnect (castle routes).
#include "scenario/scenario_reader_impl.h"
#include "world/byte_io.h"

#include <algorithm>

namespace vh {

int ScenarioReader::houseLine(int end) {
    if (world_.scenarioHouseCount >= kMaxHouses) return kErrTooManyHouses;
    if (int e = shapeOf(end, false)) return e;
    const std::string id = tok_;
    if (id.size() > kMaxIdBytes) return kErrHouseIdTooLong;
    if (houseIds_.count(id)) return kErrHouseIdDuplicate;

    ScenarioHouse h;
    if (int e = field(false)) return e;
    if (tok_.size() > kMaxNameBytes) return kErrHouseNameTooLong;
    setFieldText(h.name, tok_);
    if (int e = field(false)) return e;
    if (tok_ == "NORMAL")
        h.kind = kHouseNormal;
    else if (tok_ == "AINU")
        h.kind = kHouseAinu;
    else if (tok_ == "RYUUKYUU")
        h.kind = kHouseRyuukyuu;
    else
        return kErrHouseKind;
    int32_t navigation, mining = 0, funds, collection = 10;
    if (int e = intField(false, navigation)) return e;
    if (version_ >= 2)
        if (int e = rangedField(false, 0, 500, kErrMiningSkill, mining)) return e;
    if (int e = intField(version_ < 3, funds)) return e;
    if (version_ >= 3)
        if (int e = rangedField(true, 0, 100, kErrGunCollection, collection)) return e;
    h.navigationSkill = static_cast<int16_t>(navigation);
    h.miningSkill = static_cast<int16_t>(mining * 10);
    h.initialFunds = funds;
    h.gunCollection = static_cast<uint8_t>(collection);

    const int index = world_.scenarioHouseCount++;
    world_.scenarioHouses[index] = h;
    houseIds_.emplace(id, index);
    return kScenarioOk;
}

int ScenarioReader::castleLine(int end) {
    if (world_.castleCount >= kMaxCastles) return kErrTooManyCastles;
    if (int e = shapeOf(end, false)) return e;
    const std::string id = tok_;
    if (id.size() > kMaxIdBytes) return kErrCastleIdTooLong;
    if (castleIds_.count(id)) return kErrCastleIdDuplicate;

    CastleSite site;
    Castle live;
    if (int e = field(false)) return e;
    if (tok_.size() > kMaxNameBytes) return kErrCastleNameTooLong;
    setFieldText(site.name, tok_);

    if (int e = field(false)) return e;
    const int province = provinceIndex(tok_);
    // The castle record keeps its province in a byte that is read as signed.
    if (province < 0 || province > kMaxCastleProvince) return kErrProvince;
    if (castlesByProvince_.empty()) castlesByProvince_.resize(kProvinceSlots);
    if (castlesByProvince_[province].size() >= kMaxCastlesPerProvince) return kErrCastlesPerProvince;
    site.province = static_cast<uint8_t>(province);

    int32_t size, x, y, maxYield, yield, maxTown, town, maxMine = 0, mine = 0;
    if (int e = rangedField(false, 1, 10, kErrCastleSize, size)) return e;
    if (int e = rangedField(false, 0, 559, kErrX, x)) return e;
    if (int e = rangedField(false, 0, 439, kErrY, y)) return e;
    if (int e = intField(false, maxYield)) return e;
    if (int e = intField(false, yield)) return e;
    if (int e = intField(false, maxTown)) return e;
    if (int e = intField(false, town)) return e;
    if (version_ >= 2) {
        if (int e = intField(false, maxMine)) return e;
        if (int e = intField(false, mine)) return e;
    }
    if (int e = field(false)) return e;
    if (tok_ == "YES")
        site.hasPort = 1;
    else if (tok_ == "NO")
        site.hasPort = 0;
    else
        return kErrPort;
    int32_t tradeShips, warShips, support;
    if (int e = rangedField(false, 0, 100, kErrTradeShips, tradeShips)) return e;
    if (int e = rangedField(false, 0, 100, kErrWarShips, warShips)) return e;
    if (int e = rangedField(false, 0, 100, kErrSupport, support)) return e;
    if (version_ >= 4) {
        if (int e = field(false)) return e;
        static const char* const kPictures[] = {"NORMAL", "RYUUKYUU", "CHINA", "EUROPE", "GENDAI"};
        auto it = std::find(std::begin(kPictures), std::end(kPictures), tok_);
        if (it == std::end(kPictures)) return kErrCastlePicture;
        site.picture = static_cast<uint8_t>(it - std::begin(kPictures));
    }
    if (int e = field(true)) return e;
    const int owner = houseIndex(tok_);
    if (owner < 0) return kErrHouseRef;

    site.size = static_cast<uint8_t>(size);
    site.x = static_cast<int16_t>(x);
    site.y = static_cast<int16_t>(y);
    site.maxYield = maxYield;
    site.maxTown = static_cast<int16_t>(maxTown);
    site.maxMine = static_cast<int16_t>(maxMine);
    site.initialOwner = static_cast<int16_t>(owner);
    live.size = site.size;
    live.yield = yield;
    live.town = static_cast<int16_t>(town);
    live.mine = static_cast<int16_t>(mine);
    live.tradeShips = static_cast<uint8_t>(tradeShips);
    live.warShips = static_cast<uint8_t>(warShips);
    live.support = static_cast<int16_t>(support * 10);

    const int index = world_.castleCount++;
    world_.castleSites[index] = site;
    world_.castles[index] = live;
    castleIds_.emplace(id, index);
    castleIdByIndex_.push_back(id);
    castlesByProvince_[province].push_back(index);
    highestProvinceUsed_ = std::max(highestProvinceUsed_, province);
    return kScenarioOk;
}

int ScenarioReader::routeLine(int end) {
    if (int e = shapeOf(end, false)) return e;
    const int castle = castleIndex(tok_);
    if (castle < 0) return kErrCastleRef;
    int16_t list[CastleSite::kMaxRoutes];
    int n = 0;
    for (;;) {
        next();
        if (n == CastleSite::kMaxRoutes) return kErrTooManyRoutes;
        const int other = castleIndex(tok_);
        if (other < 0) return kErrCastleRef;
        list[n++] = static_cast<int16_t>(other);
        if (end_ != kTokenMore) break;
    }

    CastleSite& site = world_.castleSites[castle];
    if (listedBy_.empty()) {
        listedBy_.resize(kMaxCastles);
        routesRead_.assign(kMaxCastles, 0);
    }
    if (routesRead_[castle]) {
        for (int i = 0; i < routeCount(site); ++i) {
            auto& back = listedBy_[site.routes[i]];
            auto it = std::find(back.begin(), back.end(), static_cast<int16_t>(castle));
            if (it != back.end()) back.erase(it);
        }
    }
    std::fill(std::begin(site.routes), std::end(site.routes), int16_t{-1});
    std::copy(list, list + n, site.routes);
    for (int i = 0; i < n; ++i)
        listedBy_[list[i]].push_back(static_cast<int16_t>(castle));
    routesRead_[castle] = 1;

    // Every castle read so far that leads here must be led to from here.
    for (int16_t from : listedBy_[castle])
        if (std::find(list, list + n, from) == list + n) return kErrRouteMismatch;
    return kScenarioOk;
}

// At the section's end every route must have been declared from both of its castles.
int ScenarioReader::routesComplete() {
    for (int a = 0; a < world_.castleCount; ++a) {
        const CastleSite& site = world_.castleSites[a];
        for (int i = 0; i < routeCount(site); ++i) {
            const int b = site.routes[i];
            const CastleSite& other = world_.castleSites[b];
            const int16_t* routes = other.routes;
            if (std::find(routes, routes + routeCount(other), a) == routes + routeCount(other)) {
                extraText_ = toUtf8(castleIdByIndex_[b], encoding()) + "経路未設定";
                return kErrRouteMismatch;
            }
        }
    }
    return kScenarioOk;
}

} // namespace vh
