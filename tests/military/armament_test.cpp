// Conscription, castle food and castle improvement: the pools and their reset, the limits and
// ranges, the money check, the fill of every general, and what the operations take from the land.
#include "game/phase_table.h"
#include "military/castle_works.h"
#include "military/conscription.h"
#include "military/recruit_pools.h"
#include "support/world_builder.h"
#include "world/numeric.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::WorldBuilder;

struct Armament : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int us = b.house("我ら", 100000);
    int them = b.house("敵");
    int a = b.castle("甲城", us, 0);
    int c = b.castle("乙城", us, 0);
    int elsewhere = b.castle("丙城", us, 1);
    int g = b.general("将", us, a);

    void SetUp() override {
        w.playerHouse = us;
        const int yields[] = {60000, 30000, 10000};
        const int castles[] = {a, c, elsewhere};
        for (int i = 0; i < 3; ++i) {
            w.castles[castles[i]].yield = yields[i];
            w.castles[castles[i]].support = 1000;
        }
        snapshot();
    }
    void snapshot() {
        for (int k = 0; k < w.castleCount; ++k)
            w.castleSnapshot[k] = w.castles[k];
    }
};

TEST_F(Armament, PoolsFromDirectCastlesDrawnDownAndSetAgainWhenThePhaseStarts) {
    // 100000 koku at full support: cavalry 100000 / 1000 / 10 = 10, foot 100.
    w.castles[b.castle("軍団城", us, 2)].corps = 0; // a corps' castle adds nothing
    w.castles[b.castle("敵城", them, 2)].yield = 90000;
    computeRecruitPools(w);
    EXPECT_EQ(phaseStartPools(w).cavalry, 10);
    EXPECT_EQ(phaseStartPools(w).foot, 100);

    ConscriptionPlan p = makeConscriptionPlan(w, us, 0, remainingPools(w));
    ASSERT_EQ(p.generals.size(), 1u);
    ASSERT_TRUE(setPendingFoot(w, p, 0, 20));
    applyPlayerConscription(w, p);
    EXPECT_EQ(remainingPools(w).foot, 80);
    EXPECT_EQ(phaseStartPools(w).foot, 100);
    // The range of a second opening counts only what is left.
    p = makeConscriptionPlan(w, us, 0, remainingPools(w));
    EXPECT_EQ(footRange(w, p, 0), 80);

    // The phase table sets both pairs again once the houses before the player have armed.
    phaseRoutines(game, kPhaseArmament).beforePlayer(game);
    EXPECT_EQ(remainingPools(w).foot, phaseStartPools(w).foot);
    EXPECT_EQ(remainingPools(w).cavalry, phaseStartPools(w).cavalry);
}

TEST_F(Armament, RangesKeepLimitsAndMoneyCheckRestores) {
    w.generals[g].cavalry = 195; // 1950 men with HeiUnit 10
    ConscriptionPlan p = makeConscriptionPlan(w, us, 0, {100, 1000});
    EXPECT_EQ(cavalryRange(w, p, 0), 5);
    p = makeConscriptionPlan(w, us, 0, {3, 1000});
    EXPECT_EQ(cavalryRange(w, p, 0), 3); // the pool is smaller than the room
    w.generals[g].cavalry = 250;         // above the limit from the start: nothing, never negative
    EXPECT_EQ(cavalryRange(w, p, 0), 0);

    // Garrison: size × (ShiroHyourouMax / 10) / HeiUnit, from the foot pool shared with generals.
    ASSERT_EQ(p.castles, (std::vector<int>{a, c}));
    w.castles[a].size = 2;
    w.castles[a].garrison = 30;
    EXPECT_EQ(garrisonRange(w, p, 0), 10);
    p.remaining.foot = 505;
    ASSERT_TRUE(setPendingFoot(w, p, 0, 500));
    EXPECT_EQ(garrisonRange(w, p, 0), 5);

    // Money: funds 100 allow 10 foot units; the eleventh is refused and the value kept.
    p.foot[0] = 0;
    p.funds = 100;
    ASSERT_FALSE(setPendingFoot(w, p, 0, 11));
    EXPECT_EQ(p.foot[0], 0);
    ASSERT_TRUE(setPendingFoot(w, p, 0, 10));
    EXPECT_EQ(moneyLeft(w, p), 0);
    EXPECT_FALSE(setPendingGarrison(w, p, 1, 1));
    EXPECT_EQ(p.garrison[1], 0);
}

