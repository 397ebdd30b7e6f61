// The relation byte (kinds and countdowns), the koku and strength figures, borders, castle
// endurance and the defiance score at its boundaries.
#include "diplomacy/defiance.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy_fixture.h"

namespace vh::test {
namespace {

using Relations = DiplomacyTest;

TEST_F(Relations, CountersSurviveEveryChangeOfKind) {
    const int a = b.house("甲"), c = b.house("乙");
    setRelationCounter(w.houses[a], c, 3);
    setRelationCounter(w.houses[c], a, 7);
    establishNonAggression(game, a, c, true);
    EXPECT_EQ(kind(a, c), kRelPact);
    EXPECT_EQ(counterAbout(w, a, c), 3);
    EXPECT_EQ(counterAbout(w, c, a), 7);
    breakRelation(game, a, c);
    EXPECT_EQ(kind(a, c), kRelNothing);
    EXPECT_EQ(counterAbout(w, a, c), 3);
    EXPECT_EQ(counterAbout(w, c, a), 7);

    // A permanent countdown on either byte turns a dissolved pair into sworn enemies.
    setPairKind(w, a, c, kRelPact);
    setRelationCounter(w.houses[c], a, kPermanentRefusal);
    dropPair(w, a, c);
    EXPECT_EQ(kind(a, c), kRelSwornEnemy);
    EXPECT_EQ(kind(c, a), kRelSwornEnemy);
    EXPECT_EQ(counterAbout(w, c, a), kPermanentRefusal);
}

TEST_F(Relations, MonthlyCountdownSparesZeroAndFifteen) {
    const int a = b.house("甲"), c = b.house("乙"), d = b.house("丙"), e = b.house("丁");
    w.houses[a].relations[c] = 0xE2; // 14, pact
    w.houses[a].relations[d] = 0x14; // 1, subordinate's lord
    w.houses[a].relations[e] = 0xF0; // 15, sworn enemy
    w.houses[c].relations[a] = 0x02;
    // A destroyed house's grudges run out as well, so it does not rise again with stale ones.
    w.houses[d].relations[a] = 0x31;
    w.houses[d].head = -1;
    ASSERT_FALSE(houseAlive(w, d));
    countDownRelations(w);
    EXPECT_EQ(w.houses[d].relations[a], 0x21);
    EXPECT_EQ(w.houses[a].relations[c], 0xD2);
    EXPECT_EQ(w.houses[a].relations[d], 0x04);
    EXPECT_EQ(w.houses[a].relations[e], 0xF0);
    EXPECT_EQ(w.houses[c].relations[a], 0x02);
    EXPECT_FALSE(refusesProposals(w, a, d));
    EXPECT_TRUE(refusesProposals(w, a, c));
}

TEST_F(Relations, KokuAndStrengthCountSubmittedVassalsOnly) {
    const int lord = b.house("主"), sub = b.house("臣"), dep = b.house("従"), gone = b.house("亡");
    castle("主城", lord, 1000);
    const int sc = castle("臣城", sub, 500);
    castle("従城", dep, 300);
    castle("亡城", gone, 200);
    b.vassal(sub, lord, 2);
    b.vassal(dep, lord, 1);
    b.vassal(gone, lord, 2);
    w.houses[gone].head = -1;
    general("主将", lord, 0, 10, 20); // 50
    general("臣将", sub, sc, 1, 2);   // 5
    general("従将", dep, 2, 100, 0);  // 300

    EXPECT_EQ(kokuOf(w, lord), 1000);
    EXPECT_EQ(kokuWithVassals(w, lord), 1500);
    EXPECT_EQ(strengthOf(w, lord), 50);
    EXPECT_EQ(strengthWithVassals(w, lord), 55);
    EXPECT_EQ(effectiveOwner(w, sc), lord);
    EXPECT_EQ(sideThroughLord(w, dep), lord);
}

TEST_F(Relations, NeighboursAreDistinctEffectiveOwnersInCastleOrder) {
    const int us = b.house("我"), lord = b.house("主"), sub = b.house("臣"), x = b.house("他");
    b.vassal(sub, lord, 2);
    const int u1 = castle("我一", us, 1), u2 = castle("我二", us, 1);
    const int s = castle("臣城", sub, 1), l = castle("主城", lord, 1), o = castle("他城", x, 1);
    b.route(u1, o);
    b.route(u1, s);
    b.route(u2, l);
    EXPECT_EQ(neighboursOf(w, us), (std::vector<int>{x, lord}));
    EXPECT_EQ(neighboursOf(w, lord), (std::vector<int>{us}));
    // bordersHouse looks at the owners themselves.
    EXPECT_TRUE(bordersHouse(w, us, sub));
    EXPECT_TRUE(bordersHouse(w, sub, us));
    EXPECT_FALSE(bordersHouse(w, x, lord));
}

TEST_F(Relations, MonthsOfResistanceTakeTheShorterOfFoodAndWalls) {
    const int us = b.house("我"), them = b.house("敵");
    const int c = castle("城", us, 100);
    Castle& k = w.castles[c];
    k.garrison = 10;
    k.food = 1200;
    k.size = 1;
    k.siegeProgress = 10;
    general("守将", us, c, 0, 40);
    EXPECT_EQ(monthsOfResistance(w, c), 1000); // nobody at the gate
    general("攻将", them, c, 40, 60, true);
    // Food: 1200 / (50 × 10) → 3. Walls: 90 / (((100/50 − 1) × 2 + 1) × 5) = 6.
    EXPECT_EQ(monthsOfResistance(w, c), 3);
    k.food = 100000;
    EXPECT_EQ(monthsOfResistance(w, c), 6);
    k.garrison = 0;
    w.generals[0].foot = 0;
    EXPECT_EQ(monthsOfResistance(w, c), 1); // nobody inside
}

struct Defiance : DiplomacyTest {
    int target = b.house("標的");
    int demander = b.house("要求");
    int t = castle("標的城", target, 499);
    int b1 = castle("前線", demander, 600);
    int b2 = castle("後方", demander, 400);
    int b3 = castle("飛地", demander, 5000);
    int head = general("当主", target, t);
    void SetUp() override {
        b.route(t, b1);
        b.route(b1, b2);
        w.generals[head].ambition = 5;
        w.generals[head].loyalty = 5;
        w.houses[demander].powerTrend = -1;
    }
};

TEST_F(Defiance, FrontWeightIsTheTouchingBlockOnly) {
    EXPECT_EQ(frontKoku(w, target, demander), 1000);
    w.castles[t].yield = 500; // exactly half of the front
    EXPECT_EQ(defianceScore(w, target, demander, true), 1.0);
    w.castles[t].yield = 499;
    EXPECT_LT(defianceScore(w, target, demander, true), 1.0);
}

TEST_F(Defiance, WithoutEnemiesTheTrendDecides) {
    // V = 0: s1 = s2 = 1 before the trend; s3 is large because the front dwarfs the target.
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), 0.0);
    w.houses[demander].powerTrend = 0;
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), 1 - 1.3);
    w.houses[demander].powerTrend = 1;
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), -1.0);
    w.settings.dokuritsuJoukenHosei = 10;
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), -3.0);
}

