// The month's events: general counters, weather, illness, freed vassals and power figures.
#include "simulation/month_events.h"

#include "diplomacy/relations.h"
#include "recording_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::RecordingFrontend;
using test::WorldBuilder;

struct EventsTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    void SetUp() override { w.date = {1560, 1}; }
};

TEST_F(EventsTest, CountersGrowStratagemPointsToTheirCapAndRunTheCountdowns) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    const int g = b.general("将", h, c);
    General& r = w.generals[g];
    r.intellect = 7;
    r.siegeStratagemPoints = 135;
    r.fieldStratagemPoints = 0;
    r.siegeStratagemRest = 2;
    r.refusalCounter = 127;
    const int held = b.general("捕", kHouseHeld, -1);
    w.generals[held].intellect = 9;
    w.generals[held].refusalCounter = 5;
    advanceGeneralCounters(game);
    advanceGeneralCounters(game);
    EXPECT_EQ(r.siegeStratagemPoints, 140);
    EXPECT_EQ(r.fieldStratagemPoints, 14);
    EXPECT_EQ(r.siegeStratagemRest, 0);
    EXPECT_EQ(r.surpriseRest, 0);
    EXPECT_EQ(r.refusalCounter, 127);
    EXPECT_EQ(w.generals[held].refusalCounter, 3);
    EXPECT_EQ(w.generals[held].siegeStratagemPoints, 0); // a prisoner gathers no points
}

TEST_F(EventsTest, RainNeverFallsInARegionWhereSnowFell) {
    const int north = b.region("北"), south = b.region("南");
    const int p0 = b.province("雪国", north);
    b.province("隣国", north);
    b.province("南国", south);
    for (auto& m : w.snowChance[p0])
        m = 100;
    for (int r : {north, south})
        for (auto& m : w.rainChance[r])
            m = 100;
    int snowy = 0, southRainWithSnow = 0, northRainWithoutSnow = 0;
    for (uint32_t s = 1; s < 60; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        w.weatherFlags.fill(0);
        game.rng.seed(seed);
        heavySnow(game);
        heavyRain(game);
        const bool snowed = w.weatherFlags[p0] & 1;
        snowy += snowed;
        if (snowed) {
            EXPECT_EQ(w.weatherFlags[p0] & 2, 0);
            EXPECT_EQ(w.weatherFlags[1] & 2, 0) << "the region's other province stays dry";
            southRainWithSnow += (w.weatherFlags[2] & 2) != 0;
        } else {
            northRainWithoutSnow += (w.weatherFlags[p0] & 2) != 0;
        }
        EXPECT_EQ(w.weatherFlags[2] & 1, 0);
    }
    EXPECT_GT(snowy, 0);
    // Snow keeps rain out of its own region only: elsewhere, and in snowless months, it rains.
    EXPECT_GT(southRainWithSnow, 0);
    EXPECT_GT(northRainWithoutSnow, 0);
}

TEST_F(EventsTest, SnowLiftsSiegesInTheSnowyProvinces) {
    b.region("r");
    const int snowy = b.province("雪", 0), dry = b.province("晴", 0);
    for (auto& m : w.snowChance[snowy])
        m = 100;
    const int a = b.house("甲"), e = b.house("乙");
    const int home = b.castle("本城", a, dry), target = b.castle("敵城", e, snowy);
    b.route(home, target);
    b.general("守", e, target);
    const int g = b.general("攻", a, target, true);
    w.castles[target].siegeProgress = 30;
    RecordingFrontend fe;
    game.frontend = &fe;
    uint32_t seed = 1;
    for (; seed < 100; ++seed) {
        game.rng.seed(seed);
        Random probe(seed);
        const double u0 = probe.unit();
        if (1.0 > (0.8 + probe.unit() * 0.4) * u0) break;
    }
    game.rng.seed(seed);
    heavySnow(game);
    ASSERT_EQ(fe.weather.size(), 1u);
    EXPECT_TRUE(fe.weather[0].snow);
    EXPECT_EQ(fe.weather[0].provinces, std::vector<int>{snowy});
    EXPECT_EQ(w.generals[g].castle, home);
    EXPECT_EQ(w.generals[g].flags & kFlagInField, 0);
    EXPECT_EQ(w.castles[target].besiegerCount, 0);
    EXPECT_EQ(w.castles[target].siegeProgress, 0);
}

