// The records of the game world, each with its exact byte layout.
// `describeFields` lists every field at its offset; record_codec.h turns it into read and write.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vh {

// Bit 15 of some 16-bit index fields is a flag; the index sits in the low 15 bits.
inline constexpr uint16_t kIndexFlag = 0x8000;

struct ScenarioHouse {
    static constexpr std::size_t kBytes = 32;
    char name[21] = {};
    uint8_t kind = 1; // 1 NORMAL, 0 AINU, 2 RYUUKYUU
    int32_t initialFunds = -1;
    int16_t navigationSkill = 0;
    int16_t miningSkill = 0;
    uint8_t gunCollection = 10;
    uint8_t unused31 = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.name);
        io.num(21, r.kind);
        io.num(22, r.initialFunds);
        io.num(26, r.navigationSkill);
        io.num(28, r.miningSkill);
        io.num(30, r.gunCollection);
        io.num(31, r.unused31);
    }
};

enum HouseKind : uint8_t { kHouseAinu = 0, kHouseNormal = 1, kHouseRyuukyuu = 2 };

struct GunOrder {
    int16_t guns = 0;
    uint8_t monthsLeft = 0;
    uint8_t unused = 0;
};

struct DaimyoHouse {
    static constexpr std::size_t kBytes = 1128;
    static constexpr int kRelationBytes = 1000;
    uint8_t unused0[4] = {};
    int32_t head = -1;
    int32_t unused8 = -1;
    int32_t funds = 0;
    int32_t undeployedGuns = 0;
    char name[21] = {};
    uint8_t uprisingCount = 0;
    uint8_t kind = kHouseNormal;
    uint8_t vassalState = 0; // 0 independent, 1 subordinate, 2 submitted
    int8_t powerTrend = 0;
    uint8_t unused45 = 0;
    int32_t unused46 = -1;
    int32_t lord = -1;
    uint8_t unused54[4] = {};
    uint8_t relations[kRelationBytes] = {};
    int16_t navigationSkill = 0;
    int16_t miningSkill = 0;
    int16_t powerHistory[12] = {};
    int16_t gunsOrderedThisMonth = 0;
    GunOrder marketOrders[10] = {};

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.unused0);
        io.num(4, r.head);
        io.num(8, r.unused8);
        io.num(12, r.funds);
        io.num(16, r.undeployedGuns);
        io.bytes(20, r.name);
        io.num(41, r.uprisingCount);
        io.num(42, r.kind);
        io.num(43, r.vassalState);
        io.num(44, r.powerTrend);
        io.num(45, r.unused45);
        io.num(46, r.unused46);
        io.num(50, r.lord);
        io.bytes(54, r.unused54);
        io.bytes(58, r.relations);
        io.num(1058, r.navigationSkill);
        io.num(1060, r.miningSkill);
        io.nums(1062, r.powerHistory);
        io.num(1086, r.gunsOrderedThisMonth);
        for (std::size_t i = 0; i < 10; ++i) {
            io.num(1088 + 4 * i, r.marketOrders[i].guns);
            io.num(1090 + 4 * i, r.marketOrders[i].monthsLeft);
            io.num(1091 + 4 * i, r.marketOrders[i].unused);
        }
    }
};

// Relation kinds as the scenario names them; the diplomacy rules add further kinds.
enum RelationKind : uint8_t {
    kRelSwornEnemy = 0,
    kRelNothing = 1,
    kRelPact = 2,
    kRelSubordinateTo = 3,
    kRelHasSubordinate = 4,
    kRelSubmittedTo = 6,
    kRelHasSubmitted = 7,
};

struct RelationEntry {
    static constexpr std::size_t kBytes = 6;
    int16_t houseA = 0;
    int16_t houseB = 0; // -1 = every house
    int16_t kind = 1;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.houseA);
        io.num(2, r.houseB);
        io.num(4, r.kind);
    }
};

