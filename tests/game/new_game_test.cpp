// New game set-up: funds, heads, castle lists, food and garrison, random draws, waiting and free
// generals, initial relations, power history, and the player's choice of house.
#include "context/game_text.h"
#include "game/new_game.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh {
namespace {

using test::ScenarioFixture;

struct SetUpTest : ::testing::Test {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    WorldState& w = game->world;
    ScenarioFixture f{w};
};

TEST_F(SetUpTest, FundsMinusOneComeFromTheYieldUntilTheHarvest) {
    const int a = f.house("A", -1);
    const int b = f.house("B", 777);
    f.castle("a1", a, 0, 5, 100000);
    f.castle("a2", a, 1, 5, 23467); // 123467 is not a multiple of 12
    f.castle("b1", b, 2);
    f.general("ga", a, 0);
    f.general("gb", b, 2);

    w.settings.startMonth = 4; // five months to the harvest
    setUpNewGame(*game);
    EXPECT_EQ(w.houses[a].funds, 41155); // 123467 / 12.0 × 0.8 × 5, truncated once at the end
    EXPECT_EQ(w.houses[b].funds, 777);
    EXPECT_EQ(w.houses[a].navigationSkill, 10);
    EXPECT_EQ(w.houses[b].miningSkill, 21);

    w.settings.startMonth = 10; // 9 - 10 < 0: eleven months
    setUpNewGame(*game);
    EXPECT_EQ(w.houses[a].funds, 90542);
    EXPECT_EQ(w.date.month, 10);

    w.settings.startMonth = 9; // the harvest month itself: nothing
    setUpNewGame(*game);
    EXPECT_EQ(w.houses[a].funds, 0);
}

TEST_F(SetUpTest, HeadsFollowTheSuccessionRank) {
    const int a = f.house("A"), b = f.house("B"), c = f.house("C"), d = f.house("D");
    for (int h = 0; h < 4; ++h) f.castle("c", h, h);
    f.general("a1", a, 0, 1);
    f.general("a0", a, 0, 0); // rank 0 wins although listed second
    f.general("b0", b, 1, 0);
    f.general("b0too", b, 1, 0); // equal rank: the first stays
    f.general("cneg", c, 2, -1);
    f.general("cneg2", c, 2, -1); // all negative: the first listed
    f.general("dneg", d, 3, -1);
    f.general("d3", d, 3, 3); // any rank beats a negative head
    setUpNewGame(*game);
    EXPECT_EQ(w.houses[a].head, 1);
    EXPECT_EQ(w.houses[b].head, 2);
    EXPECT_EQ(w.houses[c].head, 4);
    EXPECT_EQ(w.houses[d].head, 7);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(w.castles[k].lord, w.houses[k].head);
}

TEST_F(SetUpTest, TwentyFiveGeneralsInOneCastleListTheFirstTwenty) {
    const int a = f.house("A");
    f.castle("big", a, 0);
    for (int i = 0; i < 25; ++i) f.general("g" + std::to_string(i), a, 0);
    setUpNewGame(*game);
    ASSERT_EQ(w.generalCount, 25);
    EXPECT_EQ(w.castles[0].generalCount, 20);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(w.castles[0].generals[i], i);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(w.generals[i].castle, 0);
}

TEST_F(SetUpTest, FoodAndGarrisonFollowSizeAndYield) {
    const int a = f.house("A");
    f.castle("huge", a, 0, 10, 5000000); // yield term 1,500,000 is above the capacity
    f.castle("small", a, 0, 5, 1000);    // yield term 300 is below half the capacity
    f.castle("mid", a, 0, 5, 20000);     // 6000 lies between half (5000) and the whole (10000)
    f.general("g", a, 0);
    setUpNewGame(*game);
    EXPECT_EQ(w.castles[0].food, 10 * 2000);
    EXPECT_EQ(w.castles[1].food, 5000);
    EXPECT_EQ(w.castles[2].food, 6000);
    EXPECT_EQ(w.castles[1].garrison, 50); // defaults, size 5
    EXPECT_EQ(w.castles[0].garrison, 100);
    EXPECT_EQ(w.castles[0].voyages[0].ships, 0);
    EXPECT_EQ(w.castles[0].owner, a);
    EXPECT_EQ(w.castles[0].corps, -1);
}

TEST_F(SetUpTest, StratagemPointsDrawTwiceForEveryGeneralInFileOrder) {
    const int a = f.house("A");
    f.castle("c", a, 0);
    f.general("present", a, 0, 0, 0, 7);
    f.general("waiting", a, 0, -1, 1570, 4);
    f.general("last", a, 0, -1, 0, 10);
    game->rng.seed(1234);
    setUpNewGame(*game);

    Random replica(1234);
    auto points = [&](int intellect) { return intellect * Random::scaleUpTo(replica.next(), 20); };
    const int p0 = points(7), f0 = points(7), p1 = points(4), f1 = points(4), p2 = points(10), f2 = points(10);
    EXPECT_EQ(w.generals[0].siegeStratagemPoints, p0);
    EXPECT_EQ(w.generals[0].fieldStratagemPoints, f0);
    EXPECT_EQ(w.waitingGenerals[0].siegeStratagemPoints, p1);
    EXPECT_EQ(w.waitingGenerals[0].fieldStratagemPoints, f1);
    EXPECT_EQ(w.generals[1].siegeStratagemPoints, p2);
    EXPECT_EQ(w.generals[1].fieldStratagemPoints, f2);
    EXPECT_EQ(game->rng.state(), replica.state());
}

TEST_F(SetUpTest, WaitingAndFreeGeneralsAreKeptOrPlacedAsWritten) {
    const int a = f.house("A"), b = f.house("B");
    f.castle("a0", a, 0);
    f.castle("b0", b, 0);
    f.castle("a1", a, 1);
    f.castle("b1", b, 1);
    const int wait = f.general("later", test::parenthesised(b), test::provincePlace(1), 2, 1565);
    f.general("freeCastle", ScenarioGeneral::kFreeHouse, 1);
    f.general("freeProvince", ScenarioGeneral::kFreeHouse, test::provincePlace(1));
    f.general("houseProvince", a, test::provincePlace(1));
    f.general("nowhere", ScenarioGeneral::kFreeHouse, test::provincePlace(3)); // no castle there
    f.general("noCastleOfHouse", b, test::provincePlace(2));
    game->rng.seed(99);
    setUpNewGame(*game);

    ASSERT_EQ(w.waitingCount, 1);
    const General& wg = w.waitingGenerals[0];
    EXPECT_EQ(wg.moveTarget, 1565);
    EXPECT_EQ(wg.sortieTarget, test::provincePlace(1));
    EXPECT_EQ(wg.house, test::parenthesised(b)); // kept as written
    EXPECT_EQ(wg.entry, wait);
    for (int16_t refuge : wg.refugeHouses) EXPECT_EQ(refuge, -1) << "no refuge house yet";

    ASSERT_EQ(w.generalCount, 3);
    EXPECT_EQ(w.generals[0].castle, 1);
    EXPECT_EQ(w.generals[0].house, b);
    // The free general in province 1 drew one of its two castles; his house is its owner.
    const int drawn = w.generals[1].castle;
    EXPECT_TRUE(drawn == 2 || drawn == 3);
    EXPECT_EQ(w.generals[1].house, w.castles[drawn].owner);
    EXPECT_EQ(w.generals[2].castle, 2); // the only castle of A in province 1
    EXPECT_EQ(w.generals[2].house, a);
    EXPECT_EQ(w.generals[2].corps, -1);
    EXPECT_EQ(w.generals[2].moveTarget, -1);
}

TEST_F(SetUpTest, AHouseNumberTooLargeStopsPlacingGenerals) {
    const int a = f.house("A");
    f.castle("c", a, 0);
    f.general("ok", a, 0);
    f.general("bad", 1200, 0);
    f.general("afterwards", a, 0);
    setUpNewGame(*game);
    EXPECT_EQ(w.generalCount, 1);
    ASSERT_EQ(game->messageLog.size(), 1u);
    EXPECT_EQ(game->messageLog[0], "大名家の番号が大きすぎます");
}

TEST_F(SetUpTest, SameSeedSameWorld) {
    test::generateScenario(w, 30, 3, 6);
    auto other = std::make_unique<Game>();
    test::generateScenario(other->world, 30, 3, 6);
    game->rng.seed(0);
    other->rng.seed(0);
    setUpNewGame(*game);
    setUpNewGame(*other);
    EXPECT_EQ(saveImage(w), saveImage(other->world));
}

TEST_F(SetUpTest, InitialRelationsAndPowerHistory) {
    const int a = f.house("A"), b = f.house("B"), c = f.house("C"), d = f.house("D"), e = f.house("E");
    for (int h = 0; h < 5; ++h) {
        f.castle("x", h, h % 4);
        f.general("g", h, h);
    }
    f.castle("a2", a, 0);
    f.castle("c2", c, 0);
    f.relation(a, kRelSubmittedTo, c); // C submits to A
    f.relation(a, kRelSubordinateTo, b);
    f.relation(d, kRelSwornEnemy, e);
    f.relation(e, kRelPact, -1); // E at peace with every house (D's enmity keeps kind 2 here)
    setUpNewGame(*game);

    EXPECT_EQ(w.houses[c].vassalState, 2);
    EXPECT_EQ(w.houses[c].lord, a);
    EXPECT_EQ(relationKind(w.houses[a], c), kRelHasSubmitted);
    EXPECT_EQ(relationKind(w.houses[c], a), kRelSubmittedTo);
    EXPECT_EQ(w.houses[b].vassalState, 1);
    EXPECT_EQ(relationKind(w.houses[a], b), kRelHasSubordinate);
    EXPECT_EQ(relationKind(w.houses[b], a), kRelSubordinateTo);
    // Fellow vassals: B is subordinate, C submitted.
    EXPECT_EQ(relationKind(w.houses[b], c), 8);
    EXPECT_EQ(relationKind(w.houses[c], b), 5);
    // Sworn enmity sets the permanent counter both ways; the later pact keeps it.
    EXPECT_EQ(relationCounter(w.houses[d], e), 15);
    EXPECT_EQ(relationCounter(w.houses[e], d), 15);
    EXPECT_EQ(relationKind(w.houses[e], d), kRelPact);
    EXPECT_EQ(relationKind(w.houses[a], e), kRelPact);
    EXPECT_EQ(w.coalitionCount, 0);

    // A: 2 castles (10) + C's 2 castles (2); C counts its own castles.
    for (int16_t p : w.houses[a].powerHistory) EXPECT_EQ(p, 12);
    EXPECT_EQ(w.houses[c].powerHistory[11], 10);
    EXPECT_EQ(w.houses[b].powerHistory[0], 5);
}

// The program keeps one game context from game to game: nothing of the month logs carries over.
TEST_F(SetUpTest, ANewGameStartsWithEmptyLogs) {
    const int a = f.house("A");
    f.castle("a1", a, 0);
    f.general("ga", a, 0);
    game->battleReport = "an earlier game's battles\r\n";
    game->diplomacyLog = "an earlier game's diplomacy";
    setUpNewGame(*game);
    EXPECT_TRUE(game->battleReport.empty());
    EXPECT_TRUE(game->diplomacyLog.empty());
}

TEST_F(SetUpTest, ChoosingAHouseOrWatching) {
    const int a = f.house("A");
    const int idle = f.house("NoCastle");
    f.castle("c", a, 0);
    f.general("g", a, 0);
    setUpNewGame(*game);
    EXPECT_EQ(chooseHouse(*game, idle), kChooseNoSuchHouse);
    EXPECT_EQ(chooseHouse(*game, 5), kChooseNoSuchHouse);
    EXPECT_EQ(chooseHouse(*game, a), kChooseOk);
    EXPECT_EQ(w.playerHouse, a);
    EXPECT_FALSE(w.spectator);

    setUpNewGame(*game);
    EXPECT_EQ(chooseHouse(*game, -1), kChooseOk);
    EXPECT_EQ(w.playerHouse, 2);
    EXPECT_EQ(w.houseCount, 3);
    EXPECT_TRUE(w.spectator);
    EXPECT_EQ(w.houses[2].head, -1); // the phantom is a dead house
}

TEST(SetUp, WatchingIsRefusedWithAThousandHouses) {
    auto game = std::make_unique<Game>();
    ScenarioFixture f(game->world);
    for (int h = 0; h < kMaxHouses; ++h) f.house("H");
    f.castle("c", 0, 0);
    f.general("g", 0, 0);
    setUpNewGame(*game);
    EXPECT_EQ(chooseHouse(*game, -1), kChooseWatchRefused);
    EXPECT_EQ(game->world.houseCount, kMaxHouses);
    ASSERT_FALSE(game->messageLog.empty());
    EXPECT_EQ(game->messageLog.back(), "大名家数がＭＡＸの場合は全自動モードは実行できません");
}

TEST_F(SetUpTest, HouseChoiceRowsAndScenarioInfo) {
    const int a = f.house("織田家"), b = f.house("B");
    f.castle("a0", a, 0, 5, 12345);
    f.castle("a1", a, 1, 5, 10000);
    f.castle("b1", b, 1, 5, 500);
    f.general("g", a, 0);
    setFieldText(w.settings.title, utf8ToCp932("テスト"));
    setUpNewGame(*game);
    const std::vector<HouseChoice> rows = houseChoices(w, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].house, a);
    EXPECT_EQ(rows[0].castles, 2);
    EXPECT_EQ(rows[0].koku, 22345);
    EXPECT_TRUE(houseChoices(w, 3).empty());
    EXPECT_EQ(noProvinceDataMessage(w, 3), "このシナリオでは、P3のデータはありません");
    EXPECT_EQ(startAsHouseMessage(w, a), "織田家で始めます");
    const ScenarioInfo info = scenarioInfo(w);
    EXPECT_EQ(info.title, "テスト");
    EXPECT_EQ(info.castles, 3);
    EXPECT_EQ(info.houses, 2);
    EXPECT_EQ(info.generals, 1);
    EXPECT_EQ(info.tradePartners, 0);
}

} // namespace
} // namespace vh