TEST_F(EventsTest, RainLowersKokuAndTownWithTwoDrawsPerCastle) {
    const int r = b.region("r");
    const int p = b.province("p", r);
    for (auto& m : w.rainChance[r])
        m = 100;
    const int h = b.house("甲");
    const int c = b.castle("城", h, p);
    w.castles[c].yield = 10000;
    w.castles[c].town = 500;
    game.rng.seed(8);
    Random copy(8);
    ASSERT_LT(copy.unit(), 1.0);
    heavyRain(game);
    EXPECT_EQ(w.castles[c].yield, static_cast<int>(10000 * (0.94 + copy.unit() * 0.04)));
    EXPECT_EQ(w.castles[c].town, static_cast<int>(500 * (0.86 + copy.unit() * 0.1)));
    EXPECT_EQ(game.rng.state(), copy.state());
}

// One general of house `h` at the end of his life (year > lifeEnd + 1: chance 0.9), age `age`.
int oldGeneral(WorldBuilder& b, WorldState& w, int h, int c, int age) {
    const int g = b.general("老", h, c);
    w.generals[g].birthYear = static_cast<int16_t>(w.date.year - age);
    w.generals[g].lifeEnd = static_cast<int16_t>(w.date.year - 5);
    return g;
}

TEST_F(EventsTest, TheLastGeneralOfAHouseDoesNotFallIllBeforeEighty) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    const int g = oldGeneral(b, w, h, c, 79);
    for (uint32_t s = 0; s < 50; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        game.rng.seed(seed);
        illnessDeaths(game);
        ASSERT_EQ(w.generals[g].house, h);
    }
    w.generals[g].birthYear -= 1; // eighty
    int died = 0;
    for (uint32_t seed = 0; seed < 50 && !died; ++seed) {
        w.generals[g].house = static_cast<int16_t>(h);
        game.rng.seed(seed);
        illnessDeaths(game);
        died += w.generals[g].house == kHouseLost;
    }
    EXPECT_EQ(died, 1);
}

TEST_F(EventsTest, TwoOldGeneralsCannotLeaveTheirHouseEmptyInOneMonth) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    const int g1 = oldGeneral(b, w, h, c, 50), g2 = oldGeneral(b, w, h, c, 50);
    for (uint32_t s = 0; s < 100; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        w.generals[g1].house = w.generals[g2].house = static_cast<int16_t>(h);
        game.rng.seed(seed);
        illnessDeaths(game);
        ASSERT_TRUE(w.generals[g1].house == h || w.generals[g2].house == h) << seed;
    }
}

TEST_F(EventsTest, IllnessChanceGrowsTowardsTheEndOfLife) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    w.generals[b.general("若", h, c)].lifeEnd = 1600;
    const int g = b.general("老", h, c);
    w.generals[g].birthYear = 1500;
    w.generals[g].lifeEnd = 1560;
    w.date = {1560, 1}; // m = 24: chance 1/24
    for (uint32_t s = 0; s < 200; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        w.generals[g].house = static_cast<int16_t>(h);
        game.rng.seed(seed);
        Random copy(seed);
        illnessDeaths(game);
        ASSERT_EQ(w.generals[g].house == kHouseLost, copy.unit() <= 1.0 / 24) << seed;
    }
    w.date = {1558, 12}; // a year before lifeEnd - 1: never
    w.generals[g].house = static_cast<int16_t>(h);
    game.rng.seed(1);
    illnessDeaths(game);
    EXPECT_EQ(game.rng.state(), Random(1).state());
}

TEST_F(EventsTest, TheTroopsOfTheDeadGoToTheBravestFirst) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    const int timid = b.general("弱", h, c), brave = b.general("強", h, c);
    w.generals[timid].lifeEnd = w.generals[brave].lifeEnd = 1600;
    w.generals[timid].valor = 5;
    w.generals[timid].foot = 400;
    w.generals[brave].valor = 9;
    w.generals[brave].foot = 450;
    w.generals[brave].cavalry = 150;
    const int g = oldGeneral(b, w, h, c, 70);
    w.generals[g].foot = 600;
    w.generals[g].cavalry = 300;
    w.generals[g].guns = 100;
    uint32_t seed = 0;
    while (Random(seed).unit() > 0.9)
        ++seed;
    game.rng.seed(seed);
    illnessDeaths(game);
    ASSERT_EQ(w.generals[g].house, kHouseLost);
    EXPECT_EQ(w.generals[brave].foot, 500);
    EXPECT_EQ(w.generals[brave].cavalry, 200);
    EXPECT_EQ(w.generals[brave].guns, 100);
    EXPECT_EQ(w.generals[timid].foot, 500);
    EXPECT_EQ(w.generals[timid].cavalry, 200);
    EXPECT_EQ(w.generals[timid].guns, 0);
    ASSERT_EQ(game.messageLog.size(), 1u);
    EXPECT_EQ(game.messageLog[0], "甲 の 老 が病没しました\n（老 の兵は他の武将に配分しました）");
}

