// The main window's display rules: captions per phase, castle colours, ranking and colour coding.
#include "game/display_rules.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vh {
namespace {

int visibleButtons(int phase) {
    int n = 0;
    for (int b = 1; b <= kCommandButtons; ++b)
        n += commandCaption(phase, b) != nullptr;
    return n;
}

TEST(DisplayRules, CaptionsFollowThePhaseTable) {
    EXPECT_EQ(visibleButtons(0), 0);
    EXPECT_EQ(visibleButtons(1), 4);
    EXPECT_EQ(visibleButtons(2), 8);
    EXPECT_EQ(visibleButtons(3), 9);
    EXPECT_EQ(visibleButtons(4), 7);
    EXPECT_EQ(visibleButtons(5), 1);
    EXPECT_EQ(visibleButtons(6), 1);
    EXPECT_EQ(commandCaption(4, 8), nullptr);
    EXPECT_STREQ(commandCaption(2, 2), "鉄砲配備");
    EXPECT_STREQ(commandCaption(2, 3), "城普請");
    EXPECT_STREQ(commandCaption(3, 9), "連合結成");
    EXPECT_STREQ(commandCaption(5, 1), "武将移動");
    EXPECT_STREQ(commandCaption(6, 1), "出陣");
    for (int p = 0; p <= 7; ++p)
        for (int b = 10; b <= 12; ++b)
            EXPECT_EQ(commandCaption(p, b), nullptr);
    EXPECT_STREQ(phaseName(0), "イベント");
    EXPECT_STREQ(phaseName(10), "客将");
    EXPECT_STREQ(phaseName(11), "");
}

TEST(DisplayRules, HeaderDateFormat) {
    EXPECT_EQ(formatHeaderDate(1560, 5), "1560年 5月");
    EXPECT_EQ(formatHeaderDate(0, 12), "   0年12月");
    EXPECT_EQ(formatHeaderDate(-5, 1), "B.C.   5年 1月");
}

class ColourTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WorldBuilder b(w);
        me = b.house("我");
        enemy = b.house("宿");
        pact = b.house("盟");
        other = b.house("他");
        lordOfEnemy = b.house("主");
        for (int h : {me, enemy, pact, other, lordOfEnemy})
            b.castle("城", h);
        w.playerHouse = me;
        setRelationKind(w.houses[me], enemy, kRelSwornEnemy);
        setRelationKind(w.houses[me], pact, kRelPact);
        setRelationKind(w.houses[me], lordOfEnemy, kRelSwornEnemy);
    }
    std::unique_ptr<WorldState> holder = std::make_unique<WorldState>();
    WorldState& w = *holder;
    int me = 0, enemy = 0, pact = 0, other = 0, lordOfEnemy = 0;
};

TEST_F(ColourTest, DotsAndBoxesByRelation) {
    EXPECT_EQ(castleColour(w, enemy, CastleMark::Dot), (Rgb{150, 0, 0}));
    EXPECT_EQ(castleColour(w, pact, CastleMark::Dot), (Rgb{50, 255, 50}));
    EXPECT_EQ(castleColour(w, pact, CastleMark::Box), (Rgb{50, 200, 50}));
    EXPECT_EQ(castleColour(w, other, CastleMark::Dot), (Rgb{255, 50, 50}));
    EXPECT_EQ(castleColour(w, me, CastleMark::Box), (Rgb{60, 70, 255}));
    setRelationKind(w.houses[me], other, 4);
    EXPECT_EQ(castleColour(w, other, CastleMark::Box), (Rgb{200, 200, 30}));
    setRelationKind(w.houses[me], other, 7);
    EXPECT_EQ(castleColour(w, other, CastleMark::Dot), (Rgb{20, 20, 160}));
    setRelationKind(w.houses[me], other, 10);
    EXPECT_EQ(castleColour(w, other, CastleMark::Box), (Rgb{255, 160, 30}));
}

TEST_F(ColourTest, NoAgreementWithTheVassalOfASwornEnemyIsDark) {
    test::WorldBuilder(w).vassal(other, lordOfEnemy, 2);
    setRelationKind(w.houses[me], other, kRelNothing);
    EXPECT_EQ(castleColour(w, other, CastleMark::Dot), (Rgb{150, 0, 0}));
    // Merely subordinate (not submitted): the owner stands on its own side.
    w.houses[other].vassalState = 1;
    EXPECT_EQ(castleColour(w, other, CastleMark::Dot), (Rgb{255, 50, 50}));
}

