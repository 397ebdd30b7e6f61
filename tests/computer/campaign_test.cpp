// Strategy and sorties of a computer account: which castles it aims at, where it gathers its
// generals, who marches, and what a waiting corps does.
#include "computer/account.h"
#include "computer/computer_turn.h"
#include "computer_fixture.h"

namespace vh::test {
namespace {

struct Campaign : ComputerTest {
    int a = b.house("甲", 0);
    int f = b.house("友", 0);
    int a1 = castle("前", a);
    int a2 = castle("後", a);
    int f1 = castle("友城", f);
    int g1 = general("前将", a, a1, 0, 100);
    int g2 = general("後将", a, a2, 0, 50);
    void SetUp() override {
        b.route(a1, a2);
        b.route(a1, f1);
        pact(a, f);
        general("友将", f, f1, 0, 10);
        w.settings.distanceLimit = 15;
    }
};

TEST_F(Campaign, AHouseWithOnlyFriendsAroundTargetsTheirCastles) {
    planCampaign(game, a, -1);
    EXPECT_TRUE(w.generals[g1].flags & kFlagActed);
    EXPECT_EQ(w.generals[g1].moveTarget, -1); // already at the staging castle
    EXPECT_EQ(w.generals[g2].moveTarget, a1);
    EXPECT_EQ(w.castles[a1].planningMark, 2);
}

TEST_F(Campaign, AnEnemyNeighbourDrawsTheForceAwayFromFriends) {
    const int e = b.house("敵", 0);
    const int e1 = castle("敵城", e);
    general("敵将", e, e1, 0, 10);
    b.route(a2, e1);
    planCampaign(game, a, -1);
    EXPECT_EQ(w.generals[g1].moveTarget, a2);
    EXPECT_TRUE(w.generals[g2].flags & kFlagActed);
    EXPECT_EQ(w.generals[g2].moveTarget, -1);
}

TEST_F(Campaign, AWaitingCorpsMovesButLaunchesNoSortie) {
    const int e = b.house("敵", 0);
    const int e1 = castle("敵城", e);
    general("敵将", e, e1, 0, 10);
    b.route(a1, e1);
    const int c = corps(g2, a, kCorpsWait, 0);
    launchSorties(game, a, c);
    EXPECT_EQ(w.generals[g2].sortieTarget, -1);
    planCampaign(game, a, c);
    EXPECT_EQ(w.generals[g2].moveTarget, a1);

    // Ordered to invade, the same corps marches from the castle next to the enemy (with more
    // troops than it can feed, so it does not wait for an easier siege).
    w.generals[g2].foot = 500;
    w.generals[g2].flags = 0;
    w.generals[g2].moveTarget = -1;
    w.generals[g2].castle = static_cast<int16_t>(a1);
    w.corps[c].orders = kCorpsInvade;
    launchSorties(game, a, c);
    EXPECT_EQ(w.generals[g2].sortieTarget, e1);
    EXPECT_TRUE(w.generals[g2].flags & kFlagActed);
    EXPECT_EQ(w.generals[g1].sortieTarget, -1); // not the corps' general
}

TEST_F(Campaign, NoMoreThanTwentyMarchOnOneCastle) {
    const int e = b.house("敵", 0);
    const int e1 = castle("敵城", e);
    general("敵将", e, e1, 0, 10);
    const int a3 = castle("脇", a);
    b.route(a1, e1);
    b.route(a3, e1);
    for (int i = 0; i < 12; ++i) {
        general("兵" + std::to_string(i), a, a1, 0, 100);
        const int g = general("卒" + std::to_string(i), a, a3, 0, 100);
        if (i < 5) { // already ordered there by hand: they count against the twenty
            w.generals[g].sortieTarget = static_cast<int16_t>(e1);
            w.generals[g].flags |= kFlagActed;
        }
    }
    launchSorties(game, a, -1);
    int marching = 0;
    for (int g = 0; g < w.generalCount; ++g)
        marching += w.generals[g].sortieTarget == e1;
    EXPECT_EQ(marching, 20);
}

TEST_F(Campaign, ABesiegedCastleIsRelievedFromItsNeighbours) {
    const int e = b.house("敵", 0);
    const int besieger = general("寄手", e, a1, 0, 500);
    w.generals[besieger].flags |= kFlagInField;
    Castle& k = w.castles[a1];
    k.besiegers[k.besiegerCount++] = besieger;
    k.besiegedBy = static_cast<int16_t>(e);
    launchSorties(game, a, -1);
    EXPECT_EQ(w.generals[g2].sortieTarget, a1);
    EXPECT_EQ(w.generals[g1].sortieTarget, -1); // shut inside
}

} // namespace
} // namespace vh::test