TEST_F(EventsTest, VassalsOfAFallenLordBecomeIndependentAndFellowVassalsAllies) {
    const int lord = b.house("主"), v = b.house("従"), f = b.house("同"), e = b.house("他");
    b.vassal(v, lord, 2);
    b.vassal(f, lord, 1);
    setRelationKind(w.houses[v], f, kRelFellowSubordinate);
    setRelationKind(w.houses[f], v, kRelFellowSubmitted);
    const int vc = b.castle("従城", v), ec = b.castle("他城", e), fc = b.castle("同城", f);
    b.route(vc, ec);
    b.general("従当主", v, vc);
    const int stray = b.general("迷", v, ec);
    w.generals[stray].status = kStatusGuest;
    b.general("同当主", f, fc);
    w.houses[lord].head = -1;
    freeVassalsOfFallenLords(game);
    EXPECT_EQ(w.houses[v].vassalState, 0);
    EXPECT_EQ(w.houses[v].lord, v);
    EXPECT_EQ(w.houses[f].vassalState, 0);
    EXPECT_EQ(relationKind(w.houses[v], f), kRelPact);
    EXPECT_EQ(relationKind(w.houses[f], v), kRelPact);
    EXPECT_EQ(w.generals[stray].castle, vc);
    EXPECT_EQ(w.generals[stray].status, kStatusOrdinary);
    EXPECT_EQ(game.messageLog.size(), 2u);
    EXPECT_EQ(game.messageLog[0], "従は主家が滅亡したため独立しました");
}

TEST_F(EventsTest, PowerTrendTakesTheSignOfTheTwoComparisons) {
    const int h = b.house("甲"), v = b.house("臣");
    b.castle("一", h);
    b.castle("二", h);
    b.castle("三", v);
    b.vassal(v, h, 2);
    struct {
        int elevenAgo, twoAgo, trend;
    } cases[] = {{5, 5, 1}, {16, 6, 0}, {20, 20, -1}, {11, 11, 0}};
    for (auto tc : cases) {
        // After the shift, entry 10 becomes eleven months ago and entry 1 two months ago.
        w.houses[h].powerHistory[10] = static_cast<int16_t>(tc.elevenAgo);
        w.houses[h].powerHistory[1] = static_cast<int16_t>(tc.twoAgo);
        recordPowerFigures(w);
        EXPECT_EQ(w.houses[h].powerHistory[0], 11); // 2 castles × 5 + 1 of the vassal
        EXPECT_EQ(w.houses[h].powerTrend, tc.trend) << tc.elevenAgo << " " << tc.twoAgo;
    }
    EXPECT_EQ(w.houses[v].powerHistory[0], 5);
}

TEST_F(EventsTest, FleetsComeOneMonthNearerHomeAndEmptySlotsStay) {
    const int h = b.house("甲");
    const int port = b.castle("港", h), inland = b.castle("山", h);
    w.castleSites[port].hasPort = 1;
    w.castles[port].voyages[0] = {3, 1, 2, 4};
    w.castles[port].voyages[1] = {0, 1, 5, 4};
    w.castles[port].voyages[2] = {1, 0, 0, 1};
    w.castles[inland].voyages[0] = {3, 1, 2, 4};
    advanceTradeVoyages(w);
    EXPECT_EQ(w.castles[port].voyages[0].monthsLeft, 1);
    EXPECT_EQ(w.castles[port].voyages[1].monthsLeft, 5);
    EXPECT_EQ(w.castles[port].voyages[2].monthsLeft, 0); // no wrap round below zero
    EXPECT_EQ(w.castles[inland].voyages[0].monthsLeft, 2);
}

} // namespace
} // namespace vh
