// Armaments of a computer account: castle size and food at the front within the budget, recruits
// for garrisons and generals with their price, the guns, and what a waiting corps still does.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer_fixture.h"

namespace vh::test {
namespace {

struct Armament : ComputerTest {
    int a = b.house("甲", 0);
    int e = b.house("敵", 0);
    int front = castle("前線", a, 0);
    int inner = castle("奥", a, 0);
    int enemy = castle("敵城", e, 10000);
    void SetUp() override {
        b.route(front, enemy);
        b.route(front, inner);
        general("敵将", e, enemy, 0, 10);
    }
    int sizeAfter(int size, int funds, uint8_t kind = kHouseNormal) {
        w.castles[front].size = static_cast<uint8_t>(size);
        w.castles[front].food = 1000000; // stores full: nothing else to buy
        w.houses[a].funds = funds;
        w.houses[a].kind = kind;
        armAccount(game, a, -1);
        return w.castles[front].size;
    }
};

TEST_F(Armament, CastleSizeNeedsItsBudgetAndStopsAtTen) {
    EXPECT_EQ(sizeAfter(4, 5999), 4);
    EXPECT_EQ(sizeAfter(4, 6000), 5);
    EXPECT_EQ(w.houses[a].funds, 2000);
    EXPECT_EQ(sizeAfter(5, 14999), 5);
    EXPECT_EQ(sizeAfter(5, 15000), 6);
    EXPECT_EQ(sizeAfter(10, 1000000), 10);
    EXPECT_EQ(w.castles[inner].size, 1); // not at the front
    w.castles[front].besiegerCount = 1;
    EXPECT_EQ(sizeAfter(5, 1000000), 5);
}

TEST_F(Armament, TheRyuukyuuHouseWorksWithHalfItsBudget) {
    EXPECT_EQ(sizeAfter(5, 20000, kHouseRyuukyuu), 5);
    EXPECT_EQ(sizeAfter(5, 30000, kHouseRyuukyuu), 6);
    EXPECT_EQ(sizeAfter(5, 20000, kHouseNormal), 6);
}

TEST_F(Armament, RecruitsFillTheGarrisonThenTheGeneralAndArePaidInKokuAndSupport) {
    Castle& k = w.castles[front];
    k.yield = 100000;
    k.support = 1000;
    k.food = 2000;
    const int g = general("甲将", a, front);
    w.houses[a].funds = 100000;
    armAccount(game, a, -1);
    EXPECT_EQ(k.size, 2);
    EXPECT_EQ(k.food, 4000);
    EXPECT_EQ(k.garrison, 40);
    EXPECT_EQ(w.generals[g].foot, 60);
    EXPECT_EQ(w.generals[g].cavalry, 10);
    // 1100 men spread over the two castles: the inner one has no koku to give its half.
    EXPECT_EQ(k.yield, 100000 - 550);
    EXPECT_EQ(w.castles[inner].yield, 0);
    EXPECT_EQ(k.support, 1000 - 13); // roundHalfAway(1000 × 130 × 10 / 99450)
    EXPECT_EQ(w.houses[a].funds, 100000 - 1000 - 2000 - 1300);
}

TEST_F(Armament, GeneralsWithoutValorTakeNoShareAndFootlessOnesNoGuns) {
    Castle& k = w.castles[front];
    k.yield = 100000;
    k.support = 1000;
    k.food = 1000000;
    const int g1 = general("無勇", a, front), g2 = general("無勇二", a, front);
    w.generals[g1].valor = w.generals[g2].valor = 0;
    w.houses[a].funds = 100000;
    w.houses[a].undeployedGuns = 7;
    armAccount(game, a, -1);
    EXPECT_EQ(w.generals[g1].foot + w.generals[g2].foot + w.generals[g1].cavalry + w.generals[g2].cavalry, 0);
    EXPECT_EQ(w.generals[g1].guns + w.generals[g2].guns, 0);
    EXPECT_EQ(w.houses[a].undeployedGuns, 7);
    EXPECT_GT(k.garrison, 0); // the garrison still takes its foot
    EXPECT_EQ(w.houses[a].funds, 100000 - 1000 - k.garrison * 10);
}

TEST_F(Armament, AWaitingCorpsOnlyHandsOutItsGuns) {
    const int leader = general("長", a, front, 0, 30);
    const int second = general("副", a, front, 0, 10);
    w.generals[second].corps = -1;
    for (int action : {kCorpsWait, kCorpsDomestic}) {
        w.generals[leader].guns = w.generals[second].guns = 0;
        const int c = corps(leader, a, action, 0);
        w.generals[second].corps = static_cast<int16_t>(c);
        w.corps[c].funds = 100000;
        w.corps[c].undeployedGuns = 20;
        w.castles[front].size = 5;
        armAccount(game, a, c);
        EXPECT_EQ(w.generals[leader].guns, 15); // ceilAway(30 / 40 × 20)
        EXPECT_EQ(w.generals[second].guns, 5);
        EXPECT_EQ(w.corps[c].undeployedGuns, 0);
        EXPECT_EQ(w.corps[c].funds, 100000);
        EXPECT_EQ(w.castles[front].size, 5);
        EXPECT_EQ(w.castles[front].garrison, 0);
        w.corps[c] = Corps{};
    }
}

TEST_F(Armament, BudgetCountsTheMonthsOfDeficitUntilTheHarvest) {
    general("甲将", a, front, 0, 100); // upkeep truncate(10 × 100 × 0.77) = 770
    w.houses[a].funds = 20000;
    w.castles[front].town = 100;
    // balance 100 − truncate(1.1 × 770) = −747, for 21 − 10 = 11 months
    EXPECT_EQ(accountBudget(w, a, -1), 20000 - 747 * 11);
    w.castles[front].town = 1000;
    EXPECT_EQ(accountBudget(w, a, -1), 20000);
    w.date.month = 3;
    EXPECT_EQ(monthsUntilHarvest(3), 6);
    EXPECT_EQ(monthsUntilHarvest(9), 12);
}

} // namespace
} // namespace vh::test
