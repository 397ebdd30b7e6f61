// The phase table's entries read an index of who holds what instead of scanning every castle and
// general: over random worlds they must give exactly what the plain routines give, world and
// draws alike.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer/house_index.h"
#include "diplomacy/computer_diplomacy.h"
#include "diplomacy/figures.h"
#include "diplomacy/koku_source.h"
#include "diplomacy/relations.h"
#include "game/save_game.h"
#include "personnel/guests.h"
#include "simulation/accounts.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace vh::test {
namespace {

void randomWorld(WorldState& w, Random& r) {
    WorldBuilder b(w);
    const int houses = 3 + r.below(6);
    for (int h = 0; h < houses; ++h) b.house("家" + std::to_string(h), r.below(60000) - 5000);
    for (int h = 0; h < houses; ++h)
        for (int j = 0; j < houses; ++j)
            if (j != h) setRelationKind(w.houses[j], h, r.below(3));
    if (houses > 4) {
        b.vassal(houses - 1, 0, 2);
        b.vassal(houses - 2, 1, 1);
    }
    const int castles = 8 + r.below(30);
    for (int c = 0; c < castles; ++c) {
        const int k = b.castle("城" + std::to_string(c), r.below(houses), r.below(4));
        Castle& castle = w.castles[k];
        castle.yield = r.below(40000);
        castle.support = static_cast<int16_t>(r.below(1001));
        castle.food = r.below(5000);
        castle.size = static_cast<uint8_t>(1 + r.below(10));
        castle.town = static_cast<int16_t>(r.below(300));
        castle.garrison = static_cast<int16_t>(r.below(60));
        w.castleSites[k].maxYield = castle.yield + r.below(20000);
        w.castleSites[k].maxTown = static_cast<int16_t>(castle.town + r.below(100));
        w.castleSites[k].hasPort = r.below(3) == 0;
        w.castleSnapshot[k] = castle;
        for (int tries = 0; tries < 2 && c > 0; ++tries) {
            const int other = r.below(c);
            if (routeCount(w.castleSites[k]) < 6 && routeCount(w.castleSites[other]) < 6) {
                bool linked = false;
                for (int i = 0; i < routeCount(w.castleSites[k]); ++i) linked |= w.castleSites[k].routes[i] == other;
                if (!linked) b.route(k, other);
            }
        }
    }
    for (int g = 0; g < 4 * castles; ++g) {
        const int at = r.below(castles);
        const int house = r.below(houses);
        const bool field = w.castles[at].owner != house && r.below(3) == 0;
        const int k = b.general("将" + std::to_string(g), house, at, field);
        General& gen = w.generals[k];
        gen.foot = static_cast<int16_t>(r.below(300));
        gen.cavalry = static_cast<int16_t>(r.below(80));
        gen.guns = static_cast<int16_t>(r.below(gen.foot + 1));
        gen.valor = static_cast<uint8_t>(r.below(11));
        gen.intellect = static_cast<uint8_t>(r.below(11));
        gen.politics = static_cast<uint8_t>(r.below(11));
        if (field) w.castles[at].besiegedBy = static_cast<int16_t>(house);
        if (r.below(8) == 0) gen.status = kStatusGuest;
    }
    // Prisoners and hostages, held off every castle list, some willing and some of age.
    for (int g = 0; g < w.generalCount; ++g) {
        General& gen = w.generals[g];
        if (r.below(6) != 0 || gen.house < 0 || w.houses[gen.house].head == g) continue;
        Castle& at = w.castles[gen.castle];
        const bool field = gen.flags & kFlagInField;
        auto& count = field ? at.besiegerCount : at.generalCount;
        int* list = field ? at.besiegers : at.generals;
        count = static_cast<uint8_t>(std::remove(list, list + count, g) - list);
        gen.flags &= ~kFlagInField;
        gen.originHouse = gen.house;
        gen.house = kHouseHeld;
        gen.holderHouse = static_cast<int16_t>(r.below(houses));
        gen.status = r.below(2) ? kStatusPrisoner : kStatusHostage;
        gen.refusalCounter = static_cast<uint8_t>(r.below(2) * 50);
        gen.birthYear = static_cast<int16_t>(1560 - r.below(30));
    }
    // One corps of house 0 per action, each over a province or two.
    for (int action = 0; action < 4; ++action) {
        int leader = -1;
        for (int g = 0; g < w.generalCount && leader < 0; ++g)
            if (w.generals[g].house == 0 && w.generals[g].corps == -1 && !(w.generals[g].flags & kFlagInField) &&
                w.houses[0].head != g)
                leader = g;
        if (leader < 0) break;
        const int c = b.corps(leader, 0);
        w.corps[c].orders = static_cast<int16_t>(action);
        w.corps[c].provinces[0] = static_cast<uint8_t>(action);
        w.corps[c].funds = r.below(20000);
        for (int g = 0; g < w.generalCount; ++g)
            if (w.generals[g].house == 0 && w.generals[g].corps == -1 && r.below(3) == 0 && w.houses[0].head != g)
                w.generals[g].corps = static_cast<int16_t>(c);
    }
    for (int h = 0; h < houses; ++h) w.houses[h].undeployedGuns = r.below(50);
    w.date = GameDate{1560, 1 + r.below(12)};
    // The houses act in a shuffled order, so a vassal acts before its lord in some worlds.
    for (int i = 0; i < houses; ++i) w.houseOrder[i] = i;
    for (int i = houses - 1; i > 0; --i) std::swap(w.houseOrder[i], w.houseOrder[r.below(i + 1)]);
}

// The world and seed of `indexed` in a second game, for the plain routines.
std::unique_ptr<Game> plainTwin(const Game& indexed, uint32_t seed) {
    auto plain = std::make_unique<Game>();
    plain->world = indexed.world;
    plain->rng.seed(seed);
    return plain;
}

using Entry = void (*)(Game&, int);
using Plain = void (*)(Game&, int, int);

struct Phase {
    int number;
    Entry entry;
    Plain plain;
    bool directFirst;
};

TEST(HouseIndex, TheIndexedEntriesEqualThePlainRoutines) {
    const Plain personnel = [](Game& game, int house, int corps) {
        if (corps < 0) computerPrisonersAndGuests(game, house);
    };
    const Phase phases[] = {{kPhasePersonnel, personnelHouse, personnel, true},
                            {kPhaseArmament, armHouse, armAccount, false},
                            {kPhaseDomestic, developHouse, developAccount, false},
                            {kPhaseStrategy, planHouseCampaign, planCampaign, true},
                            {kPhaseSortie, launchHouseSorties, launchSorties, false}};
    int changed = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed)
        for (const Phase& p : phases) {
            auto indexed = std::make_unique<Game>();
            Random r(seed * 2654435761u);
            randomWorld(indexed->world, r);
            indexed->world.phase = p.number;
            indexed->rng.seed(seed);
            const auto plain = plainTwin(*indexed, seed);
            const std::vector<uint8_t> start = saveImage(plain->world);
            for (int i = 0; i < indexed->world.houseCount; ++i) {
                const int h = indexed->world.houseOrder[i];
                if (!houseAlive(indexed->world, h)) continue;
                p.entry(*indexed, h);
                if (p.directFirst) p.plain(*plain, h, -1);
                for (int c = 0; c < kMaxCorps; ++c)
                    if (plain->world.corps[c].leader != -1 && plain->world.corps[c].house == h) p.plain(*plain, h, c);
                if (!p.directFirst) p.plain(*plain, h, -1);
            }
            const std::vector<uint8_t> after = saveImage(plain->world);
            ASSERT_EQ(saveImage(indexed->world), after) << "seed " << seed << " phase " << p.number;
            ASSERT_EQ(indexed->rng.state(), plain->rng.state()) << "seed " << seed << " phase " << p.number;
            changed += after != start;
        }
    EXPECT_GT(changed, 100); // the worlds gave the routines something to do
}

