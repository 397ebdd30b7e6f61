// New men: waiting generals appearing, masterless generals seeking a lord, generic retainers.
#include "simulation/month_events.h"

#include "recording_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::RecordingFrontend;
using test::WorldBuilder;

struct AppearanceTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int a = -1, c = -1;
    void SetUp() override {
        w.settings.startYear = 1550;
        w.settings.startMonth = 4;
        w.date = {1561, 12};
        a = b.house("甲");
        c = b.castle("甲城", a);
        b.general("当主", a, c);
    }
    // A masterless general in the waiting list with the given refuge houses.
    int ronin(std::initializer_list<int> refuges) {
        const int r = b.waiting("浪人", kHouseRonin, -1, 0);
        std::fill(std::begin(w.waitingGenerals[r].refugeHouses), std::end(w.waitingGenerals[r].refugeHouses),
                  int16_t{-1});
        int i = 0;
        for (int h : refuges)
            w.waitingGenerals[r].refugeHouses[i++] = static_cast<int16_t>(h);
        return r;
    }
};

TEST_F(AppearanceTest, AGeneralAppearsWithCertaintyInMonthTwelveOfHisYear) {
    b.waiting("新", a, c, 1561);
    for (uint32_t seed = 0; seed < 20; ++seed) {
        w.date = {1561, 12};
        game.rng.seed(seed);
        appearWaitingGenerals(game);
    }
    EXPECT_EQ(w.waitingCount, 0);
    ASSERT_EQ(w.generalCount, 2);
    EXPECT_EQ(w.generals[1].house, a);
    EXPECT_EQ(w.generals[1].castle, c);
    EXPECT_EQ(w.castles[c].generals[1], 1);
    EXPECT_EQ(game.messageLog.back(), "新が甲城に登場しました");
}

TEST_F(AppearanceTest, BeforeHisYearHeWaitsAndInItHisChanceGrowsMonthly) {
    b.waiting("新", a, c, 1562);
    game.rng.seed(3);
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 1);
    EXPECT_EQ(game.rng.state(), Random(3).state());

    w.date = {1562, 11}; // chance 1/2
    for (uint32_t s = 0; w.waitingCount == 1; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        game.rng.seed(seed);
        const bool appears = Random(seed).unit() <= 0.5;
        appearWaitingGenerals(game);
        ASSERT_EQ(w.waitingCount == 0, appears);
    }
}

TEST_F(AppearanceTest, NobodyAppearsInTheScenariosFirstMonth) {
    w.date = {1550, 4};
    b.waiting("新", a, c, 1549);
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 1);
}

TEST_F(AppearanceTest, AHouselessGeneralServesTheOwnerOfHisPlace) {
    const int e = b.house("乙");
    const int ec = b.castle("乙城", e);
    b.general("乙当主", e, ec);
    b.waiting("無", ScenarioGeneral::kFreeHouse, ec, 1560);
    // A house written in parentheses that has fallen counts as none.
    const int gone = b.house("滅");
    w.houses[gone].head = -1;
    b.waiting("遺", static_cast<int16_t>(0x8000 | gone), c, 1560);
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 0);
    EXPECT_EQ(w.generals[w.generalCount - 2].house, e);
    EXPECT_EQ(w.generals[w.generalCount - 1].house, a);
    EXPECT_EQ(game.messageLog[0], "無が乙城に登場し、乙に仕官しました");
}

TEST_F(AppearanceTest, NobodyAppearsOrJoinsWhileFiveThousandGeneralsServe) {
    const int r = ronin({a});
    b.waiting("新", a, c, 1560);
    const int before = w.generalCount;
    w.generalCount = kMaxGenerals;
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 2);
    w.generalCount = before;
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 0);
    (void)r;
}

TEST_F(AppearanceTest, ARoninTurnsToARefugeHouseWeightedByKoku) {
    const int e = b.house("乙");
    const int ec = b.castle("乙城", e);
    b.general("乙当主", e, ec);
    w.castles[c].yield = 100;
    w.castles[ec].yield = 300;
    for (int i = 0; i < 2; ++i) { // room for everyone who joins
        b.castle("甲支城", a);
        b.castle("乙支城", e);
    }
    int toA = 0, toE = 0;
    for (uint32_t s = 0; s < 40; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        ronin({a, e});
        game.rng.seed(seed);
        const double u = Random(seed).unit();
        appearWaitingGenerals(game);
        ASSERT_EQ(w.waitingCount, 0);
        const int joined = w.generals[w.generalCount - 1].house;
        ASSERT_EQ(joined, u * 400 <= 100 ? a : e) << seed;
        (joined == a ? toA : toE) += 1;
        EXPECT_EQ(w.generals[w.generalCount - 1].foot, 0);
    }
    EXPECT_GT(toA, 0);
    EXPECT_GT(toE, toA);
}

