// Land development, free markets and mines: gates, the castle list, the gain and the cost check.
#include "economy/development.h"

#include "economy_fixture.h"
#include "support/world_builder.h"
#include "world/numeric.h"

#include <memory>
#include <random>

namespace vh {
namespace {

using Dev = Development;
using test::EconomyTest;

TEST_F(EconomyTest, LandDevelopmentKeepsOutOfTheFarmingSeasonAndEveryCommandStaysNearTheHead) {
    for (int month = 1; month <= 12; ++month) {
        w.date.month = month;
        const std::string refusal = checkDevelopmentCommand(w, Dev::Land, 0);
        if (month >= 3 && month <= 8)
            EXPECT_EQ(refusal, kFarmingSeason) << month;
        else
            EXPECT_EQ(refusal, "") << month;
        EXPECT_EQ(checkDevelopmentCommand(w, Dev::Market, 0), "") << month;
    }
    w.date.month = 1;
    EXPECT_EQ(checkDevelopmentCommand(w, Dev::Land, 1), ""); // joined by a route
    EXPECT_EQ(checkDevelopmentCommand(w, Dev::Mine, 2), developmentTexts(Dev::Mine).tooFar);
    EXPECT_EQ(checkDevelopmentCommand(w, Dev::Market, -1), "国を選択してください");
    // The season is refused before the distance.
    w.date.month = 5;
    EXPECT_EQ(checkDevelopmentCommand(w, Dev::Land, 2), kFarmingSeason);
}

TEST_F(EconomyTest, TheListHoldsOwnUnbesiegedCastlesBelowTheirCeilingNotRaisedSinceTheSnapshot) {
    const int besieged = b.castle("岐阜城", player, 0);
    const int full = b.castle("犬山城", player, 0);
    const int vassal = b.house("浅井");
    b.vassal(vassal, player);
    b.castle("小谷城", vassal, 0);
    for (int c = 0; c < w.castleCount; ++c) {
        w.castleSites[c].maxTown = 100;
        w.castles[c].town = 40;
    }
    w.castles[besieged].besiegerCount = 1;
    w.castles[full].town = 100;
    for (int c = 0; c < w.castleCount; ++c)
        w.castleSnapshot[c] = w.castles[c];
    EXPECT_EQ(developmentCastles(w, Dev::Market, player, 0), std::vector<int>{home});

    runDevelopment(game, Dev::Market, player, -1, {home});
    EXPECT_GT(w.castles[home].town, 40);
    EXPECT_TRUE(developmentCastles(w, Dev::Market, player, 0).empty());
    // The mine was not raised, so the same castle is listed for it.
    w.castleSites[home].maxMine = 50;
    EXPECT_EQ(developmentCastles(w, Dev::Mine, player, 0), std::vector<int>{home});
}

TEST_F(EconomyTest, LandGainFollowsTheBestPoliticsOfTheOwnHouseInTheProvinceWithinItsBounds) {
    w.castleSites[home].maxYield = 1000000;
    w.castles[home].yield = 10000;
    w.castles[home].support = 500;
    // Nobody of the house in the province: P = 0, about 800 石.
    w.generals[head].castle = far;
    EXPECT_EQ(provincePolitics(w, home), 0);
    for (uint32_t seed = 0; seed < 40; ++seed) {
        game.rng.seed(seed * 0x9E3779B9u);
        w.castles[home].yield = 10000;
        const int v = developCastle(game, Dev::Land, home, false);
        EXPECT_GE(v - 10000, 720);
        EXPECT_LE(v - 10000, 880);
    }
    // Best politics among the house's generals in the province; the field and other houses do
    // not count.
    w.generals[head].castle = home;
    w.generals[head].politics = 40;
    w.generals[b.general("秀吉", player, near)].politics = 90; // another province
    w.generals[b.general("包囲", player, home, true)].politics = 99;
    w.generals[b.general("他家", rival, home)].politics = 99;
    EXPECT_EQ(provincePolitics(w, home), 40);

    // The preview draws nothing and changes nothing.
    w.castles[home].support = 500;
    const Random before = game.rng;
    const Castle kept = w.castles[home];
    EXPECT_EQ(developCastle(game, Dev::Land, home, true), kept.yield + 50 * 80);
    EXPECT_EQ(game.rng.state(), before.state());
    EXPECT_EQ(w.castles[home].support, kept.support);

    // Two draws: the factor, then the support gain.
    Random copy = game.rng;
    const double x = 50 * 80 * (0.9 + 0.2 * copy.unit());
    const int gain = roundHalfAway((0.8 + 0.4 * copy.unit()) * x / 30 * 1000 / 1500);
    EXPECT_EQ(developCastle(game, Dev::Land, home, false), kept.yield + static_cast<int>(x));
    EXPECT_EQ(w.castles[home].support, 500 + gain);
    EXPECT_EQ(game.rng.state(), copy.state());

    // Never past the ceiling, never lowered, support at most 1000.
    w.castleSites[home].maxYield = w.castles[home].yield + 10;
    w.castles[home].support = 999;
    EXPECT_EQ(developCastle(game, Dev::Land, home, false), w.castleSites[home].maxYield);
    EXPECT_EQ(w.castles[home].support, 1000);
    w.castles[home].mine = 70;
    w.castleSites[home].maxMine = 60;
    EXPECT_EQ(developCastle(game, Dev::Mine, home, false), 70);
}

TEST_F(EconomyTest, TheCostCheckRefusesShortFundsAndTheExecutionChargesEachCastle) {
    w.houses[player].funds = 99;
    DevelopmentCheck c = checkDevelopmentOrder(w, Dev::Market, player, 2);
    EXPECT_FALSE(c.confirm);
    EXPECT_EQ(c.message, "100の費用が必要ですが、資金が足りません");
    EXPECT_EQ(checkDevelopmentOrder(w, Dev::Market, player, 0).message, "楽市楽座を行う城を指定して下さい");
    w.houses[player].funds = 100;
    c = checkDevelopmentOrder(w, Dev::Market, player, 2);
    EXPECT_TRUE(c.confirm);
    EXPECT_EQ(c.message, "100の費用が必要です。楽市楽座を行いますか？");

    for (int c2 : {home, near})
        w.castleSites[c2].maxTown = 500;
    const std::vector<int> values = runDevelopment(game, Dev::Market, player, -1, {home, near});
    EXPECT_EQ(w.houses[player].funds, 0);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], w.castles[home].town);
    EXPECT_EQ(values[1], w.castles[near].town);
    // A corps account pays from its own funds.
    const int corps = b.corps(head, player);
    w.corps[corps].funds = 1000;
    w.castleSites[far].maxYield = 100000;
    runDevelopment(game, Dev::Land, player, corps, {far});
    EXPECT_EQ(w.corps[corps].funds, 500);
    EXPECT_EQ(w.houses[player].funds, 0);
}