TEST(HouseIndex, UpkeepFromTheIndexEqualsTheScan) {
    int guestsPaidByLords = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        auto game = std::make_unique<Game>();
        Random r(seed * 40503u);
        randomWorld(game->world, r);
        WorldState& w = game->world;
        for (int g = 0; g < w.generalCount; ++g) // guests of submitted vassals are paid by the lord
            guestsPaidByLords += w.generals[g].status == kStatusGuest && w.generals[g].house >= 0 &&
                                 w.houses[w.generals[g].house].vassalState == 2;
        HouseIndex index;
        buildHouseIndex(w, index);
        for (int h = 0; h < w.houseCount; ++h)
            for (int corps = -1; corps < 4; ++corps)
                for (const bool besieged : {false, true}) {
                    UpkeepBreakdown plain, indexed;
                    ASSERT_EQ(computeUpkeep(w, h, corps, besieged, indexed, &index),
                              computeUpkeep(w, h, corps, besieged, plain))
                        << "seed " << seed << " house " << h << " corps " << corps;
                    ASSERT_EQ(indexed.leftOut, plain.leftOut);
                    ASSERT_EQ(indexed.idleCavalry + indexed.idleFoot, plain.idleCavalry + plain.idleFoot);
                }
    }
    EXPECT_GT(guestsPaidByLords, 10);
}

