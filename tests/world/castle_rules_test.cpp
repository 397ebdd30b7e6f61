// The retreat rule and the castle-list rebuild: castle preferences, full castles, armies,
// removal with renumbering of every stored general index, and the fix-up's debug messages.
#include "support/world_builder.h"
#include "simulation/succession.h"
#include "world/castle_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace vh {
namespace {

using test::WorldBuilder;

std::vector<int> garrison(const Castle& k) { return {k.generals, k.generals + k.generalCount}; }
std::vector<int> field(const Castle& k) { return {k.besiegers, k.besiegers + k.besiegerCount}; }

// Our castles near and far from the enemy castle E where our general stands in the field:
// E(0) - A(1), A - B(2), and C(3) with no route at all.
struct Retreat : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int us = b.house("我ら");
    int them = b.house("敵");
    int e = b.castle("E", them), a = b.castle("A", us), bb = b.castle("B", us), c = b.castle("C", us);
    int lordThem = b.general("敵将", them, e);
    int g = 0;

    void SetUp() override {
        b.route(e, a);
        b.route(a, bb);
        g = b.general("退く者", us, e, true);
    }
    void fill(int castle, int count) {
        while (w.castles[castle].generalCount < count) b.general("守将", us, castle);
    }
    void besiege(int castle) { b.general("囲む者", them, castle, true); }
};

TEST_F(Retreat, PrefersAnUnbesiegedCastleWithRoomOverANearerBesiegedOne) {
    besiege(a);
    ASSERT_TRUE(retreatGeneral(w, g, e, false));
    EXPECT_EQ(w.generals[g].castle, bb);
    EXPECT_EQ(w.generals[g].flags & kFlagInField, 0);
    EXPECT_EQ(garrison(w.castles[bb]), std::vector<int>{g});
    EXPECT_TRUE(field(w.castles[e]).empty());
}

TEST_F(Retreat, TakesTheNearestBesiegedCastleWhenAllAreBesieged) {
    besiege(a);
    besiege(bb);
    besiege(c);
    ASSERT_TRUE(retreatGeneral(w, g, e, false));
    EXPECT_EQ(w.generals[g].castle, a);
}

TEST_F(Retreat, ACastleWithNoRouteStillTakesHimWhenTheOthersAreFull) {
    fill(a, 20);
    fill(bb, 20);
    ASSERT_TRUE(retreatGeneral(w, g, e, false));
    EXPECT_EQ(w.generals[g].castle, c);
}

TEST_F(Retreat, FullCastlesFailUnlessAnyCastleWillDo) {
    fill(a, 20);
    fill(bb, 20);
    fill(c, 20);
    const General before = w.generals[g];
    EXPECT_FALSE(retreatGeneral(w, g, e, false));
    EXPECT_EQ(w.generals[g].castle, before.castle);
    EXPECT_EQ(w.generals[g].flags, before.flags);
    EXPECT_EQ(field(w.castles[e]), std::vector<int>{g});

    ASSERT_TRUE(retreatGeneral(w, g, e, true));
    EXPECT_EQ(w.generals[g].castle, a); // the nearest
    EXPECT_EQ(w.generals[g].flags & kFlagInField, 0);
    EXPECT_EQ(w.castles[a].generalCount, 20); // he stays off the full list
    EXPECT_TRUE(field(w.castles[e]).empty());
}

TEST_F(Retreat, EqualDistancesGoToTheEarlierCastle) {
    int d = b.castle("D", us); // also next to E, but later in castle order
    b.route(e, d);
    b.route(d, bb);
    ASSERT_TRUE(retreatGeneral(w, g, e, false));
    EXPECT_EQ(w.generals[g].castle, a);
}

TEST_F(Retreat, AGarrisonedGeneralLeavesTheGarrisonListWithLaterEntriesMovingUp) {
    int x = b.general("甲", us, a), y = b.general("乙", us, a), z = b.general("丙", us, a);
    besiege(a);
    ASSERT_TRUE(retreatGeneral(w, y, a, false));
    EXPECT_EQ(w.generals[y].castle, bb);
    EXPECT_EQ(garrison(w.castles[a]), (std::vector<int>{x, z}));
}

TEST_F(Retreat, ArmyRetreatsFromTheFirstGeneralsCastleAndLosesWhoFindsNone) {
    // E(0) - A(1) - B(2) and E - Z(4); A has room for exactly one more.
    int z = b.castle("Z", us);
    b.route(e, z);
    fill(a, 19);
    int second = b.general("次", us, e, true);
    int homeless = b.house("城無し");
    int third = b.general("三", homeless, e, true);
    std::vector<int> army{g, second, third};
    retreatArmy(w, army);
    EXPECT_EQ(w.generals[g].castle, a);
    // Counted from E, not from A where the first now stands: Z (3) before B (4).
    EXPECT_EQ(w.generals[second].castle, z);
    EXPECT_EQ(w.generals[third].house, kHouseLost);
    EXPECT_EQ(w.generals[third].flags & kFlagInField, 0);
    EXPECT_EQ(w.generals[third].castle, e);
}

