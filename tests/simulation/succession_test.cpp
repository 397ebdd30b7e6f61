// Heads by succession rank (ties, the wisest without ranks), corps leaders by intellect, corps
// dissolution, and the successions the castle-list rebuild sets off.
#include "simulation/succession.h"

#include "recording_frontend.h"
#include "support/world_builder.h"
#include "world/castle_rules.h"

#include <gtest/gtest.h>

namespace vh {
namespace {

using test::WorldBuilder;

struct SuccessionTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int h = -1, c = -1;
    void SetUp() override {
        h = b.house("甲");
        c = b.castle("城", h);
    }
};

TEST_F(SuccessionTest, TheLowestRankInheritsAndTheFirstWinsATie) {
    const int head = b.general("旧", h, c);
    const int g1 = b.general("一", h, c), g2 = b.general("二", h, c), g3 = b.general("三", h, c);
    b.heir(g1, h, 2);
    b.heir(g2, h, 0);
    b.heir(g3, h, 0);
    w.generals[g2].status = kStatusGuest;
    const int other = b.castle("直", h);
    const int leader = b.general("将", h, c);
    const int corps = b.corps(leader, h);
    const int fief = b.castle("領", h);
    w.castles[fief].corps = static_cast<int16_t>(corps);
    w.castles[fief].lord = static_cast<int16_t>(leader);
    w.generals[head].house = kHouseLost;
    succeedHead(game, h);
    EXPECT_EQ(w.houses[h].head, g2);
    EXPECT_EQ(w.generals[g2].status, kStatusOrdinary);
    EXPECT_EQ(w.castles[c].lord, g2);
    EXPECT_EQ(w.castles[other].lord, g2);
    EXPECT_EQ(w.castles[fief].lord, leader);
    ASSERT_EQ(game.messageLog.size(), 1u);
    EXPECT_EQ(game.messageLog[0], "二は甲の当主になりました");
}

TEST_F(SuccessionTest, WithoutRanksTheWisestInheritsTheLastAmongEquals) {
    const int g1 = b.general("一", h, c), g2 = b.general("二", h, c), g3 = b.general("三", h, c);
    w.generals[g1].intellect = 8;
    w.generals[g2].intellect = 5;
    w.generals[g3].intellect = 8;
    b.heir(g2, h + 1, 0); // ranked, but for another house
    succeedHead(game, h);
    EXPECT_EQ(w.houses[h].head, g3);
}

TEST_F(SuccessionTest, AHouseWithNobodyLeftHasNoHeadButStands) {
    succeedHead(game, h);
    EXPECT_EQ(w.houses[h].head, -2);
    EXPECT_TRUE(houseAlive(w, h));
}

TEST_F(SuccessionTest, AnHeirLeadingACorpsLeavesItToASuccessor) {
    const int old = b.general("旧", h, c);
    const int heir = b.general("嫡", h, c);
    b.heir(heir, h, 0);
    const int corps = b.corps(heir, h);
    const int member = b.general("与力", h, c);
    w.generals[member].corps = static_cast<int16_t>(corps);
    w.generals[old].house = kHouseLost;
    succeedHead(game, h);
    EXPECT_EQ(w.houses[h].head, heir);
    EXPECT_EQ(w.generals[heir].corps, -1);
    EXPECT_EQ(w.corps[corps].leader, member);
}

TEST_F(SuccessionTest, TheMonthlyCheckKeepsAHeadTiedForTheBestRank) {
    const int first = b.general("先", h, c), head = b.general("主", h, c);
    b.heir(first, h, 1);
    b.heir(head, h, 1);
    w.houses[h].head = head;
    headSuccessions(game);
    EXPECT_EQ(w.houses[h].head, head);
    b.heir(head, h, 2);
    headSuccessions(game);
    EXPECT_EQ(w.houses[h].head, first);
}

TEST_F(SuccessionTest, APlayersCorpsPassesToItsWisestOrIsDissolved) {
    w.playerHouse = h;
    const int head = b.general("主", h, c);
    const int leader = b.general("勝家", h, c);
    const int corps = b.corps(leader, h);
    const int a = b.general("甲", h, c), z = b.general("乙", h, c);
    w.generals[a].corps = w.generals[z].corps = static_cast<int16_t>(corps);
    w.generals[a].intellect = w.generals[z].intellect = 6;
    const int fief = b.castle("領", h);
    w.castles[fief].corps = static_cast<int16_t>(corps);
    w.corps[corps].funds = 700;
    w.corps[corps].undeployedGuns = 3;

    w.generals[leader].status = kStatusPrisoner;
    corpsLeaderSuccessions(game);
    EXPECT_EQ(w.generals[leader].corps, -1);
    EXPECT_EQ(w.corps[corps].leader, z);
    EXPECT_EQ(w.castles[fief].lord, z);
    EXPECT_EQ(game.messageLog.back(), "勝家 軍団は、乙 が軍団長を引き継ぎます");

    w.generals[a].corps = w.generals[z].corps = -1;
    corpsLeaderSuccessions(game);
    EXPECT_EQ(game.messageLog.back(), "乙 軍団は、軍団長後継者がいないため解体します");
    EXPECT_EQ(w.corps[corps].leader, -1);
    EXPECT_EQ(w.corps[corps].house, -1);
    EXPECT_EQ(w.houses[h].funds, 1700);
    EXPECT_EQ(w.houses[h].undeployedGuns, 3);
    EXPECT_EQ(w.castles[fief].corps, -1);
    EXPECT_EQ(w.castles[fief].lord, head);
}

TEST_F(SuccessionTest, AComputerCorpsChangesLeaderWithoutAWord) {
    const int leader = b.general("将", h, c);
    const int corps = b.corps(leader, h);
    const int m = b.general("与力", h, c);
    w.generals[m].corps = static_cast<int16_t>(corps);
    w.generals[leader].corps = -1;
    corpsLeaderSuccessions(game);
    EXPECT_EQ(w.corps[corps].leader, m);
    EXPECT_TRUE(game.messageLog.empty());
}

TEST_F(SuccessionTest, TheRebuildRemovingADeadHeadNamesTheHeirAtHisNewIndex) {
    game.quietMode = true;
    const int head = b.general("主", h, c);
    b.general("一", h, c);
    const int heir = b.general("嫡", h, c);
    b.heir(heir, h, 0);
    ASSERT_EQ(w.houses[h].head, head);
    w.generals[head].house = kHouseLost;
    rebuildCastleLists(game);
    ASSERT_EQ(w.generalCount, 2);
    EXPECT_EQ(w.houses[h].head, heir - 1);
    EXPECT_EQ(fieldText(w.generals[w.houses[h].head].name), utf8ToCp932("嫡"));
    EXPECT_EQ(w.castles[c].lord, heir - 1);
}

} // namespace
} // namespace vh
