// The month's battles with scripted engines: who meets whom on the road and before a castle,
// what the report says, who goes home and who keeps the siege.
#include "resolution_fixture.h"

#include "world/castle_rules.h"

#include <algorithm>

namespace vh::test {
namespace {

using Strs = std::vector<std::string>;
using Ints = std::vector<int>;

class MarchTest : public ResolutionTest {
  protected:
    MarchTest() {
        oda = b.house("織田");
        imagawa = b.house("今川");
        kiyosu = b.castle("清洲城", oda, 0);
        sunpu = b.castle("駿府城", imagawa, 1);
        b.route(kiyosu, sunpu);
        nobunaga = general("信長", oda, kiyosu, 10, 100);
        katsuie = general("勝家", oda, kiyosu, 10, 100);
        yoshimoto = general("義元", imagawa, sunpu, 10, 100);
    }
    int oda, imagawa, kiyosu, sunpu, nobunaga, katsuie, yoshimoto;
};

TEST_F(MarchTest, ArmiesMarchingAtEachOtherMeetOnTheRoadAndTheWinnerMarchesOn) {
    sortie(nobunaga, sunpu);
    sortie(katsuie, sunpu);
    sortie(yoshimoto, kiyosu);
    results = {kBattleSideAWon};
    run();
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_EQ(battles[0].sideA, (Ints{nobunaga, katsuie}));
    EXPECT_EQ(battles[0].sideB, (Ints{yoshimoto}));
    EXPECT_EQ(battles[0].province, 0);
    EXPECT_EQ(battles[0].secondProvince, 1); // the road crosses into the second province
    EXPECT_FALSE(battles[0].sideBIsCastle);
    // The winners stand before the loser's castle; the loser stayed at home, orders spent.
    for (int g : {nobunaga, katsuie}) {
        EXPECT_EQ(w.generals[g].castle, sunpu);
        EXPECT_TRUE(w.generals[g].flags & kFlagInField);
        EXPECT_EQ(w.generals[g].sortieTarget, -1);
        EXPECT_FALSE(w.generals[g].flags & kFlagActed);
    }
    EXPECT_EQ(w.generals[yoshimoto].castle, sunpu);
    EXPECT_FALSE(w.generals[yoshimoto].flags & kFlagInField);
    EXPECT_EQ(w.castles[kiyosu].generalCount, 0);
    EXPECT_EQ(w.castles[sunpu].besiegerCount, 2);
    EXPECT_EQ(reportLines(), (Strs{"清洲城と駿府城間で織田と今川が野戦", "  → 織田の勝利",
                                           "駿府城（今川）は織田に攻められています"}));
    EXPECT_EQ(player.texts("battle-report"), (Strs{game->battleReport}));
}

TEST_F(MarchTest, ALostRoadBattleSendsTheMarchHomeAndTheWinnerOn) {
    sortie(nobunaga, sunpu);
    sortie(yoshimoto, kiyosu);
    results = {kBattleSideBWon};
    run();
    EXPECT_EQ(w.generals[nobunaga].castle, kiyosu);
    EXPECT_EQ(w.generals[yoshimoto].castle, kiyosu); // the winner goes on
    EXPECT_EQ(reportLines(), (Strs{"清洲城と駿府城間で織田と今川が野戦", "  → 今川の勝利",
                                           "清洲城（織田）は今川に攻められています"}));
}

TEST_F(MarchTest, ADrawWritesItsOwnLineAndBothStayHome) {
    sortie(nobunaga, sunpu);
    sortie(yoshimoto, kiyosu);
    results = {kBattleDraw};
    run();
    EXPECT_EQ(w.generals[nobunaga].castle, kiyosu);
    EXPECT_EQ(w.generals[yoshimoto].castle, sunpu);
    EXPECT_EQ(w.generals[yoshimoto].sortieTarget, -1);
    EXPECT_EQ(reportLines(), (Strs{"清洲城と駿府城間で織田と今川が野戦", "  → 引き分けのため両軍とも退却"}));
}

TEST_F(MarchTest, AMonthWithoutBattlesReportsNothingAndQuietModeShowsNothing) {
    run();
    EXPECT_EQ(game->battleReport, "");
    EXPECT_EQ(player.texts("battle-report"), (Strs{"特になし"}));
    EXPECT_EQ(battleReportText(*game), "特になし");

    player.clear();
    game->quietMode = true;
    sortie(nobunaga, sunpu);
    run();
    EXPECT_FALSE(game->battleReport.empty());
    EXPECT_TRUE(player.requests().empty());
}

TEST_F(MarchTest, PrisonersAndHostagesNeverMarch) {
    sortie(nobunaga, sunpu);
    w.generals[nobunaga].status = kStatusHostage;
    run();
    EXPECT_EQ(w.generals[nobunaga].castle, kiyosu);
    EXPECT_EQ(w.generals[nobunaga].sortieTarget, sunpu); // the field means something else for him
}

// Before a castle: besiegers of one house, a relief army of the owner, other houses.
class BeforeCastleTest : public ResolutionTest {
  protected:
    BeforeCastleTest() {
        takeda = b.house("武田");
        uesugi = b.house("上杉");
        hojo = b.house("北条");
        kofu = b.castle("躑躅ヶ崎館", takeda, 0);
        kasugayama = b.castle("春日山城", uesugi, 0);
        odawara = b.castle("小田原城", hojo, 0);
        numata = b.castle("沼田城", uesugi, 0);
        b.route(kofu, numata);
        b.route(kasugayama, numata);
        b.route(odawara, numata);
        shingen = general("信玄", takeda, numata, 10, 100, true);
        kenshin = general("謙信", uesugi, kasugayama, 10, 100);
        ujiyasu = general("氏康", hojo, odawara, 5, 50);
        w.castles[numata].siegeProgress = 40;
    }
    int takeda, uesugi, hojo, kofu, kasugayama, odawara, numata, shingen, kenshin, ujiyasu;
};

TEST_F(BeforeCastleTest, AReliefArmyThatLosesRetreatsAndTheSiegeGoesOn) {
    sortie(kenshin, numata);
    results = {kBattleSideAWon};
    run();
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_EQ(battles[0].sideA, (Ints{shingen}));
    EXPECT_EQ(battles[0].sideB, (Ints{kenshin}));
    EXPECT_TRUE(battles[0].sideBIsCastle);
    EXPECT_EQ(w.generals[kenshin].castle, kasugayama);
    EXPECT_FALSE(w.generals[kenshin].flags & kFlagInField);
    EXPECT_EQ(reportLines(), (Strs{"沼田城周辺で城包囲軍(武田)と城救援軍(上杉)が野戦", "  → 城救援軍は撤退しました",
                                           "沼田城（上杉）は武田に攻められています"}));
    EXPECT_EQ(w.castles[numata].siegeProgress, 40);
}

TEST_F(BeforeCastleTest, AWinningReliefArmyDrivesTheBesiegersHomeAndNoSiegeIsReported) {
    sortie(kenshin, numata);
    results = {kBattleSideBWon};
    run();
    EXPECT_EQ(w.generals[shingen].castle, kofu);
    EXPECT_EQ(w.generals[kenshin].castle, numata); // he joins the garrison he came to relieve
    EXPECT_FALSE(w.generals[kenshin].flags & kFlagInField);
    EXPECT_EQ(reportLines(), (Strs{"沼田城周辺で城包囲軍(武田)と城救援軍(上杉)が野戦", "  → 城包囲軍は撤退しました"}));
    EXPECT_TRUE(siegedCastles.empty());
    EXPECT_EQ(w.castles[numata].siegeProgress, 0);
}

TEST_F(BeforeCastleTest, TwoUnalliedBesiegersFightAndTheLoserGoesHome) {
    sortie(ujiyasu, numata);
    results = {kBattleSideBWon};
    run();
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_FALSE(battles[0].sideBIsCastle);
    EXPECT_EQ(w.generals[shingen].castle, kofu);
    EXPECT_EQ(w.castles[numata].besiegedBy, hojo);
    EXPECT_EQ(reportLines(), (Strs{"沼田城周辺で武田と北条が野戦", "  → 北条の勝利",
                                           "沼田城（上杉）は北条に攻められています"}));
}

TEST_F(BeforeCastleTest, AlliedBesiegersDoNotFightAndOnlyTheStrongerStays) {
    ally(takeda, hojo);
    sortie(ujiyasu, numata);
    run();
    EXPECT_TRUE(battles.empty());
    EXPECT_EQ(w.generals[ujiyasu].castle, odawara); // 3*5+50 against 3*10+100
    EXPECT_EQ(w.castles[numata].besiegedBy, takeda);
    EXPECT_EQ(reportLines(), (Strs{"沼田城（上杉）は武田に攻められています"}));
}

TEST_F(BeforeCastleTest, AVassalsArmyFightsAsItsOverlordsSide) {
    const int sanada = b.house("真田");
    b.vassal(sanada, hojo);
    const int masayuki = general("昌幸", sanada, odawara, 0, 10);
    sortie(masayuki, numata);
    sortie(ujiyasu, numata);
    results = {kBattleSideAWon};
    run();
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_EQ(battles[0].sideB, (Ints{ujiyasu, masayuki}));
    EXPECT_EQ(reportLines()[0], "沼田城周辺で武田と北条が野戦");
    EXPECT_EQ(w.generals[masayuki].castle, odawara);
}

TEST_F(BeforeCastleTest, AnArmyThatCouldNotAllRetreatTriggersTheDebugCheckOnlyOutsideQuietMode) {
    // 21 of one house before the castle: the battle takes 20, the one left over stays.
    for (int i = 0; i < 20; ++i) general("兵" + std::to_string(i), takeda, numata, 0, 1, true);
    sortie(kenshin, numata);
    results = {kBattleSideBWon};
    game->quietMode = true;
    run();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(battles[0].sideA.size(), 20u);
}

TEST_F(BeforeCastleTest, TheDebugCheckIsShownWhenNotQuiet) {
    for (int i = 0; i < 20; ++i) general("兵" + std::to_string(i), takeda, numata, 0, 1, true);
    sortie(kenshin, numata);
    results = {kBattleSideBWon};
    run();
    const Strs shown = messages();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Debug Message : 撤退したはずの武将が残っています 沼田城 武田"),
              shown.end());
}

TEST_F(BeforeCastleTest, ABesiegerOfAHouseWithoutCastlesIsLostWhenHeMustLeave) {
    const int ronin = b.house("浪人衆");
    ally(ronin, takeda);
    general("某", ronin, numata, 0, 1, true);
    const int before = w.generalCount;
    run();
    // The weaker house had no castle to go back to: lost, and removed at the rebuild.
    EXPECT_EQ(w.generalCount, before - 1);
    for (int g = 0; g < w.generalCount; ++g) EXPECT_NE(w.generals[g].house, ronin);
    EXPECT_EQ(w.castles[numata].besiegedBy, takeda);
}

TEST_F(BeforeCastleTest, ASallyThatFailsSendsTheBesiegersHome) {
    general("直江", uesugi, numata, 10, 300);
    sallies = {true};
    results = {kBattleSideBWon};
    run();
    ASSERT_EQ(battles.size(), 1u);
    EXPECT_EQ(battles[0].castleB, numata);
    EXPECT_TRUE(battles[0].sideBIsCastle);
    EXPECT_EQ(w.generals[shingen].castle, kofu);
    EXPECT_EQ(reportLines(), (Strs{"沼田城周囲で城兵(上杉)と攻城軍(武田)が野戦", "  → 攻城軍は退却しました"}));
    EXPECT_TRUE(siegedCastles.empty());
}

TEST_F(BeforeCastleTest, TownsSufferUnderArmiesAndRecoverWithout) {
    w.castles[numata].town = 500;
    w.castleSites[kofu].maxTown = 1000;
    w.castles[kofu].town = 998;
    run();
    EXPECT_LT(w.castles[numata].town, 500);
    EXPECT_GE(w.castles[numata].town, 500 - 12); // at most 1.2 × min(20, 500 / 50)
    EXPECT_EQ(w.castles[kofu].town, 1000);        // capped at the maximum
}

} // namespace
} // namespace vh::test