TEST(HouseIndex, SettlingFromTheIndexEqualsTheScan) {
    int shipsHome = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        auto indexed = std::make_unique<Game>();
        Random r(seed * 69069u);
        randomWorld(indexed->world, r);
        WorldState& w = indexed->world;
        w.date.month = kHarvestMonth - static_cast<int>(seed % 2); // a harvest in half the worlds
        for (int c = 0; c < w.castleCount; ++c) // ships at sea, some coming home this month
            if (w.castleSites[c].hasPort)
                w.castles[c].voyages[0] = Voyage{static_cast<uint8_t>(1 + r.below(3)), 0,
                                                 static_cast<uint8_t>(r.below(2)), static_cast<uint8_t>(1 + r.below(2))};
        indexed->rng.seed(seed);
        const auto plain = plainTwin(*indexed, seed);
        HarvestOutcomes weather{};
        for (size_t p = 0; p < weather.size(); ++p) weather[p] = static_cast<int8_t>(r.below(3) - 1);
        const bool harvest = w.date.month == kHarvestMonth;
        HouseIndex index;
        buildHouseIndex(w, index);
        for (int h = 0; h < w.houseCount; ++h) {
            settleHouseAccounts(*indexed, h, kStandardTaxIndex, harvest ? &weather : nullptr, &index);
            settleHouseAccounts(*plain, h, kStandardTaxIndex, harvest ? &weather : nullptr);
        }
        ASSERT_EQ(saveImage(indexed->world), saveImage(plain->world)) << "seed " << seed;
        ASSERT_EQ(indexed->rng.state(), plain->rng.state()) << "seed " << seed;
        for (int c = 0; c < w.castleCount; ++c) shipsHome += w.castleSites[c].hasPort && w.castles[c].voyages[0].ships == 0;
    }
    EXPECT_GT(shipsHome, 5);
}

// The plain month of one house's diplomacy, as houseDiplomacy runs it.
void plainDiplomacy(Game& game, int house, int) {
    if (isVassal(game.world, house)) {
        vassalDiplomacy(game, house);
        return;
    }
    const int ally = seekAlliance(game, house);
    if (ally == kAppliedAsVassal) return;
    demandFromVassalsAndAllies(game, house, ally);
    turnOnAllies(game, house, ally);
}

TEST(HouseIndex, TheLordsNeighbourMemoFollowsChangesOfVassalageAndKind) {
    int changed = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Game game;
        Random r(seed * 2654435761u);
        randomWorld(game.world, r);
        WorldState& w = game.world;
        HouseIndex index;
        buildHouseIndex(w, index);
        // The sum the defiance score makes, from scratch, without the index.
        const auto plain = [&](int lord, int except) {
            double sum = 0;
            for (int e : hostileNeighboursIn(w, lord, realmCastles(w, lord, nullptr), except, nullptr))
                sum += kokuWithVassals(w, e);
            return sum;
        };
        // Rounds of questions to every lord about every house, with vassalage and kinds changed in
        // between as a diplomacy run changes them: the memo is read again and again.
        for (int round = 0; round < 4; ++round) {
            for (int lord = 0; lord < w.houseCount; ++lord)
                for (int except = -1; except < w.houseCount; ++except)
                    ASSERT_EQ(hostileNeighbourKoku(w, lord, except, index), plain(lord, except))
                        << "seed " << seed << " round " << round << " lord " << lord << " except " << except;
            const int a = r.below(w.houseCount), b = r.below(w.houseCount);
            if (a != b && r.below(2) == 0) {
                WorldBuilder(w).vassal(a, b, 1 + r.below(2));
                ++changed;
            } else {
                w.houses[a].vassalState = 0;
                w.houses[a].lord = -1;
            }
            setRelationKind(w.houses[r.below(w.houseCount)], r.below(w.houseCount), r.below(3));
        }
    }
    EXPECT_GT(changed, 20);
}

TEST(HouseIndex, DiplomacyFromTheIndexEqualsThePlainOne) {
    int logged = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        auto indexed = std::make_unique<Game>();
        Random r(seed * 2246822519u);
        randomWorld(indexed->world, r);
        indexed->world.phase = kPhaseDiplomacy;
        indexed->rng.seed(seed);
        const auto plain = plainTwin(*indexed, seed);
        for (int i = 0; i < indexed->world.houseCount; ++i) {
            const int h = indexed->world.houseOrder[i];
            if (!houseAlive(indexed->world, h)) continue;
            houseDiplomacy(*indexed, h);
            plainDiplomacy(*plain, h, -1);
        }
        ASSERT_EQ(saveImage(indexed->world), saveImage(plain->world)) << "seed " << seed;
        ASSERT_EQ(indexed->rng.state(), plain->rng.state()) << "seed " << seed;
        ASSERT_EQ(indexed->diplomacyLog, plain->diplomacyLog) << "seed " << seed;
        logged += !plain->diplomacyLog.empty();
    }
    EXPECT_GT(logged, 10);
}

} // namespace
} // namespace vh::test
