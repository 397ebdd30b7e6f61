// Becoming a vassal: the relations the new vassal takes over from its lord (fellow kinds 5 and
// 8), its own vassals passing to the lord, a submitted vassal's corps, and the demands' draws.
#include "diplomacy/operations.h"
#include "diplomacy_fixture.h"

namespace vh::test {
namespace {

struct Vassalage : DiplomacyTest {
    int lord = b.house("主");
    int vassal = b.house("臣");
    int lc = castle("主城", lord, 10000);
    int vc = castle("臣城", vassal, 1000);
};

TEST_F(Vassalage, ANewSubordinateFollowsItsLordsRelations) {
    const int sub = b.house("従"), subm = b.house("服"), enemy = b.house("敵"), old = b.house("旧敵"),
              ally = b.house("盟"), own = b.house("臣下");
    b.vassal(sub, lord, 1);
    b.vassal(subm, lord, 2);
    b.vassal(own, vassal, 2);
    setPairKind(w, lord, enemy, kRelSwornEnemy);
    setPairKind(w, lord, old, kRelSwornEnemy);
    setPairKind(w, vassal, old, kRelSwornEnemy);
    setPairKind(w, lord, ally, kRelPact);
    setRelationCounter(w.houses[vassal], lord, 4);

    // The vassal's own vassal has a guest serving it and a general standing in its castle.
    const int oc = castle("臣下城", own, 100);
    const int guest = general("客", own, vc);
    w.generals[guest].status = kStatusGuest;
    const int field = general("陣", own, lc, 1, 1, true); // besieging: stays where he is

    ASSERT_TRUE(makeSubordinate(game, lord, vassal));
    for (int v : {vassal, own}) {
        EXPECT_EQ(w.houses[v].vassalState, 1);
        EXPECT_EQ(w.houses[v].lord, lord);
        EXPECT_EQ(kind(lord, v), kRelHasSubordinate);
        EXPECT_EQ(kind(v, lord), kRelSubordinateTo);
        EXPECT_EQ(kind(v, sub), kRelFellowSubordinate);
        EXPECT_EQ(kind(sub, v), kRelFellowSubordinate);
        EXPECT_EQ(kind(v, subm), kRelFellowSubmitted);
        EXPECT_EQ(kind(subm, v), kRelFellowSubordinate);
        EXPECT_EQ(kind(v, ally), kRelPact);
        EXPECT_EQ(kind(ally, v), kRelPact);
        EXPECT_EQ(kind(v, enemy), kRelNothing);
        EXPECT_EQ(kind(v, old), v == vassal ? kRelSwornEnemy : kRelNothing);
    }
    EXPECT_EQ(kind(vassal, own), kRelFellowSubordinate);
    EXPECT_EQ(counterAbout(w, vassal, lord), 4);
    EXPECT_EQ(w.generals[guest].status, kStatusOrdinary);
    EXPECT_EQ(w.generals[guest].castle, oc); // no longer his side's castle: sent home
    EXPECT_EQ(w.generals[field].castle, lc);

    // A lord that is itself a vassal takes nobody.
    EXPECT_FALSE(makeSubordinate(game, vassal, enemy));
}

TEST_F(Vassalage, SiegesBetweenTheNewFriendsAreLifted) {
    const int ally = b.house("盟");
    const int ac = castle("盟城", ally, 10);
    setPairKind(w, lord, ally, kRelPact);
    const int atAlly = general("攻盟", vassal, ac, 5, 5, true);
    const int atLord = general("攻主", vassal, lc, 5, 5, true);
    besiege(ac, atAlly);
    besiege(lc, atLord);
    ASSERT_TRUE(makeSubordinate(game, lord, vassal));
    EXPECT_EQ(w.generals[atAlly].castle, vc);
    EXPECT_EQ(w.generals[atLord].castle, vc);
    EXPECT_EQ(w.castles[ac].besiegedBy, -1);
    EXPECT_EQ(w.castles[lc].besiegerCount, 0);
}

TEST_F(Vassalage, ASubmittedVassalLosesItsCorpsAndKeepsTheirMoney) {
    const int sub = b.house("従"), subm = b.house("服"), enemy = b.house("敵");
    b.vassal(sub, lord, 1);
    b.vassal(subm, lord, 2);
    setPairKind(w, lord, enemy, kRelSwornEnemy);
    b.vassal(vassal, lord, 1);
    const int head = general("当主", vassal, vc);
    const int leader = general("軍団長", vassal, vc);
    const int member = general("団員", vassal, vc);
    const int corps = b.corps(leader, vassal);
    w.generals[member].corps = static_cast<int16_t>(corps);
    w.corps[corps].funds = 700;
    w.corps[corps].undeployedGuns = 3;
    w.castles[vc].corps = static_cast<int16_t>(corps);
    w.castles[vc].lord = static_cast<int16_t>(leader);
    const int otherCorps = b.corps(general("主将", lord, lc), lord);
    w.houses[vassal].funds = 1000;

    ASSERT_TRUE(makeSubmitted(game, lord, vassal));
    EXPECT_EQ(w.houses[vassal].vassalState, 2);
    EXPECT_EQ(kind(lord, vassal), kRelHasSubmitted);
    EXPECT_EQ(kind(vassal, lord), kRelSubmittedTo);
    EXPECT_EQ(w.houses[vassal].funds, 1700);
    EXPECT_EQ(w.houses[vassal].undeployedGuns, 3);
    EXPECT_EQ(w.corps[corps].leader, -1);
    EXPECT_EQ(w.corps[corps].house, -1);
    EXPECT_EQ(w.corps[otherCorps].house, lord);
    EXPECT_EQ(w.castles[vc].corps, -1);
    EXPECT_EQ(w.castles[vc].lord, head);
    for (int g : {head, leader, member})
        EXPECT_EQ(w.generals[g].corps, -1);

    EXPECT_EQ(kind(vassal, sub), kRelFellowSubordinate);
    EXPECT_EQ(kind(sub, vassal), kRelFellowSubmitted);
    EXPECT_EQ(kind(vassal, subm), kRelFellowSubmitted);
    EXPECT_EQ(kind(subm, vassal), kRelFellowSubmitted);
    EXPECT_EQ(kind(vassal, enemy), kRelNothing);

    // Only a subordinate can be made to submit.
    EXPECT_FALSE(makeSubmitted(game, lord, enemy));
}

struct Demands : Vassalage {
    int lordHead = general("主将", lord, lc, 1000, 1000);
    int vassalHead = general("臣将", vassal, vc, 10, 10);
    void SetUp() override {
        b.route(lc, vc);
        setPairKind(w, lord, vassal, kRelPact);
        w.houses[lord].powerTrend = 0;
    }
};

TEST_F(Demands, AnOverwhelmedNeighbourYieldsAfterFourDraws) {
    const uint32_t expected = stateAfter(4);
    ASSERT_TRUE(demandSubordination(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), expected);
    EXPECT_EQ(kind(vassal, lord), kRelSubordinateTo);

    // The submission demand goes through the same steps.
    const uint32_t again = stateAfter(4);
    ASSERT_TRUE(demandSubmission(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), again);
    EXPECT_EQ(kind(vassal, lord), kRelSubmittedTo);
}

TEST_F(Demands, OnlyABorderingIndependentHouseIsAsked) {
    const int far = b.house("遠");
    castle("遠城", far, 10);
    const uint32_t before = game.rng.state();
    EXPECT_FALSE(demandSubordination(game, lord, far));
    EXPECT_FALSE(demandSubmission(game, lord, vassal)); // not yet subordinate
    b.vassal(far, vassal, 1);
    EXPECT_FALSE(demandSubordination(game, lord, far));
    EXPECT_EQ(game.rng.state(), before);
}

TEST_F(Demands, TheAinuHouseIsAlmostImpossibleToSubjugate) {
    // 1000 × (0.8..1.2) against 10000 × 0.03 for the Ainu house, 10000 × 0.4 for an ordinary one.
    w.houses[vassal].kind = kHouseAinu;
    const uint32_t afterKokuStep = stateAfter(2);
    EXPECT_FALSE(demandSubordination(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), afterKokuStep);
    w.houses[vassal].kind = kHouseNormal;
    EXPECT_TRUE(demandSubordination(game, lord, vassal));
}

TEST_F(Demands, EnemiesOnTheLordsBordersHoldTheTargetBack) {
    const int rival = b.house("敵");
    b.route(lc, castle("敵城", rival, 20000));
    const uint32_t allDraws = stateAfter(4);
    EXPECT_FALSE(demandSubordination(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), allDraws);
    setPairKind(w, rival, lord, kRelPact);
    EXPECT_TRUE(demandSubordination(game, lord, vassal));
}

TEST_F(Demands, ThePlayerAnswersTheEnvoy) {
    EnvoyPlayer player;
    game.frontend = &player;
    w.playerHouse = vassal;
    player.envoyAnswer(false).envoyAnswer(true);
    const uint32_t before = game.rng.state();
    EXPECT_FALSE(demandSubordination(game, lord, vassal));
    EXPECT_TRUE(demandSubordination(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), before); // the player's answer draws nothing
    ASSERT_EQ(player.visits.size(), 2u);
    EXPECT_EQ(player.visits[0].title, "従属要求使者来訪");
    EXPECT_EQ(player.visits[0].question, "主から従属要求の使者が来ました。従属しますか？");
    EXPECT_EQ(player.visits[0].infoLine, "主情報 :   石高 1万0000石   城数 1");
    player.envoyAnswer(true);
    EXPECT_TRUE(demandSubmission(game, lord, vassal));
    EXPECT_EQ(player.visits.back().title, "臣従要求使者来訪");
    EXPECT_EQ(player.visits.back().question, "主から臣従要求の使者が来ました。臣従しますか？");
}

TEST_F(Demands, WithoutAFrontEndThePlayersHouseAnswersAsTheComputer) {
    w.playerHouse = vassal;
    const uint32_t expected = stateAfter(4);
    EXPECT_TRUE(demandSubordination(game, lord, vassal));
    EXPECT_EQ(game.rng.state(), expected);
}

} // namespace
} // namespace vh::test