// ---- rebuild ------------------------------------------------------------------------------

const char* kMovedText = "の所属大名と現在いる城(";
const char* kDeletedText = "Debug Message : 移動可能な城が無いので";

int countContaining(const std::vector<std::string>& log, const std::string& part) {
    int n = 0;
    for (const auto& m : log) n += m.find(part) != std::string::npos;
    return n;
}

struct Rebuild : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    int lord = b.house("主家");
    int sub = b.house("臣従家");
    int sord = b.house("従属家");
    int them = b.house("敵");
    int home = b.castle("本城", lord), subCastle = b.castle("臣従城", sub), sordCastle = b.castle("従属城", sord);
    int enemy = b.castle("敵城", them);

    void SetUp() override {
        b.vassal(sub, lord, 2);
        b.vassal(sord, lord, 1);
        b.route(home, subCastle);
        b.route(home, sordCastle);
        b.route(home, enemy);
    }
};

TEST_F(Rebuild, ListsComeFromTheGeneralRecords) {
    int h = b.general("当主", lord, home);
    int besieger = b.general("臣従将", sub, enemy, true);
    int prisoner = b.general("捕虜", them, home);
    w.generals[prisoner].house = kHouseHeld;
    int nowhere = b.general("所在無し", lord, -1);
    // Records moved without touching the lists: the rebuild must follow the records.
    w.generals[h].castle = static_cast<int16_t>(subCastle);
    w.castles[enemy].besiegedBy = 5;
    w.castles[sordCastle].generalCount = 3;

    rebuildCastleLists(game);
    EXPECT_TRUE(garrison(w.castles[home]).empty());
    EXPECT_EQ(garrison(w.castles[subCastle]), std::vector<int>{h}); // same commanding house: stays
    EXPECT_TRUE(garrison(w.castles[sordCastle]).empty());
    EXPECT_EQ(field(w.castles[enemy]), std::vector<int>{besieger});
    EXPECT_EQ(w.castles[enemy].besiegedBy, lord); // a submitted house besieges for its lord
    EXPECT_EQ(w.castles[home].besiegedBy, -1);
    EXPECT_EQ(w.generals[nowhere].castle, -1);
    EXPECT_EQ(w.generalCount, 4);
    EXPECT_TRUE(game.messageLog.empty());
}

TEST_F(Rebuild, FullListsLeaveTheTwentyFirstOffWhereHeStands) {
    for (int i = 0; i < 21; ++i) b.general("守将", lord, home);
    for (int i = 0; i < 21; ++i) w.generals[b.general("寄せ手", them, subCastle)].flags |= kFlagInField;
    rebuildCastleLists(game);
    EXPECT_EQ(w.castles[home].generalCount, 20);
    EXPECT_EQ(w.castles[home].generals[19], 19);
    EXPECT_EQ(w.castles[subCastle].besiegerCount, 20);
    EXPECT_EQ(w.generals[20].castle, home);
    EXPECT_EQ(w.generals[41].castle, subCastle);
}

TEST_F(Rebuild, SubordinateInHisLordsCastleIsMovedHomeWithAMessage) {
    int lordHead = b.general("主", lord, home);
    int s = b.general("従属将", sord, home);
    int v = b.general("臣従将", sub, home);
    rebuildCastleLists(game);
    EXPECT_EQ(w.generals[s].castle, sordCastle);
    EXPECT_EQ(w.generals[v].castle, home);
    EXPECT_EQ(garrison(w.castles[home]), (std::vector<int>{lordHead, v}));
    EXPECT_EQ(garrison(w.castles[sordCastle]), std::vector<int>{s});
    ASSERT_EQ(game.messageLog.size(), 1u);
    EXPECT_EQ(game.messageLog[0], "Debug Message : 従属将の所属大名と現在いる城(本城)の所有大名が食い違っていますので"
                                  "武将を強制移動します");
}

TEST_F(Rebuild, MessagesAreHeldBackInQuietModeAndForFallenHouses) {
    b.general("主", lord, home);
    b.general("従属将", sord, home);
    game.quietMode = true;
    rebuildCastleLists(game);
    EXPECT_EQ(w.generals[1].castle, sordCastle); // the move happens regardless
    EXPECT_TRUE(game.messageLog.empty());

    // A fallen house's general has nowhere to go: removed, silently.
    game.quietMode = false;
    int fallen = b.house("滅亡家");
    b.general("残党", fallen, home);
    w.houses[fallen].head = -1;
    rebuildCastleLists(game);
    EXPECT_EQ(w.generalCount, 2);
    EXPECT_TRUE(game.messageLog.empty());
}

