// Remnants of destroyed houses: when they rise, and what a rising brings.
#include "simulation/month_events.h"

#include "recording_frontend.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::WorldBuilder;

// A destroyed house whose old castle is held by a rich house with an empty castle.
struct UprisingTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int fallen = -1, owner = -1, target = -1, rich = -1;
    void SetUp() override {
        w.date = {1560, 4};
        b.region("r");
        b.province("尾張", 0);
        fallen = b.house("織田");
        owner = b.house("今川");
        target = b.castle("清洲", fallen);
        w.castles[target].owner = static_cast<int16_t>(owner);
        w.castles[target].yield = 150000;
        w.castles[target].support = 0; // chance (500/400 + 1) × 0.003
        const int home = b.castle("駿府", owner);
        b.general("義元", owner, home);
        w.houses[fallen].head = -1;
    }
    // A seed under which the only candidate rises: draws are the uprising-count check, the
    // strength, then the chance.
    static uint32_t risingSeed() {
        for (uint32_t s = 0;; ++s) {
            const uint32_t seed = test::spreadSeed(s);
            Random r(seed);
            r.unit();
            r.unit();
            if (r.unit() < 2.25 * 0.003) return seed;
        }
    }
};

TEST_F(UprisingTest, ARisingBesiegesTheCastleAndMakesAFreshHouse) {
    setRelationKind(w.houses[fallen], owner, kRelSwornEnemy);
    setRelationKind(w.houses[owner], fallen, kRelSwornEnemy);
    const uint32_t seed = risingSeed();
    game.rng.seed(seed);
    Random copy(seed);
    copy.unit();
    const int strength = static_cast<int>(copy.unit() * 200) + 100;
    remnantUprisings(game);
    ASSERT_NE(w.houses[fallen].head, -1);
    const General& g = w.generals[w.houses[fallen].head];
    EXPECT_EQ(fieldText(g.name), utf8ToCp932("織田残党"));
    EXPECT_EQ(g.foot, strength);
    EXPECT_EQ(g.valor, 3);
    EXPECT_NE(g.flags & kFlagInField, 0);
    EXPECT_EQ(g.castle, target);
    EXPECT_EQ(w.castles[target].besiegerCount, 1);
    EXPECT_EQ(w.houses[fallen].uprisingCount, 1);
    EXPECT_EQ(relationKind(w.houses[fallen], owner), kRelNothing);
    EXPECT_EQ(relationKind(w.houses[owner], fallen), kRelNothing);
    EXPECT_EQ(w.houses[fallen].funds, strength * 10 * 5); // five months to the harvest
    EXPECT_EQ(game.messageLog.back(), "織田の残党が蜂起し、尾張の清洲を襲撃しています");
}

TEST_F(UprisingTest, OldRetainersDefectAndTheBestRankedLeads) {
    const int c = b.castle("岡崎", owner);
    const int a = b.general("勝家", owner, c), z = b.general("長秀", owner, c);
    const int held = b.general("捕", owner, c), leader = b.general("将", owner, c);
    b.heir(a, fallen, 3);
    b.heir(z, fallen, 1);
    b.heir(held, fallen, 0);
    b.heir(leader, fallen, 0);
    w.generals[held].status = kStatusPrisoner;
    b.corps(leader, owner);
    w.generals[a].foot = 100;
    w.generals[z].cavalry = 10;
    w.date.month = 10; // eleven months to the harvest
    game.rng.seed(risingSeed());
    remnantUprisings(game);
    EXPECT_EQ(w.houses[fallen].head, z);
    EXPECT_EQ(w.generals[a].house, fallen);
    EXPECT_EQ(w.generals[a].castle, target);
    EXPECT_NE(w.generals[a].flags & kFlagInField, 0);
    EXPECT_EQ(w.generals[held].house, owner);
    EXPECT_EQ(w.generals[leader].house, owner);
    EXPECT_EQ(w.castles[target].besiegerCount, 3);
    EXPECT_EQ(w.castles[c].generalCount, 2);
    const int rising = w.generals[w.generalCount - 1].foot;
    EXPECT_EQ(w.houses[fallen].funds, (rising + 100 + 30) * 10 * 11);
    EXPECT_EQ(game.messageLog[1], "勝家は今川を離反し、蜂起軍に合流しました");
}

TEST_F(UprisingTest, NoRisingAgainstASmallOwnerOrAStrongGarrison) {
    w.castles[target].yield = 149999;
    for (uint32_t s = 0; s < 200; ++s) {
        game.rng.seed(test::spreadSeed(s));
        Random copy(test::spreadSeed(s));
        remnantUprisings(game);
        copy.unit();
        copy.unit();
        ASSERT_EQ(game.rng.state(), copy.state()) << "no chance is drawn";
    }
    w.castles[target].yield = 150000;
    w.castles[target].garrison = 300; // at least every possible strength
    for (uint32_t s = 0; s < 200; ++s) {
        game.rng.seed(test::spreadSeed(s));
        remnantUprisings(game);
    }
    EXPECT_EQ(w.houses[fallen].head, -1);
    w.castles[target].garrison = 0;
    game.rng.seed(risingSeed());
    remnantUprisings(game);
    EXPECT_NE(w.houses[fallen].head, -1);
}

TEST_F(UprisingTest, ABesiegedCastleOrAFullTableRaisesNobody) {
    w.castles[target].besiegerCount = 1;
    game.rng.seed(risingSeed());
    remnantUprisings(game);
    EXPECT_EQ(w.houses[fallen].head, -1);
    w.castles[target].besiegerCount = 0;
    const int before = w.generalCount;
    w.generalCount = kMaxGenerals;
    game.rng.seed(risingSeed());
    remnantUprisings(game);
    EXPECT_EQ(w.houses[fallen].head, -1);
    EXPECT_EQ(game.rng.state(), Random(risingSeed()).state());
    w.generalCount = before;
}

TEST_F(UprisingTest, AfterTwoRisingsOnlyTheTopDrawMayRaiseAgain) {
    w.houses[fallen].uprisingCount = 2;
    for (uint32_t s = 0; s < 100; ++s) {
        game.rng.seed(test::spreadSeed(s));
        Random copy(test::spreadSeed(s));
        ASSERT_LT(copy.unit() * 2, 2);
        remnantUprisings(game);
        ASSERT_EQ(game.rng.state(), copy.state()) << "only the count check is drawn";
        ASSERT_EQ(w.houses[fallen].head, -1);
    }
    // The one draw that passes (r = 32767), followed by a strength and a chance that rises.
    const uint32_t top = 0xF1815367u;
    Random copy(top);
    ASSERT_EQ(copy.next(), 32767);
    copy.unit();
    ASSERT_LT(copy.unit(), 2.25 * 0.003);
    game.rng.seed(top);
    remnantUprisings(game);
    EXPECT_NE(w.houses[fallen].head, -1);
    EXPECT_EQ(w.houses[fallen].uprisingCount, 3);
}

} // namespace
} // namespace vh