enum CastlePicture : uint8_t { kPicNormal = 0, kPicRyuukyuu = 1, kPicChina = 2, kPicEurope = 3, kPicGendai = 4 };

struct CastleSite {
    static constexpr std::size_t kBytes = 56;
    static constexpr int kMaxRoutes = 7;
    char name[21] = {};
    uint8_t province = 0; // read as signed by several rules: castles lie in provinces 0..127
    uint8_t size = 1;
    uint8_t unused23 = 0;
    int16_t x = 0;
    int16_t y = 0;
    int32_t maxYield = 0;
    int16_t maxTown = 0;
    int16_t maxMine = 0;
    int16_t routes[8] = {-1, -1, -1, -1, -1, -1, -1, -1}; // ends at the first -1
    int16_t initialOwner = -1;
    uint8_t hasPort = 0;
    uint8_t picture = kPicNormal;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.name);
        io.num(21, r.province);
        io.num(22, r.size);
        io.num(23, r.unused23);
        io.num(24, r.x);
        io.num(26, r.y);
        io.num(28, r.maxYield);
        io.num(32, r.maxTown);
        io.num(34, r.maxMine);
        io.nums(36, r.routes);
        io.num(52, r.initialOwner);
        io.num(54, r.hasPort);
        io.num(55, r.picture);
    }
};

struct Voyage {
    uint8_t ships = 0;
    uint8_t destination = 0; // 0 = navigation training
    uint8_t monthsLeft = 0;
    uint8_t length = 0;
};

struct Castle {
    static constexpr std::size_t kBytes = 318;
    static constexpr int kMaxGenerals = 20;
    uint8_t unused0[4] = {};
    int16_t owner = -1;
    int16_t corps = -1;
    int16_t lord = -1;
    int16_t besiegedBy = -1;
    uint8_t size = 1;
    uint8_t unused13 = 0;
    int32_t yield = 0;
    int16_t siegeProgress = 0;
    int32_t food = 0;
    int16_t town = 0;
    int16_t mine = 0;
    int16_t garrison = 0;
    uint8_t generalCount = 0;
    uint8_t besiegerCount = 0;
    int32_t generals[kMaxGenerals] = {};
    int32_t besiegers[kMaxGenerals] = {};
    uint8_t planningMark = 0;
    uint8_t unused193[81] = {};
    int16_t support = 0;
    uint8_t tradeShips = 0;
    uint8_t warShips = 0;
    Voyage voyages[10] = {};

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.unused0);
        io.num(4, r.owner);
        io.num(6, r.corps);
        io.num(8, r.lord);
        io.num(10, r.besiegedBy);
        io.num(12, r.size);
        io.num(13, r.unused13);
        io.num(14, r.yield);
        io.num(18, r.siegeProgress);
        io.num(20, r.food);
        io.num(24, r.town);
        io.num(26, r.mine);
        io.num(28, r.garrison);
        io.num(30, r.generalCount);
        io.num(31, r.besiegerCount);
        io.nums(32, r.generals);
        io.nums(112, r.besiegers);
        io.num(192, r.planningMark);
        io.bytes(193, r.unused193);
        io.num(274, r.support);
        io.num(276, r.tradeShips);
        io.num(277, r.warShips);
        for (std::size_t i = 0; i < 10; ++i) {
            io.num(278 + 4 * i, r.voyages[i].ships);
            io.num(279 + 4 * i, r.voyages[i].destination);
            io.num(280 + 4 * i, r.voyages[i].monthsLeft);
            io.num(281 + 4 * i, r.voyages[i].length);
        }
    }
};