TEST_F(Rebuild, AGeneralWithNowhereToGoIsRemovedWithTheSecondMessage) {
    int homeless = b.house("城無し家");
    b.general("主", lord, home);
    b.general("流れ者", homeless, home);
    int after = b.general("後の者", lord, home);
    rebuildCastleLists(game);
    EXPECT_EQ(w.generalCount, 2);
    EXPECT_EQ(garrison(w.castles[home]), (std::vector<int>{0, after - 1}));
    EXPECT_EQ(countContaining(game.messageLog, kMovedText), 1);
    ASSERT_EQ(countContaining(game.messageLog, kDeletedText), 1);
    EXPECT_EQ(game.messageLog.back(), "Debug Message : 移動可能な城が無いので流れ者は削除されました");
}

TEST_F(Rebuild, RemovingGeneralSevenRenumbersEveryStoredIndexAboveHim) {
    int other = b.house("他家");
    int otherCastle = b.castle("他城", other);
    for (int i = 0; i < 7; ++i) b.general("将" + std::to_string(i), lord, home);
    int seven = b.general("七", lord, home);
    int eight = b.general("八", other, otherCastle);
    int nine = b.general("九", other, enemy, true);
    ASSERT_EQ(seven, 7);
    w.houses[other].head = eight;
    w.castles[otherCastle].lord = static_cast<int16_t>(eight);
    w.castles[home].lord = static_cast<int16_t>(seven);
    w.castles[enemy].lord = 3;
    int corps = b.corps(eight, other);
    int corps2 = b.corps(nine, other);
    w.castleSnapshot[otherCastle] = w.castles[otherCastle];
    w.generals[seven].house = kHouseLost;

    rebuildCastleLists(game);
    ASSERT_EQ(w.generalCount, 9);
    EXPECT_EQ(cp932ToUtf8(fieldText(w.generals[7].name)), "八");
    EXPECT_EQ(cp932ToUtf8(fieldText(w.generals[8].name)), "九");
    EXPECT_EQ(w.houses[other].head, 7);
    EXPECT_EQ(w.houses[lord].head, 0);
    EXPECT_EQ(w.castles[otherCastle].lord, 7);
    EXPECT_EQ(w.castles[enemy].lord, 3);
    EXPECT_EQ(w.castles[home].lord, -1); // names nobody any more
    EXPECT_EQ(w.corps[corps].leader, 7);
    EXPECT_EQ(w.corps[corps2].leader, 8);
    EXPECT_EQ(garrison(w.castles[otherCastle]), std::vector<int>{7});
    EXPECT_EQ(field(w.castles[enemy]), std::vector<int>{8});
    EXPECT_EQ(w.castles[home].generalCount, 7);
    EXPECT_EQ(w.castleSnapshot[otherCastle].lord, 7);
    EXPECT_EQ(garrison(w.castleSnapshot[otherCastle]), std::vector<int>{7});
}

TEST_F(Rebuild, SeveralLostGeneralsInARowAreAllRemoved) {
    b.general("主", lord, home);
    for (int i = 0; i < 3; ++i) w.generals[b.general("失", lord, home)].house = kHouseLost;
    int last = b.general("残", lord, home);
    rebuildCastleLists(game);
    EXPECT_EQ(w.generalCount, 2);
    EXPECT_EQ(garrison(w.castles[home]), (std::vector<int>{0, 1}));
    EXPECT_EQ(last, 4);
}

TEST_F(Rebuild, MasterlessGeneralsJoinTheWaitingTableWithTheirRefuges) {
    b.general("主", lord, home);
    int r = b.general("浪人", lord, home);
    w.generals[r].house = kHouseRonin;
    w.generals[r].sortieTarget = static_cast<int16_t>(home); // an order left over from the month
    const int16_t refuges[5] = {2, 3, -1, -1, -1};
    std::copy(refuges, refuges + 5, w.generals[r].refugeHouses);
    w.waitingCount = 4;
    rebuildCastleLists(game);
    EXPECT_EQ(w.generalCount, 1);
    ASSERT_EQ(w.waitingCount, 5);
    EXPECT_EQ(cp932ToUtf8(fieldText(w.waitingGenerals[4].name)), "浪人");
    EXPECT_TRUE(std::equal(refuges, refuges + 5, w.waitingGenerals[4].refugeHouses));
    EXPECT_EQ(w.waitingGenerals[4].sortieTarget, -1) << "a ronin has no place to appear at";

    // No room while 5000 wait: he leaves the active table all the same.
    w.waitingCount = kMaxGenerals;
    w.generals[b.general("浪人二", lord, home)].house = kHouseRonin;
    rebuildCastleLists(game);
    EXPECT_EQ(w.generalCount, 1);
    EXPECT_EQ(w.waitingCount, kMaxGenerals);
}

} // namespace
} // namespace vh