TEST_F(AppearanceTest, ThePlayerIsAskedAndARefusalStrikesTheHouseFromHisList) {
    const int e = b.house("乙");
    w.castles[c].yield = 100;
    w.playerHouse = a;
    RecordingFrontend fe;
    game.frontend = &fe;
    fe.roninAnswers = {false};
    const int r = ronin({a, e});
    game.rng.seed(0);
    appearWaitingGenerals(game);
    ASSERT_EQ(fe.ronin.size(), 1u);
    EXPECT_EQ(fe.ronin[0].question(), "浪人が当家を頼ってきました。家臣に登用しますか？");
    EXPECT_EQ(w.waitingCount, 1);
    EXPECT_EQ(w.waitingGenerals[r].refugeHouses[0], e);
    EXPECT_EQ(w.waitingGenerals[r].refugeHouses[1], -1);
}

TEST_F(AppearanceTest, ARoninWithNoRefugeLeftKeepsWaiting) {
    ronin({});
    game.rng.seed(2);
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 1);
    EXPECT_EQ(game.rng.state(), Random(2).state());
}

TEST_F(AppearanceTest, ARoninWithNoCastleToGoToStaysWaitingAndThePlayerIsTold) {
    const int e = b.house("乙");
    w.houses[e].head = -2; // alive, but no castle and no head
    w.playerHouse = e;
    ronin({e});
    appearWaitingGenerals(game);
    EXPECT_EQ(w.waitingCount, 1);
    ASSERT_EQ(game.messageLog.size(), 1u);
    EXPECT_EQ(game.messageLog[0], "配備できる城が無いので、登用できません");
}

// A seed whose first draw is at most 0.3 and whose second draw is the top value 32767 (u = 1).
uint32_t seedForLastCastle() {
    for (uint32_t seed = 0;; ++seed) {
        Random r(seed);
        if (r.unit() <= 0.3 && r.next() == 32767) return seed;
    }
}

TEST_F(AppearanceTest, ARetainersCastleDrawOfOneStaysOnTheLastCastle) {
    const int c2 = b.castle("二", a), c3 = b.castle("三", a);
    w.playerHouse = a;
    game.rng.seed(seedForLastCastle());
    makeGenericRetainers(game); // limit trunc(6^0.7) = 3, one general
    ASSERT_EQ(w.generalCount, 2);
    const General& g = w.generals[1];
    EXPECT_EQ(g.castle, c3);
    EXPECT_EQ(w.castles[c3].generals[0], 1);
    EXPECT_EQ(fieldText(g.name), utf8ToCp932("甲郎党"));
    EXPECT_EQ(g.valor, 1);
    EXPECT_EQ(g.loyalty, 10);
    EXPECT_EQ(g.lifeEnd, g.birthYear + 60);
    EXPECT_GE(g.birthYear, 1561 - 40);
    EXPECT_LE(g.birthYear, 1561 - 25);
    EXPECT_EQ(g.flags, kFlagBirthUnknown);
    EXPECT_EQ(game.messageLog.back(), "三に甲郎党が仕官しました");
    (void)c2;
}

TEST_F(AppearanceTest, RetainersStopAtTheLimitAndTakeAShortNameWhenTheirsIsTooLong) {
    setFieldText(w.houses[a].name, utf8ToCp932("一二三四五六七八九十")); // 20 bytes
    w.settings.bushouHojuu = true;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        game.rng.seed(seed);
        makeGenericRetainers(game);
    }
    EXPECT_EQ(w.generalCount, 1); // one castle: limit trunc(2^0.7) = 1
    const int b2 = b.castle("二", a), b3 = b.castle("三", a);
    (void)b2;
    (void)b3;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        game.rng.seed(seed);
        makeGenericRetainers(game);
    }
    EXPECT_EQ(w.generalCount, 3);
    EXPECT_EQ(fieldText(w.generals[1].name), utf8ToCp932("郎党"));
    w.settings.bushouHojuu = false;
    b.castle("四", a);
    game.rng.seed(1);
    makeGenericRetainers(game);
    EXPECT_EQ(game.rng.state(), Random(1).state());
}

} // namespace
} // namespace vh
