// Leaving and joining: breaking a vassalage or an alliance, independence with its hostages, the
// grudge of a former lord, and the applications with their envoy and besieged-castle rules.
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy_fixture.h"

#include <cmath>

namespace vh::test {
namespace {

struct Breaking : DiplomacyTest {
    int lord = b.house("主");
    int vassal = b.house("臣");
    int fellow = b.house("同輩");
    int stranger = b.house("他");
    int lc = castle("主城", lord, 10000);
    int vc = castle("臣城", vassal, 1000);
    int fc = castle("同輩城", fellow, 1000);
    int sc = castle("他城", stranger, 1000);
    void SetUp() override {
        b.route(lc, vc);
        b.route(vc, sc);
        b.vassal(vassal, lord, 2);
        b.vassal(fellow, lord, 1);
        setPairKinds(w, vassal, fellow, kRelFellowSubordinate, kRelFellowSubmitted);
        setPairKind(w, vassal, stranger, kRelPact);
        setPairKind(w, lord, stranger, kRelPact);
    }
};

TEST_F(Breaking, AVassalBreakingAwayDropsEveryTie) {
    const int head = general("臣主", vassal, vc);
    const int inLords = general("詰", vassal, lc);
    const int besieging = general("陣", vassal, sc, 5, 5, true);
    const int guest = general("客", vassal, lc);
    w.generals[guest].status = kStatusGuest;
    w.generals[guest].corps = 3;
    setRelationCounter(w.houses[stranger], vassal, kPermanentRefusal);

    ASSERT_TRUE(declareIndependence(game, vassal));
    EXPECT_EQ(w.houses[vassal].vassalState, 0);
    EXPECT_EQ(w.houses[vassal].lord, vassal);
    EXPECT_EQ(counterAbout(w, lord, vassal), kBreakAwayRefusal);
    EXPECT_EQ(kind(lord, vassal), kRelNothing);
    EXPECT_EQ(kind(vassal, lord), kRelNothing);
    EXPECT_EQ(kind(vassal, fellow), kRelNothing);
    EXPECT_EQ(kind(fellow, vassal), kRelNothing);
    EXPECT_EQ(kind(vassal, stranger), kRelSwornEnemy); // the stranger's permanent grudge
    EXPECT_EQ(kind(lord, stranger), kRelPact);
    EXPECT_EQ(kind(fellow, lord), kRelSubordinateTo);

    EXPECT_EQ(w.generals[guest].status, kStatusOrdinary);
    EXPECT_EQ(w.generals[guest].corps, -1);
    for (int g : {head, inLords, guest, besieging}) {
        EXPECT_EQ(w.generals[g].castle, vc) << g;
        EXPECT_EQ(w.generals[g].house, vassal) << g;
    }
    EXPECT_EQ(w.castles[sc].besiegerCount, 0);
}

TEST_F(Breaking, TheFormerLordRefusesForTwelveMonths) {
    ASSERT_TRUE(declareIndependence(game, vassal));
    b.route(lc, castle("第三", b.house("第三"), 1)); // the lord has two neighbours
    for (int month = 0; month < 12; ++month) {
        const uint32_t before = game.rng.state();
        EXPECT_FALSE(nonAggressionAcceptable(game, vassal, lord)) << month;
        EXPECT_FALSE(applicationVerdict(game, lord, vassal).accept) << month;
        EXPECT_EQ(game.rng.state(), before);
        countDownRelations(w);
    }
    EXPECT_FALSE(refusesProposals(w, lord, vassal));
    EXPECT_TRUE(applicationVerdict(game, lord, vassal).accept);
}

TEST_F(Breaking, APermanentGrudgeOutlastsTheBreak) {
    setRelationCounter(w.houses[lord], vassal, kPermanentRefusal);
    ASSERT_TRUE(breakRelation(game, vassal, lord));
    EXPECT_EQ(counterAbout(w, lord, vassal), kPermanentRefusal);
    EXPECT_EQ(kind(lord, vassal), kRelSwornEnemy);
    EXPECT_EQ(kind(vassal, lord), kRelSwornEnemy);
}

TEST_F(Breaking, HostagesOfTheLeavingHouseAreExecuted) {
    EnvoyPlayer player;
    game.frontend = &player;
    w.playerHouse = vassal;
    auto hostage = [&](const char* name, int holder, int origin) {
        const int g = general(name, kHouseHeld, -1);
        w.generals[g].status = kStatusHostage;
        w.generals[g].holderHouse = static_cast<int16_t>(holder);
        w.generals[g].originHouse = static_cast<int16_t>(origin);
        return g;
    };
    const int given = hostage("質", lord, vassal);
    const int elsewhere = hostage("他質", stranger, vassal);
    const int fellows = hostage("同輩質", lord, fellow);
    ASSERT_TRUE(declareIndependence(game, vassal));
    EXPECT_EQ(w.generals[given].house, kHouseLost);
    EXPECT_EQ(w.generals[elsewhere].house, kHouseHeld);
    EXPECT_EQ(w.generals[fellows].house, kHouseHeld);
    EXPECT_EQ(player.texts("message"),
              (std::vector<std::string>{"主 に人質となっていた 質 は処刑されました"}));
    EXPECT_FALSE(declareIndependence(game, vassal)); // already independent
}

TEST_F(Breaking, BreakingAnAllianceReachesBothSidesVassals) {
    const int other = b.house("乙"), otherVassal = b.house("乙臣");
    b.vassal(otherVassal, other, 1);
    setPairKind(w, lord, other, kRelPact);
    for (int x : {vassal, fellow}) {
        setPairKind(w, x, other, kRelPact);
        setPairKind(w, x, otherVassal, kRelPact);
    }
    setPairKind(w, lord, otherVassal, kRelPact);
    // A general of the other side's vassal stands in one of the lord's castles.
    const int g = general("乙臣将", otherVassal, lc);
    castle("乙臣城", otherVassal, 10);
    ASSERT_TRUE(breakRelation(game, lord, other));
    for (int x : {lord, vassal, fellow})
        for (int y : {other, otherVassal}) {
            EXPECT_EQ(kind(x, y), kRelNothing) << x << "," << y;
            EXPECT_EQ(kind(y, x), kRelNothing) << x << "," << y;
        }
    EXPECT_EQ(kind(lord, vassal), kRelHasSubmitted);
    EXPECT_EQ(counterAbout(w, lord, other), 0);
    EXPECT_NE(w.generals[g].castle, lc);
}

struct Applications : DiplomacyTest {
    int lord = b.house("主");
    int applicant = b.house("志願");
    int lc = castle("主城", lord, 10000);
    int ac = castle("志願城", applicant, 1000);
    void SetUp() override { b.route(lc, ac); }
};

TEST_F(Applications, AComputerLordTakesTheApplicantWithAFreeAlliance) {
    w.houses[applicant].funds = 10;
    ASSERT_TRUE(applyForSubordination(game, lord, applicant));
    EXPECT_EQ(kind(applicant, lord), kRelSubordinateTo);
    EXPECT_EQ(w.houses[applicant].funds, 10);

    const int second = b.house("二");
    b.route(lc, castle("二城", second, 100));
    ASSERT_TRUE(applyForSubmission(game, lord, second));
    EXPECT_EQ(kind(lord, second), kRelHasSubmitted);
    EXPECT_EQ(kind(second, applicant), kRelFellowSubordinate);
    EXPECT_EQ(kind(applicant, second), kRelFellowSubmitted);
    // A vassal of somebody else cannot apply; the lord's own subordinate can offer to submit.
    EXPECT_FALSE(applyForSubordination(game, second, b.house("三")));
    ASSERT_TRUE(applyForSubmission(game, lord, applicant));
    EXPECT_EQ(kind(applicant, lord), kRelSubmittedTo);
}

TEST_F(Applications, ALastCastleUnderTheLordsSiegeMustStillHoldOut) {
    const int defender = general("守", applicant, ac, 0, 10);
    const int attacker = general("攻", lord, ac, 0, 100, true);
    besiege(ac, attacker);
    w.castles[ac].food = 50; // 50 / (10 × 10) → one month left
    const uint32_t before = game.rng.state();
    EXPECT_FALSE(applicationVerdict(game, lord, applicant).accept);
    EXPECT_EQ(game.rng.state(), before);
    EXPECT_EQ(monthsOfResistance(w, ac), 1);

    // With months to go the lord draws against (1/m)^0.3 first, then for the hostage.
    w.castles[ac].food = 100000;
    w.generals[defender].foot = 1000;
    const int m = monthsOfResistance(w, ac);
    ASSERT_GT(m, 1);
    int accepted = 0;
    for (uint32_t i = 1; i <= 30; ++i) {
        game.rng.seed(i * 2654435761u);
        Random probe(i * 2654435761u);
        const bool expected = probe.unit() >= std::pow(1.0 / m, 0.3);
        EXPECT_EQ(applicationVerdict(game, lord, applicant).accept, expected);
        if (expected) {
            probe.next();
            EXPECT_EQ(game.rng.state(), probe.state());
            ++accepted;
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 30);
    // Without a castle there is nothing to offer.
    w.castles[ac].owner = static_cast<int16_t>(lord);
    EXPECT_FALSE(applicationVerdict(game, lord, applicant).accept);
}

TEST_F(Applications, AHostageIsAskedOfTheSmallApplicant) {
    w.castles[ac].yield = 100; // 100 < 10100 × 0.03 whatever the draw
    EXPECT_TRUE(applicationVerdict(game, lord, applicant).demandHostage);
    w.castles[ac].yield = 900; // 900 ≥ 10900 × 0.08
    EXPECT_FALSE(applicationVerdict(game, lord, applicant).demandHostage);
}

TEST_F(Applications, ThePlayerAsLordSeesTheOfferWithTheHostageBox) {
    EnvoyPlayer player;
    game.frontend = &player;
    w.playerHouse = lord;
    player.envoyAnswer(false).envoyAnswer(true, true);
    EXPECT_FALSE(applyForSubordination(game, lord, applicant));
    EXPECT_EQ(kind(applicant, lord), kRelNothing);
    EXPECT_TRUE(applyForSubmission(game, lord, applicant));
    EXPECT_EQ(kind(applicant, lord), kRelSubmittedTo);
    ASSERT_EQ(player.visits.size(), 2u);
    EXPECT_EQ(player.visits[0].title, "従属志願使者来訪");
    EXPECT_EQ(player.visits[0].question, "志願が当家に従属を申し出ました。受け入れますか？");
    EXPECT_TRUE(player.visits[0].hostageCheckBox);
    EXPECT_EQ(player.visits[1].title, "臣従志願使者来訪");
    EXPECT_EQ(player.visits[1].infoLine, "志願情報 :   石高 0万1000石   城数 1");
}

TEST_F(Applications, ChangingLordLeavesAGrudgeWithTheOldOne) {
    const int newLord = b.house("新主");
    const int nc = castle("新主城", newLord, 20000);
    b.route(ac, nc);
    b.vassal(applicant, lord, 2);
    EnvoyPlayer player;
    game.frontend = &player;
    w.playerHouse = newLord;
    player.envoyAnswer(true);
    ASSERT_TRUE(changeLord(game, newLord, applicant));
    EXPECT_EQ(player.visits[0].title, "主家鞍替え使者来訪");
    EXPECT_EQ(player.visits[0].question, "志願が主から当家に鞍替えを申し出ました。受け入れますか？");
    EXPECT_EQ(w.houses[applicant].lord, newLord);
    EXPECT_EQ(w.houses[applicant].vassalState, 1);
    EXPECT_EQ(kind(newLord, applicant), kRelHasSubordinate);
    EXPECT_EQ(kind(lord, applicant), kRelNothing);
    EXPECT_EQ(counterAbout(w, lord, applicant), kBreakAwayRefusal);
    EXPECT_FALSE(changeLord(game, newLord, applicant)); // already its lord
}

} // namespace
} // namespace vh::test