struct ScenarioGeneral {
    static constexpr std::size_t kBytes = 44;
    static constexpr int16_t kFreeHouse = -2; // D_FREE
    char name[21] = {};
    uint8_t valor = 0;
    uint8_t politics = 0;
    uint8_t intellect = 0;
    uint8_t ambition = 0;
    uint8_t loyalty = 0;
    int16_t cavalry = 0;
    int16_t foot = 0;
    int16_t guns = 0;
    int16_t birthYear = 0;
    int16_t lifeEnd = 0;
    int16_t appearYear = 0;
    int16_t house = -2; // bit 15: written in parentheses
    int16_t place = -1; // castle, or province with bit 15
    int8_t succession = -1;
    uint8_t birthUnknown = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.name);
        io.num(21, r.valor);
        io.num(22, r.politics);
        io.num(23, r.intellect);
        io.num(24, r.ambition);
        io.num(25, r.loyalty);
        io.num(26, r.cavalry);
        io.num(28, r.foot);
        io.num(30, r.guns);
        io.num(32, r.birthYear);
        io.num(34, r.lifeEnd);
        io.num(36, r.appearYear);
        io.num(38, r.house);
        io.num(40, r.place);
        io.num(42, r.succession);
        io.num(43, r.birthUnknown);
    }
};

enum GeneralStatus : uint8_t { kStatusOrdinary = 0, kStatusPrisoner = 1, kStatusHostage = 2, kStatusGuest = 3 };

enum GeneralFlag : int16_t {
    kFlagBirthUnknown = 1,
    kFlagActed = 2,
    kFlagInField = 4,
    kFlagAwaitingPlacement = 8,
};

// Values of General::house besides a house index.
inline constexpr int16_t kHouseLost = -1;
inline constexpr int16_t kHouseRonin = -2;
inline constexpr int16_t kHouseHeld = -3;

struct General {
    static constexpr std::size_t kBytes = 74;
    static constexpr int kRefugeSlots = 5;
    uint8_t unused0[4] = {};
    char name[21] = {};
    uint8_t status = kStatusOrdinary;
    uint8_t valor = 0;
    uint8_t politics = 0;
    uint8_t ambition = 0;
    uint8_t loyalty = 0;
    uint8_t intellect = 0;
    uint8_t siegeStratagemPoints = 0;
    uint8_t siegeStratagemRest = 0;
    uint8_t fieldStratagemPoints = 0;
    uint8_t surpriseRest = 0;
    uint8_t refusalCounter = 0;
    int16_t birthYear = 0;
    int16_t lifeEnd = 0;
    int16_t castle = -1;
    int16_t entry = -1;
    int16_t corps = -1;
    int16_t house = kHouseLost;
    int16_t holderHouse = -1; // prisoner or hostage: the house holding him
    int16_t originHouse = -1; // prisoner or hostage: the house he came from
    int16_t cavalry = 0;
    int16_t foot = 0;
    int16_t guns = 0;
    int16_t moveTarget = -1;   // waiting general and hostage: appearYear
    int16_t sortieTarget = -1; // waiting general and hostage: place
    int16_t refugeHouses[kRefugeSlots] = {};
    int16_t flags = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.unused0);
        io.bytes(4, r.name);
        io.num(25, r.status);
        io.num(26, r.valor);
        io.num(27, r.politics);
        io.num(28, r.ambition);
        io.num(29, r.loyalty);
        io.num(30, r.intellect);
        io.num(31, r.siegeStratagemPoints);
        io.num(32, r.siegeStratagemRest);
        io.num(33, r.fieldStratagemPoints);
        io.num(34, r.surpriseRest);
        io.num(35, r.refusalCounter);
        io.num(36, r.birthYear);
        io.num(38, r.lifeEnd);
        io.num(40, r.castle);
        io.num(42, r.entry);
        io.num(44, r.corps);
        io.num(46, r.house);
        io.num(48, r.holderHouse);
        io.num(50, r.originHouse);
        io.num(52, r.cavalry);
        io.num(54, r.foot);
        io.num(56, r.guns);
        io.num(58, r.moveTarget);
        io.num(60, r.sortieTarget);
        io.nums(62, r.refugeHouses);
        io.num(72, r.flags);
    }
};

// The corps' action orders (low two bits of Corps::orders): 待機, 侵攻, 内政, 侵攻・内政.
enum CorpsAction : int { kCorpsWait = 0, kCorpsInvade = 1, kCorpsDomestic = 2, kCorpsInvadeDomestic = 3 };