// The one-pass table must give every castle the scan's value: owners, provinces, generals in the
// field, of other houses, of no house or outside the castle table.
TEST(ProvincePoliticsRandom, TableEqualsScanOnRandomWorlds) {
    std::mt19937 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int compared = 0;
    auto owned = std::make_unique<WorldState>();
    WorldState& w = *owned;
    for (int world = 0; world < 100; ++world) {
        w.houseCount = w.castleCount = w.generalCount = 0;
        test::WorldBuilder b(w);
        const int houses = 1 + pick(4), castles = 1 + pick(30);
        for (int h = 0; h < houses; ++h) b.house("h" + std::to_string(h));
        for (int c = 0; c < castles; ++c) b.castle("c", pick(houses + 1) - 1, pick(5));
        const int generals = pick(60);
        for (int g = 0; g < generals; ++g) {
            const int i = b.general("g", pick(houses + 1) - 1, pick(castles), pick(4) == 0);
            w.generals[i].politics = static_cast<uint8_t>(pick(100));
            if (pick(10) == 0) w.generals[i].castle = static_cast<int16_t>(pick(3) == 0 ? -1 : castles + pick(3));
        }
        for (int owner = -1; owner < houses; ++owner) {
            const std::vector<int> table = provincePoliticsTable(w, owner);
            for (int c = 0; c < castles; ++c) {
                if (w.castles[c].owner != owner) continue;
                ASSERT_EQ(table[w.castleSites[c].province], provincePolitics(w, c)) << world << " " << c;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
} // namespace vh