TEST_F(ColourTest, OwnDotsPulseThroughFourShadesAndBack) {
    const int expected[] = {50, 120, 190, 255, 190, 120, 50};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(castleColour(w, me, CastleMark::Dot, i).r, expected[i]) << i;
}

TEST_F(ColourTest, NoPlayerOrNoOwnerIsGrey) {
    w.castles[other].owner = -1;
    EXPECT_EQ(castleColour(w, other, CastleMark::Dot), (Rgb{128, 128, 128}));
    w.playerHouse = -1;
    EXPECT_EQ(castleColour(w, enemy, CastleMark::Dot), (Rgb{128, 128, 128}));
}

TEST_F(ColourTest, RankingCountsSubmittedVassalsForTheirLord) {
    w.castles[me].yield = 300000;
    w.castles[enemy].yield = 200000;
    w.castles[pact].yield = 250000;
    w.castles[other].yield = 150000;
    w.castles[lordOfEnemy].yield = 100000;
    test::WorldBuilder(w).vassal(other, lordOfEnemy, 2);
    const auto r = rankHouses(w);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].house, me);
    EXPECT_EQ(r[1].house, pact);
    EXPECT_EQ(r[2].house, lordOfEnemy);
    EXPECT_EQ(r[2].koku, 250000);
    EXPECT_EQ(r[3].house, enemy);
    EXPECT_EQ(r[4].house, other);
    EXPECT_TRUE(r[4].submitted);
    EXPECT_EQ(r[4].koku, 150000);
    // Equal yields keep index order.
    w.castles[pact].yield = 250000;
    w.castles[me].yield = 250000;
    const auto t = rankHouses(w);
    EXPECT_EQ(t[0].house, me);
    EXPECT_EQ(t[1].house, pact);
    EXPECT_EQ(t[2].house, lordOfEnemy);
}

TEST_F(ColourTest, ColourCodingGivesTheVassalsCastlesTheLordsColour) {
    w.castles[me].yield = 300000;
    w.castles[lordOfEnemy].yield = 200000;
    w.castles[other].yield = 100000;
    test::WorldBuilder(w).vassal(other, lordOfEnemy, 2);
    const auto r = rankHouses(w);
    EXPECT_EQ(colourCodingColour(w, me, r), (Rgb{255, 255, 255}));
    EXPECT_EQ(colourCodingColour(w, lordOfEnemy, r), (Rgb{255, 255, 0}));
    EXPECT_EQ(colourCodingColour(w, other, r), (Rgb{255, 255, 0}));
    // A dead house drops out of the ranking; its castles turn red.
    w.houses[pact].head = -1;
    EXPECT_EQ(colourCodingColour(w, pact, rankHouses(w)), (Rgb{255, 0, 0}));
}

TEST_F(ColourTest, SummariesCountTheRightCastles) {
    w.castleSites[enemy].province = 3;
    w.castleSites[pact].province = 3;
    w.castleSites[pact].hasPort = 1;
    w.castles[enemy].yield = 12345;
    w.castles[pact].yield = 10000;
    w.castles[enemy].town = 7;
    w.castles[pact].mine = 4;
    w.gunProduction[3].current = 2.5;
    const ProvinceSummary s = provinceSummary(w, 3);
    EXPECT_EQ(s.castles, 2);
    EXPECT_EQ(s.koku, 22345);
    EXPECT_EQ(s.economy, 7);
    EXPECT_EQ(s.mines, 4);
    EXPECT_EQ(s.ports, 1);
    EXPECT_TRUE(s.gunProduction);
    EXPECT_TRUE(provinceHasCastle(w, 3));
    EXPECT_FALSE(provinceHasCastle(w, 4));
    w.castles[me].yield = 5000;
    w.houses[me].funds = 777;
    const PlayerFigures f = playerFigures(w);
    EXPECT_EQ(f.koku, 5000);
    EXPECT_EQ(f.castles, 1);
    EXPECT_EQ(f.funds, 777);
}

} // namespace
} // namespace vh