TEST_F(Armament, HundredFootAndHundredCavalryTakeYieldAndSupportFromTheSnapshot) {
    computeRecruitPools(w);
    const int funds = w.houses[us].funds;
    ConscriptionPlan p = makeConscriptionPlan(w, us, 0, remainingPools(w));
    ASSERT_TRUE(setPendingFoot(w, p, 0, 10));
    ASSERT_TRUE(setPendingCavalry(w, p, 0, 10));
    EXPECT_EQ(moneyLeft(w, p), funds - 400);
    applyPlayerConscription(w, p);
    EXPECT_EQ(w.houses[us].funds, funds - 400);
    EXPECT_EQ(w.generals[g].foot, 10);
    EXPECT_EQ(w.generals[g].cavalry, 10);
    // 200 men over three direct castles in castle order: 67, 67, 66.
    EXPECT_EQ(w.castles[a].yield, 60000 - 67);
    EXPECT_EQ(w.castles[c].yield, 30000 - 67);
    EXPECT_EQ(w.castles[elsewhere].yield, 10000 - 66);
    const int loss = roundHalfAway(400.0 * 1000 / (100000 - 200));
    EXPECT_EQ(loss, 4);
    EXPECT_EQ(w.castles[a].support, 1000 - loss);
    EXPECT_EQ(w.castles[elsewhere].support, 1000 - loss);

    // Two openings equal one: a second, empty OK changes nothing more.
    const Castle before = w.castles[a];
    applyPlayerConscription(w, makeConscriptionPlan(w, us, 0, remainingPools(w)));
    EXPECT_EQ(w.castles[a].yield, before.yield);
    EXPECT_EQ(w.castles[a].support, before.support);
}

TEST_F(Armament, YieldSpreadStopsAtZeroAndNoYieldKeepsSupport) {
    const std::vector<int> castles = {a, c};
    spreadRecruitYield(w, castles, {10, 1000}, 100); // shares 50 (only 10 there), then 90
    EXPECT_EQ(w.castles[a].yield, 0);
    EXPECT_EQ(w.castles[c].yield, 910);
    w.castles[a].yield = w.castles[c].yield = 0;
    applyRecruitSupportLoss(w, castles, {300, 300}, 400);
    EXPECT_EQ(w.castles[a].support, 1000); // unchanged, no division by zero
}

TEST_F(Armament, FillAllFollowsListOrderAsFarAsPoolsAndMoneyReach) {
    const int second = b.general("次", us, c);
    const int guest = b.general("客", them, c);
    w.generals[guest].status = kStatusGuest; // a guest of another house is not ours
    const int vassal = b.house("臣下");
    b.vassal(vassal, us, 2);
    const int vassalGuest = b.general("臣下客", vassal, c);
    w.generals[vassalGuest].status = kStatusGuest; // one serving our submitted vassal is
    const int corpsLeader = b.general("軍団", us, a);
    b.corps(corpsLeader, us);
    ConscriptionPlan p = makeConscriptionPlan(w, us, 0, {30, 600});
    ASSERT_EQ(p.generals, (std::vector<int>{g, second, vassalGuest}));
    p.funds = 5000 + 600; // all 500 foot units of the first, then 20 cavalry units
    fillAllGenerals(w, p, {1, 0});
    EXPECT_EQ(p.foot[1], 500);
    EXPECT_EQ(p.cavalry[1], 20); // 600 money left after the foot buy 20 of the 30 cavalry units
    EXPECT_EQ(p.foot[0], 0);
    EXPECT_EQ(p.cavalry[0], 0);
    EXPECT_EQ(moneyLeft(w, p), 0);
}

TEST_F(Armament, FoodUpToCapacityAndImprovementOncePerPhase) {
    w.castles[a].size = 3;
    w.castles[a].food = 1000;
    w.castles[c].size = 10;
    snapshot();
    FoodPlan f = makeFoodPlan(w, us, 0);
    ASSERT_EQ(f.castles[0], a);
    EXPECT_EQ(foodRange(w, f, 0), 3 * 2000 - 1000);
    EXPECT_TRUE(setPendingFood(w, f, 0, 999999)); // cut to the capacity
    applyFood(w, f);
    EXPECT_EQ(w.castles[a].food, 6000);
    EXPECT_EQ(w.houses[us].funds, 100000 - 5000);
    f = makeFoodPlan(w, us, 0);
    f.funds = 10;
    EXPECT_EQ(foodRange(w, f, 1), 10);
    EXPECT_FALSE(setPendingFood(w, f, 1, 11));

    ImprovePlan p = makeImprovePlan(w, us, 0);
    EXPECT_EQ(markImprovement(w, p, 1), kImproveAtMaximum);
    EXPECT_EQ(markImprovement(w, p, 0), "");
    EXPECT_EQ(p.cost, 3000);
    EXPECT_EQ(markImprovement(w, p, 0), kImproveDone);
    applyImprovement(w, p);
    EXPECT_EQ(w.castles[a].size, 4);
    EXPECT_EQ(w.castles[c].size, 10);
    // Reopened in the same phase: shown as done and refused.
    p = makeImprovePlan(w, us, 0);
    EXPECT_TRUE(improvedOrMarked(w, p, 0));
    EXPECT_EQ(markImprovement(w, p, 0), kImproveDone);
    snapshot(); // the next 軍備 phase
    p = makeImprovePlan(w, us, 0);
    p.funds = 3999;
    EXPECT_EQ(markImprovement(w, p, 0), kNoFunds);
}

} // namespace
} // namespace vh
