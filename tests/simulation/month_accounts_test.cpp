// The month's money end to end for one computer house: the harvest roll, its tax choice, the
// settlement, koku growth and mining growth, with the figures worked out by hand.
#include "simulation/accounts.h"

#include "support/world_builder.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::WorldBuilder;

// One region, one province, one directly held castle and one idle general.
struct MonthAccountsTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int h = -1, c = -1;
    void SetUp() override {
        w.settings.heiUnit = 10;
        w.playerHouse = -1;
        b.region("r");
        b.province("p", 0);
        h = b.house("甲", 1000);
        c = b.castle("城", h);
        Castle& k = w.castles[c];
        k.yield = 100000;
        w.castleSites[c].maxYield = 200000;
        k.support = 500;
        k.town = 100;
        k.mine = 100;
        k.garrison = 50;
        w.houses[h].miningSkill = 500;
        const int g = b.general("将", h, c);
        w.generals[g].cavalry = 10;
        w.generals[g].foot = 20;
    }
};

TEST_F(MonthAccountsTest, AnOrdinaryMonthDrawsNothingAndSettlesTownMineAndUpkeep) {
    w.date = {1560, 4};
    game.rng.seed(99);
    settleMonthAccounts(game);
    // Town 100 + mine 100 × 500 / 1000 = 150; upkeep 150 + 100 + 50 = 300.
    EXPECT_EQ(w.houses[h].funds, 850);
    EXPECT_EQ(w.castles[c].yield, 100000);
    EXPECT_EQ(w.castles[c].support, 500);
    EXPECT_EQ(w.houses[h].miningSkill, 501); // (100 / 50)^0.3 = 1.23
    EXPECT_EQ(game.rng.state(), Random(99).state());
}

TEST_F(MonthAccountsTest, TheHarvestMonthRollsTaxesSettlesAndGrows) {
    w.date = {1560, 9};
    // Draws: region +1, province good (u < 0.7), support, koku growth.
    game.rng.seed(0x9e37a9f2u);
    settleMonthAccounts(game);
    // Need 9420 against 65000 at the standard rate: ratio 0.14, the lightest tax (30 %).
    // Harvest 130000 × 30 % = 39000; funds 1000 + 39000 + 150 - 300.
    EXPECT_EQ(w.houses[h].funds, 39850);
    EXPECT_EQ(w.castles[c].support, 594); // toward 990
    // Growth on the untaxed koku: (0.018 + u × 0.004) × 200000 × 1.2 = 4682.2.
    EXPECT_EQ(w.castles[c].yield, 104682);
    EXPECT_EQ(w.houses[h].miningSkill, 501);
    Random after(0x9e37a9f2u);
    for (int i = 0; i < 4; ++i) after.next();
    EXPECT_EQ(game.rng.state(), after.state());
}

} // namespace
} // namespace vh