TEST_F(Defiance, EnemiesOfTheDemanderEmboldenTheTarget) {
    const int enemy = b.house("敵"), friendOfHim = b.house("友");
    const int e = castle("敵城", enemy, 1000);
    const int f = castle("友城", friendOfHim, 100000);
    b.route(b3, e);
    b.route(b3, f);
    setPairKind(w, friendOfHim, demander, kRelPact);
    // V = 1000, P = 1000: s1 = 0.5 + (5000 − 200) × 0.5 / 800 = 3.5, s2 = 2.25; s3 ≈ 2.88.
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), 1 - 2.25);
    // A friendly house counts only when named as an extra enemy: V = 101000 makes s2 fall below 0.5.
    EXPECT_NEAR(defianceScore(w, target, demander, true, {friendOfHim}),
                1 - (0.5 + (3000 - 20200) * 0.5 / 80800), 1e-12);
    // The target's own castles are never its demander's other enemies.
    const double whole = defianceScore(w, target, demander, false);
    b.route(b3, castle("標的出城", target, 0));
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, false), whole);
}

TEST_F(Defiance, LoyaltyCountsOnlyForTheWholeRealm) {
    const int enemy = b.house("敵");
    b.route(b3, castle("敵城", enemy, 6000));
    const double front = defianceScore(w, target, demander, true);
    w.generals[head].loyalty = 0;
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, true), front);
    // Whole realm: P = 6000, V = 6000; s2 = lerp(6000 × 1; 1200 → 0.5, 6000 → 1) = 1.
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, false), 0.0);
    // A house without a head weighs loyalty as 5: s2 = lerp(18000; 1200, 6000) = 2.25.
    w.houses[target].head = -2;
    EXPECT_DOUBLE_EQ(defianceScore(w, target, demander, false), 1 - 2.25);
}

TEST_F(Defiance, ASubmittedTargetIsTakenOutOfItsLordsWeight) {
    b.vassal(target, demander, 2);
    // P = kokuWithVassals − K = 6499 − 499 in the whole realm; on the front the target's castle
    // joins the block and is taken out again.
    EXPECT_EQ(frontKoku(w, target, demander), 1000 + 499);
    w.castles[t].yield = 1000;
    EXPECT_EQ(defianceScore(w, target, demander, true), 1.0); // 2000 − 1000 = 1000 ≤ 2 × 1000
    w.castles[t].yield = 499;
    EXPECT_LT(defianceScore(w, target, demander, true), 1.0);
}

} // namespace
} // namespace vh::test
