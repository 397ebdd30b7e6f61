// The computer houses' diplomacy: when a house proposes, applies, demands or turns on its allies,
// what it writes to the month's log, and what the player is asked or told.
#include "diplomacy/computer_diplomacy.h"
#include "diplomacy/figures.h"
#include "diplomacy/operations.h"
#include "diplomacy_fixture.h"

namespace vh::test {
namespace {

struct ComputerDiplomacy : DiplomacyTest {
    int a = b.house("甲", 100000);
    int ac = castle("甲城", a, 10000);
    void SetUp() override { general("甲主", a, ac); }
    // A neighbouring house with one castle of `koku` linked to A's castle.
    int neighbour(const std::string& name, int koku, int kind) {
        const int h = b.house(name);
        const int c = castle(name + "城", h, koku);
        general(name + "主", h, c);
        b.route(ac, c);
        setPairKind(w, a, h, kind);
        return h;
    }
    bool related(int x) { return kind(a, x) != kRelNothing || w.houses[a].vassalState != 0; }
};

TEST_F(ComputerDiplomacy, ClearlyWeakerNeighboursBringNoProposalAndNoApplication) {
    w.houses[a].powerTrend = -1; // falling: it would look for a lord if it made no alliance
    const int x = neighbour("乙", 2000, kRelNothing);
    const int y = neighbour("丙", 2000, kRelNothing);
    w.houses[x].powerTrend = w.houses[y].powerTrend = 1;
    for (uint32_t seed = 0; seed < 30; ++seed) {
        game.rng.seed(seed * 2654435761u);
        EXPECT_EQ(seekAlliance(game, a), kNoAlly);
        EXPECT_FALSE(related(x) || related(y));
    }
    EXPECT_TRUE(game.diplomacyLog.empty());
}

TEST_F(ComputerDiplomacy, AHouseOfSeveralCastlesWithASteadyTrendNeverApplies) {
    b.route(ac, castle("甲支城", a, 100));
    const int giant = neighbour("大", 120000, kRelNothing); // one neighbour: no proposal is made
    w.houses[giant].powerTrend = 1;
    for (int trend : {0, 1})
        for (uint32_t seed = 0; seed < 30; ++seed) {
            w.houses[a].powerTrend = static_cast<int8_t>(trend);
            game.rng.seed(seed * 2654435761u);
            const uint32_t before = game.rng.state();
            EXPECT_EQ(seekAlliance(game, a), kNoAlly);
            EXPECT_EQ(game.rng.state(), before);
            EXPECT_EQ(w.houses[a].vassalState, 0);
        }
    // Falling, the same house does apply sooner or later.
    w.houses[a].powerTrend = -1;
    int applied = 0;
    for (uint32_t seed = 0; seed < 30 && !applied; ++seed) {
        game.rng.seed(seed * 2654435761u);
        applied += seekAlliance(game, a) == kAppliedAsVassal;
    }
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(w.houses[a].lord, giant);
    EXPECT_NE(game.diplomacyLog.find("甲は従属志願し大の傘下に入りました\r\n"), std::string::npos);
}

TEST_F(ComputerDiplomacy, AnAllianceWithTheAinuIsLoggedWithTheirTrade) {
    const int ainu = neighbour("蝦夷", 20000, kRelNothing);
    w.houses[ainu].kind = kHouseAinu;
    const int enemy = neighbour("仇", 20000, kRelSwornEnemy); // skipped: standing enemies
    const int funds = w.houses[a].funds;
    EXPECT_EQ(seekAlliance(game, a), ainu);
    EXPECT_EQ(kind(a, ainu), kRelPact);
    EXPECT_EQ(kind(a, enemy), kRelSwornEnemy);
    EXPECT_EQ(w.houses[a].funds, funds - 2000);
    EXPECT_EQ(game.diplomacyLog, "甲と蝦夷は不戦同盟を結びました\r\n甲はアイヌ民族との交易を開始しました\r\n");
}

struct OnlyFriends : ComputerDiplomacy {
    EnvoyPlayer player;
    void playAs(int house) {
        game.frontend = &player;
        w.playerHouse = house;
    }
};

TEST_F(OnlyFriends, AWeakAllyIsAskedToSubmitAndDroppedWhenItRefuses) {
    const int weak = neighbour("弱", 3000, kRelPact); // below a third of 10000
    neighbour("中", 6000, kRelPact);
    playAs(weak);
    player.envoyAnswer(false);
    turnOnAllies(game, a, kNoAlly);
    ASSERT_EQ(player.visits.size(), 1u);
    EXPECT_EQ(player.visits[0].kind, EnvoyKind::SubordinationDemand);
    EXPECT_EQ(kind(a, weak), kRelNothing);
    EXPECT_EQ(game.diplomacyLog, "甲は弱との不戦同盟を破棄しました\r\n");
    EXPECT_EQ(player.texts("message"), std::vector<std::string>{"甲は弱との不戦同盟を破棄しました"});

    // Asked again after a new alliance, the player yields.
    setPairKind(w, a, weak, kRelPact);
    game.diplomacyLog.clear();
    player.envoyAnswer(true);
    turnOnAllies(game, a, kNoAlly);
    EXPECT_EQ(kind(weak, a), kRelSubordinateTo);
    EXPECT_EQ(game.diplomacyLog, "甲は弱を従属させました\r\n");
}

TEST_F(OnlyFriends, AnAllyBelowTwiceItsKokuIsDroppedABiggerOneKept) {
    const int big = neighbour("大", 25000, kRelPact);
    turnOnAllies(game, a, kNoAlly);
    EXPECT_EQ(kind(a, big), kRelPact);
    const int middling = neighbour("中", 15000, kRelPact);
    turnOnAllies(game, a, kNoAlly);
    EXPECT_EQ(kind(a, middling), kRelNothing);
    EXPECT_EQ(kind(a, big), kRelPact);
    EXPECT_EQ(game.diplomacyLog, "甲は中との不戦同盟を破棄しました\r\n");
}

TEST_F(OnlyFriends, AnUnfriendlyNeighbourOrThisMonthsAllyIsSpared) {
    const int weak = neighbour("弱", 1000, kRelPact);
    turnOnAllies(game, a, weak);
    demandFromVassalsAndAllies(game, a, weak);
    EXPECT_EQ(kind(a, weak), kRelPact);
    const int stranger = neighbour("他", 1000, kRelNothing);
    turnOnAllies(game, a, kNoAlly);
    EXPECT_EQ(kind(a, weak), kRelPact);
    EXPECT_EQ(kind(a, stranger), kRelNothing);
    EXPECT_TRUE(game.diplomacyLog.empty());
}

TEST_F(OnlyFriends, ASubordinateFarBelowAQuarterIsMadeToSubmit) {
    const int v = neighbour("従", 1000, kRelNothing);
    b.vassal(v, a, 1);
    playAs(v);
    player.envoyAnswer(true);
    turnOnAllies(game, a, kNoAlly);
    ASSERT_EQ(player.visits.size(), 1u);
    EXPECT_EQ(player.visits[0].kind, EnvoyKind::SubmissionDemand);
    EXPECT_EQ(w.houses[v].vassalState, 2);
    EXPECT_EQ(game.diplomacyLog, "甲は従を臣従させました\r\n");
}

TEST_F(ComputerDiplomacy, AVassalBreaksAwayFromALordItNeedNotFear) {
    const int lord = neighbour("主", 100, kRelNothing);
    b.vassal(a, lord, 1);
    EnvoyPlayer player;
    game.frontend = &player;
    w.playerHouse = lord;
    int seed = 0;
    while (w.houses[a].vassalState != 0 && seed < 50) {
        game.rng.seed(seed++ * 2654435761u);
        houseDiplomacy(game, a);
    }
    EXPECT_EQ(w.houses[a].vassalState, 0);
    EXPECT_EQ(game.diplomacyLog, "甲は主から独立しました\r\n");
    EXPECT_EQ(player.texts("message"), std::vector<std::string>{"甲は主から独立しました"});
}

} // namespace
} // namespace vh::test
