// A castle taken: the transfer to the conqueror, the defenders' fates with their draws, the
// prisoners, and the withdrawal from a besieged castle.
#include "resolution_fixture.h"

#include "battle/castle_fall.h"
#include "battle/castle_retreat.h"
#include "world/castle_rules.h"

#include <algorithm>

namespace vh::test {
namespace {

using Strs = std::vector<std::string>;
using Ints = std::vector<int>;

// A seed whose first draw satisfies `want`.
template <class Want> uint32_t seedWhoseFirstDraw(Want want) {
    for (uint32_t s = 0;; ++s) {
        Random r(s);
        if (want(r.next())) return s;
    }
}

// A seed whose first draws (as reals in [0, 1]) satisfy `want`.
template <class Want> uint32_t seedWhoseDraws(Want want) {
    for (uint32_t s = 0;; ++s) {
        Random r(s);
        if (want(r)) return s;
    }
}

bool contains(const Strs& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

struct FallWorld : ResolutionWorld {
    FallWorld() {
        mori = b.house("毛利");
        amago = b.house("尼子");
        yoshida = b.castle("吉田郡山城", mori, 0);
        gassan = b.castle("月山富田城", amago, 0);
        shiraga = b.castle("白鹿城", amago, 0);
        b.route(yoshida, gassan);
        b.route(gassan, shiraga);
        motonari = general("元就", mori, yoshida, 0, 10);
        takamoto = general("隆元", mori, gassan, 100, 700, true); // besieging
        haruhisa = general("晴久", amago, gassan, 10, 100);       // head, defending
        hisanobu = general("久信", amago, gassan, 20, 40);
        w.castles[gassan].size = 3;
        w.castles[gassan].garrison = 200;
    }
    int mori, amago, yoshida, gassan, shiraga, motonari, takamoto, haruhisa, hisanobu;
};

class FallTest : public ::testing::Test, public FallWorld {};

TEST_F(FallTest, AStormedCastleChangesHandsAndItsDefendersGetAwayToTheFreeNeighbour) {
    w.castles[gassan].siegeProgress = 290;
    siegeResults = {kSiegeFallen};
    run();
    const Castle& k = w.castles[gassan];
    EXPECT_EQ(k.owner, mori);
    EXPECT_EQ(k.size, 2);
    EXPECT_EQ(k.siegeProgress, 0);
    EXPECT_EQ(k.garrison, 0);
    EXPECT_EQ(k.lord, motonari);
    ASSERT_EQ(k.generalCount, 1);
    EXPECT_FALSE(w.generals[k.generals[0]].flags & kFlagInField);
    EXPECT_EQ(reportLines(), (Strs{"月山富田城（尼子）は毛利に攻められています", "  → 月山富田城は強襲により落城しました"}));
    // Both defenders escaped next door with 0.7 of their men (unless the draws took them).
    int atShiraga = 0;
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house == amago && w.generals[g].castle == shiraga) ++atShiraga;
    EXPECT_EQ(atShiraga + static_cast<int>(taken.size()), 2);
}

TEST_F(FallTest, AStarvedCastleOpensItsGatesAndKeepsItsSize) {
    siegeResults = {kSiegeSurrendered};
    run();
    EXPECT_EQ(w.castles[gassan].owner, mori);
    EXPECT_EQ(w.castles[gassan].size, 3);
    EXPECT_EQ(reportLines()[1], "  → 月山富田城は兵糧が尽きて開城しました");
}

TEST_F(FallTest, NoDefenderEscapesWhenTheNeighboursAreBesiegedOrFull) {
    general("鹿之介", mori, shiraga, 0, 1, true); // shiraga is besieged
    const std::vector<int> defenders = fallenCastleDefenders(w, gassan);
    EXPECT_EQ(defenders, (Ints{haruhisa, hisanobu}));
    transferCastle(*game, gassan);
    defendersFates(*game, services(), gassan, defenders);
    // Nobody got away: 0.3 of the men stay with each, and the retreat rule may still take them
    // into the besieged castle, which has room.
    EXPECT_EQ(w.generals[haruhisa].cavalry, 3);
    EXPECT_EQ(w.generals[haruhisa].foot, 30);
    EXPECT_EQ(w.generals[hisanobu].cavalry, 6);
    EXPECT_EQ(w.generals[hisanobu].foot, 12);
}

TEST_F(FallTest, TheTransferHandsOverSupportCorpsAndLord) {
    w.castles[gassan].support = 100;
    EXPECT_EQ(transferCastle(*game, gassan), mori);
    EXPECT_EQ(w.castles[gassan].support, 50); // ((0 / 1) + 100) / 2: Mori's other castle has 0
    w.castles[shiraga].support = 100;
    w.castles[yoshida].support = 601;
    const int kuni = b.castle("高瀬城", mori, 0);
    w.castles[kuni].support = 400;
    general("元春", mori, shiraga, 1, 1, true);
    EXPECT_EQ(transferCastle(*game, shiraga), mori);
    EXPECT_EQ(w.castles[shiraga].support, 225); // (1051 / 3 + 100) / 2
}

TEST_F(FallTest, ANewOwnerWithoutOtherCastlesKeepsTheCastlesOwnSupport) {
    const int uprising = b.house("一揆");
    const int g = general("一揆勢", uprising, shiraga, 0, 100, true);
    (void)g;
    w.castles[shiraga].support = 733;
    transferCastle(*game, shiraga);
    EXPECT_EQ(w.castles[shiraga].owner, uprising);
    EXPECT_EQ(w.castles[shiraga].support, 733);
}

TEST_F(FallTest, ACorpsKeepsTheCastleOnlyWhenEveryBesiegerServesInItAndItKeepsConquests) {
    struct Case {
        bool keeps, secondInCorps, corpsHolds;
    };
    for (const Case k : {Case{false, true, false}, Case{true, false, false}, Case{true, true, true}}) {
        FallWorld t;
        const int corps = t.b.corps(t.takamoto, t.mori);
        if (k.keeps) t.w.corps[corps].orders = 0x100;
        const int second = t.general("元春", t.mori, t.gassan, 1, 1, true);
        if (k.secondInCorps) t.w.generals[second].corps = static_cast<int16_t>(corps);
        transferCastle(*t.game, t.gassan);
        EXPECT_EQ(t.w.castles[t.gassan].corps, k.corpsHolds ? corps : -1);
        EXPECT_EQ(t.w.castles[t.gassan].lord, k.corpsHolds ? t.takamoto : t.motonari); // else the head
    }
}

TEST_F(FallTest, AMinedCastleRaisesTheConquerorsMiningSkillOnlyFromAHigherOne) {
    w.playerHouse = mori;
    w.castles[gassan].mine = 50;
    w.houses[amago].miningSkill = 1000;
    w.houses[mori].miningSkill = 100;
    transferCastle(*game, gassan);
    EXPECT_GE(w.houses[mori].miningSkill, 700);
    EXPECT_LE(w.houses[mori].miningSkill, 900);
    EXPECT_EQ(messages(), (Strs{"月山富田城の攻略により、当家の鉱山技術（採掘・精錬技術）が上昇しました\n（尼子の鉱山技術を手に入れました）"}));

    player.clear();
    w.castles[shiraga].mine = 50;
    w.houses[amago].miningSkill = 200;
    general("元春", mori, shiraga, 1, 1, true);
    transferCastle(*game, shiraga);
    EXPECT_GE(w.houses[mori].miningSkill, 700);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FallTest, ADefenderWithoutScenarioRecordAlwaysCommitsSeppukuWithoutADraw) {
    w.generals[hisanobu].entry = -1;
    w.generals[haruhisa].house = mori; // out of the way
    const uint32_t before = game->rng.state();
    transferCastle(*game, gassan);
    defendersFates(*game, services(), gassan, {hisanobu});
    EXPECT_EQ(w.generals[hisanobu].house, kHouseLost);
    EXPECT_EQ(game->rng.state(), before); // escaped: no flight draw; no record: no seppuku draw
    EXPECT_EQ(messages(), (Strs{"久信は切腹して果てました"}));
}

TEST_F(FallTest, WithSeppukuSetToZeroOnlyTheTopDrawMeansSeppuku) {
    w.settings.seppukuKakuritsu = 0;
    for (const bool top : {false, true}) {
        FallWorld t;
        t.w.settings.seppukuKakuritsu = 0;
        t.game->rng.seed(seedWhoseFirstDraw([&](int r) { return top ? r == 32767 : r == 32766; }));
        transferCastle(*t.game, t.gassan);
        defendersFates(*t.game, t.services(), t.gassan, {t.hisanobu}); // he escapes next door
        EXPECT_EQ(t.w.generals[t.hisanobu].house == kHouseLost, top);
    }
}

TEST_F(FallTest, AHeadWhoCannotGetAwayFleesWithChanceSixTenthsAnyOtherWithAQuarter) {
    // Between the two chances: the head flees, the other general does not.
    const uint32_t seed = seedWhoseFirstDraw([](int r) { return r / 32767.0 >= 0.3 && r / 32767.0 < 0.5; });
    for (const bool head : {true, false}) {
        FallWorld t;
        t.w.castles[t.shiraga].owner = static_cast<int16_t>(t.mori); // nowhere left to go
        t.w.generals[t.motonari].castle = static_cast<int16_t>(t.shiraga);
        const int d = head ? t.haruhisa : t.hisanobu;
        t.game->rng.seed(seed);
        transferCastle(*t.game, t.gassan);
        const std::vector<int> prisoners = defendersFates(*t.game, t.services(), t.gassan, {d});
        if (head) {
            EXPECT_EQ(t.w.generals[d].house, kHouseRonin);
            EXPECT_EQ(t.w.houses[t.amago].head, -2);
            EXPECT_TRUE(contains(t.messages(), "晴久は城から落ち延びて行きました"));
        } else {
            // Not fled: captured for certain unless the seppuku draw took him.
            EXPECT_TRUE(t.w.generals[d].house == kHouseHeld || t.w.generals[d].house == kHouseLost);
            EXPECT_EQ(prisoners.size(), t.w.generals[d].house == kHouseHeld ? 1u : 0u);
        }
    }
}

TEST_F(FallTest, ACorneredDefenderWhoNeitherFleesNorDiesIsTakenAndHandedToTheConqueror) {
    // No castle of his house left: he does not flee (0.25), passes the seppuku draw (below 0.7)
    // and is taken for certain.
    w.castles[shiraga].owner = static_cast<int16_t>(mori);
    game->rng.seed(seedWhoseDraws([](Random& r) { return r.unit() >= 0.25 && r.unit() < 0.7; }));
    transferCastle(*game, gassan);
    const std::vector<int> prisoners = defendersFates(*game, services(), gassan, {hisanobu});
    EXPECT_EQ(prisoners, (Ints{hisanobu}));
    EXPECT_EQ(taken, (Ints{hisanobu}));
    EXPECT_EQ(settled, (std::vector<Settled>{{mori, {hisanobu}}}));
}

// The player's withdrawal from his besieged castle.
TEST_F(FallTest, RetreatFromACastleCountsTheFreePlacesNextDoor) {
    w.playerHouse = amago;
    general("鹿之介", mori, gassan, 0, 1, true);
    for (int i = 0; i < 17; ++i) general("兵" + std::to_string(i), amago, shiraga, 0, 1);
    EXPECT_EQ(castleRetreatCapacity(w, gassan), 3);
    EXPECT_EQ(castleRetreatRefusal(w, gassan, 4), std::optional<std::string>("3人までしか退却できません"));
    EXPECT_EQ(castleRetreatRefusal(w, gassan, 3), std::nullopt);
    EXPECT_EQ(castleRetreatRefusal(w, gassan, 0), std::nullopt);
    EXPECT_EQ(retreatFromCastle(*game, gassan, {hisanobu}), (Ints{hisanobu}));
    EXPECT_EQ(w.generals[hisanobu].castle, shiraga);
    EXPECT_EQ(w.castles[shiraga].generalCount, 18);
    EXPECT_EQ(w.castles[gassan].generalCount, 1);
    EXPECT_TRUE(messages().empty()); // the castle is besieged by the enemy, not by the player

    general("鹿之介", mori, shiraga, 0, 1, true); // the neighbour is besieged now
    EXPECT_EQ(castleRetreatRefusal(w, gassan, 1), std::optional<std::string>("退却できる城がありません"));
}

// A vassal house that lost its last castle passes to its lord; a house nobody heads vanishes.
TEST_F(FallTest, AVassalWithoutCastlesBecomesItsLordsRetainersAndVanishes) {
    const int kikkawa = b.house("吉川");
    b.vassal(kikkawa, amago);
    const int tsuneie = general("経家", kikkawa, shiraga, 0, 1);
    const int generic = general("足軽大将", kikkawa, shiraga, 0, 1);
    w.generals[generic].entry = -1;
    const int before = w.generalCount;
    run();
    EXPECT_TRUE(contains(messages(), "吉川は全ての城を失ったので、主家である尼子の家臣になりました"));
    EXPECT_TRUE(contains(messages(), "経家は尼子の家臣になりました"));
    EXPECT_EQ(w.generalCount, before - 1); // the general made during play is gone
    // The new retainer was moved to the end of the table.
    EXPECT_EQ(w.generals[w.generalCount - 1].house, amago);
    EXPECT_EQ(fieldText(w.generals[w.generalCount - 1].name), utf8ToCp932("経家"));
    EXPECT_FALSE(w.generals[w.generalCount - 1].flags & kFlagAwaitingPlacement);
    EXPECT_EQ(w.houses[kikkawa].head, -1);
    EXPECT_TRUE(contains(reportLines(), "吉川は滅亡しました"));
    (void)tsuneie;
}

TEST_F(FallTest, AnAinuHouseWithoutHeadOrCastleWithdrawsNorth) {
    const int ainu = b.house("蝦夷");
    w.houses[ainu].kind = kHouseAinu;
    w.houses[ainu].head = -2;
    const int empty = b.house("空");
    w.houses[empty].head = -2;
    run();
    EXPECT_EQ(reportLines(), (Strs{"月山富田城（尼子）は毛利に攻められています", "蝦夷は蝦夷地の奥深くに退散しました", "空は滅亡しました"}));
    EXPECT_EQ(w.houses[ainu].head, -1);
}

TEST_F(FallTest, MovingMarkedGeneralsToTheEndRenumbersEveryReference) {
    const int corps = b.corps(hisanobu, amago);
    w.castles[gassan].lord = static_cast<int16_t>(hisanobu);
    w.generals[takamoto].flags |= kFlagAwaitingPlacement;
    w.generals[haruhisa].flags |= kFlagAwaitingPlacement;
    const std::vector<int> map = moveMarkedGeneralsToEnd(w);
    EXPECT_EQ(map, (Ints{0, 2, 3, 1})); // 元就 stays, 隆元 and 晴久 go last in turn
    EXPECT_EQ(w.houses[amago].head, 3);
    EXPECT_EQ(w.corps[corps].leader, 1);
    EXPECT_EQ(w.castles[gassan].lord, 1);
    EXPECT_EQ(w.castles[gassan].generals[0], 3);
    EXPECT_EQ(w.castles[gassan].besiegers[0], 2);
    for (int g = 0; g < w.generalCount; ++g) EXPECT_FALSE(w.generals[g].flags & kFlagAwaitingPlacement);
    EXPECT_EQ(fieldText(w.generals[1].name), utf8ToCp932("久信"));
}

} // namespace
} // namespace vh::test