struct Corps {
    static constexpr std::size_t kBytes = 26;
    static constexpr int kMaxProvinces = 4;
    int32_t unused0 = 0;
    int32_t leader = -1; // -1 = free slot
    int32_t house = -1;
    int32_t funds = 0;
    int32_t undeployedGuns = 0;
    int16_t orders = 0; // bits 0-1 action, 0x100 conquests become the corps' fief
    uint8_t provinces[kMaxProvinces] = {0xFF, 0xFF, 0xFF, 0xFF};

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.unused0);
        io.num(4, r.leader);
        io.num(8, r.house);
        io.num(12, r.funds);
        io.num(16, r.undeployedGuns);
        io.num(20, r.orders);
        io.bytes(22, r.provinces);
    }
};

struct Province {
    static constexpr std::size_t kBytes = 64;
    char name[62] = {};
    int16_t region = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.name);
        io.num(62, r.region);
    }
};

struct Region {
    static constexpr std::size_t kBytes = 62;
    char name[62] = {};

    template <class Io, class R> static void describeFields(Io& io, R& r) { io.bytes(0, r.name); }
};

struct ProvinceViewArea {
    static constexpr std::size_t kBytes = 20;
    int32_t zoom = 6;
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t x1 = 100; // stored as the scenario value plus one
    int32_t y1 = 100;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.zoom);
        io.num(4, r.x0);
        io.num(8, r.y0);
        io.num(12, r.x1);
        io.num(16, r.y1);
    }
};

struct ProvinceGunProduction {
    static constexpr std::size_t kBytes = 34;
    int16_t fromYear = 0;
    double base = 0;
    double increase = 0;
    double maximum = 0;
    double current = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.fromYear);
        io.num(2, r.base);
        io.num(10, r.increase);
        io.num(18, r.maximum);
        io.num(26, r.current);
    }
};

struct TradePartner {
    static constexpr std::size_t kBytes = 1530;
    int32_t unused0 = 0;
    char name[22] = {}; // 4..25: at most 20 bytes of text
    int32_t shipValue = 0;
    uint8_t voyageMonths[500] = {};
    uint8_t friendship[1000] = {};

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.unused0);
        io.bytes(4, r.name);
        io.num(26, r.shipValue);
        io.bytes(30, r.voyageMonths);
        io.bytes(530, r.friendship);
    }
};

struct GunMarket {
    static constexpr std::size_t kBytes = 590;
    char name[21] = {};
    uint8_t deliveryMonths[500] = {};
    uint8_t unused521 = 0;
    int16_t fromYear = 0;
    double costInitial = 0;
    double costDecrease = 0;
    double costLowerBound = 0;
    double costCurrent = 0;
    double rateInitial = 0;
    double rateIncrease = 0;
    double rateUpperBound = 0;
    double rateCurrent = 0;
    int16_t monthlyPurchases = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.name);
        io.bytes(21, r.deliveryMonths);
        io.num(521, r.unused521);
        io.num(522, r.fromYear);
        io.num(524, r.costInitial);
        io.num(532, r.costDecrease);
        io.num(540, r.costLowerBound);
        io.num(548, r.costCurrent);
        io.num(556, r.rateInitial);
        io.num(564, r.rateIncrease);
        io.num(572, r.rateUpperBound);
        io.num(580, r.rateCurrent);
        io.num(588, r.monthlyPurchases);
    }
};

struct Coalition {
    static constexpr std::size_t kBytes = 92;
    static constexpr int kMaxMembers = 42;
    int32_t unused0 = 0;
    int16_t target = -1;
    int16_t memberCount = 0;
    int16_t members[kMaxMembers] = {};

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.num(0, r.unused0);
        io.num(4, r.target);
        io.num(6, r.memberCount);
        io.nums(8, r.members);
    }
};

} // namespace vh
