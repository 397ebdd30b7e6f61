// Corps: forming and joining, responsible provinces, fief castles, money and guns, dissolution
// and the leader's succession.
#include "personnel/corps.h"
#include "personnel/personnel_lists.h"
#include "personnel_fixture.h"
#include "simulation/succession.h"

namespace vh::test {
namespace {

using Corps_ = PersonnelTest;

TEST_F(Corps_, WhoMayLeadAndWhoMayJoin) {
    const int retainer = general("勝家", me, myCastle);
    const int vassalMan = general("忠勝", vassal, vassalCastle);
    const int guest = general("数正", vassal, vassalCastle);
    w.generals[guest].status = kStatusGuest;

    EXPECT_EQ(appointCorpsLeader(w, head), "当主は軍団長には任命できません");
    EXPECT_EQ(appointCorpsLeader(w, vassalHead), "臣従大名とその家臣は軍団長には任命できません");
    EXPECT_EQ(appointCorpsLeader(w, vassalMan), "臣従大名とその家臣は軍団長には任命できません");
    EXPECT_TRUE(playerCorps(w).empty());
    EXPECT_EQ(assignToCorps(w, 0, {vassalMan}), std::vector<std::string>{"軍団が作成されていません"});

    EXPECT_EQ(appointCorpsLeader(w, guest), "");
    EXPECT_EQ(w.corps[0].leader, guest);
    EXPECT_EQ(w.corps[0].house, me);
    EXPECT_EQ(appointCorpsLeader(w, retainer), "");
    EXPECT_EQ(w.generals[retainer].corps, 1);
    EXPECT_EQ(w.corps[1].provinces[3], kNoProvince);

    EXPECT_EQ(assignToCorps(w, -1, {vassalMan}),
              std::vector<std::string>{"先に軍団を指定しておいてください"});
    // The head is skipped with his message; the vassal's head and his man join.
    const auto messages = assignToCorps(w, 1, {head, vassalHead, vassalMan});
    EXPECT_EQ(messages, std::vector<std::string>{"当主は軍団には編入できません\n（臣従大名当主は可能）"});
    EXPECT_EQ(w.generals[head].corps, -1);
    EXPECT_EQ(w.generals[vassalHead].corps, 1);
    EXPECT_EQ(w.generals[vassalMan].corps, 1);
    EXPECT_EQ(corpsRows(w)[1].generals, 3);

    // Back to direct rule: members leave; the leader among them dissolves the corps.
    EXPECT_FALSE(returnDissolvesCorps(w, 1, {vassalMan}));
    returnToDirectRule(w, 1, {vassalMan});
    EXPECT_EQ(w.generals[vassalMan].corps, -1);
    EXPECT_TRUE(returnDissolvesCorps(w, 1, {retainer, vassalHead}));
    returnToDirectRule(w, 1, {retainer, vassalHead});
    EXPECT_EQ(w.corps[1].leader, -1);
    EXPECT_EQ(w.generals[vassalHead].corps, -1);
}

TEST_F(Corps_, TheHundredAndFirstCorpsIsRefusedAndFreedSlotsAreReusedLowestFirst) {
    std::vector<int> leaders;
    for (int i = 0; i < kMaxCorps + 1; ++i)
        leaders.push_back(general("将", me, -1));
    for (int i = 0; i < kMaxCorps; ++i)
        ASSERT_EQ(appointCorpsLeader(w, leaders[i]), "");
    EXPECT_EQ(appointCorpsLeader(w, leaders[kMaxCorps]), "軍団数が多すぎます");
    EXPECT_EQ(w.generals[leaders[kMaxCorps]].corps, -1);
    dissolveCorps(w, 70);
    dissolveCorps(w, 40);
    EXPECT_EQ(appointCorpsLeader(w, leaders[kMaxCorps]), "");
    EXPECT_EQ(w.generals[leaders[kMaxCorps]].corps, 40);
}

TEST_F(Corps_, RemovingTheMiddleOfAChainKeepsTheLowerSlotOnly) {
    const int a = b.castle("甲", me, 1), bb = b.castle("乙", me, 2), c = b.castle("丙", me, 3);
    b.castle("丁", me, 4);
    b.route(a, bb);
    b.route(bb, c);
    b.route(myCastle, a);
    const int leader = general("勝家", me, myCastle);
    const int other = general("長秀", me, myCastle);
    appointCorpsLeader(w, leader);
    appointCorpsLeader(w, other);
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 1), "");
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 3), "城経路で隣接していない国は指定できません");
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 2), "");
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 3), "");
    EXPECT_EQ(toggleResponsibleProvince(w, 1, 2), "既に他の軍団の担当国です（重複指定不可）");
    w.corps[0].provinces[3] = 9; // four slots used: an adjacent fifth is refused
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 0), "担当国は４カ国までしか指定できません");
    w.corps[0].provinces[3] = kNoProvince;

    EXPECT_EQ(toggleResponsibleProvince(w, 0, 2), "");
    const uint8_t expected[4] = {1, kNoProvince, kNoProvince, kNoProvince};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), w.corps[0].provinces));
    // A lone province is cleared like any other.
    EXPECT_EQ(toggleResponsibleProvince(w, 0, 1), "");
    EXPECT_EQ(w.corps[0].provinces[0], kNoProvince);
}

TEST_F(Corps_, MoneyAndGunsBothWaysWithEveryRefusal) {
    const int leader = general("勝家", me, myCastle);
    EXPECT_EQ(giveCorpsFunds(w, 0, 10), "軍団を選択してください");
    appointCorpsLeader(w, leader);
    w.houses[me].funds = 300;
    w.houses[me].undeployedGuns = 5;
    EXPECT_EQ(giveCorpsFunds(w, 0, -1), "マイナス値は無効です");
    EXPECT_EQ(takeCorpsFunds(w, 0, 10), "軍団の資金がありません");
    EXPECT_EQ(giveCorpsFunds(w, 0, 1000), "");
    EXPECT_EQ(w.corps[0].funds, 300);
    EXPECT_EQ(w.houses[me].funds, 0);
    EXPECT_EQ(giveCorpsFunds(w, 0, 1), "大名の資金がありません");
    EXPECT_EQ(takeCorpsFunds(w, 0, 100), "");
    EXPECT_EQ(w.houses[me].funds, 100);
    EXPECT_EQ(w.corps[0].funds, 200);

    EXPECT_EQ(giveCorpsGuns(w, 0, 25), "10の倍数で指定してください");
    EXPECT_EQ(giveCorpsGuns(w, 0, -10), "マイナス値は無効です");
    EXPECT_EQ(giveCorpsGuns(w, 0, 90), ""); // 9 units asked, 5 held
    EXPECT_EQ(w.corps[0].undeployedGuns, 5);
    EXPECT_EQ(giveCorpsGuns(w, 0, 10), "大名の未配備鉄砲がありません");
}

TEST_F(Corps_, FiefsAndDissolutionGiveEverythingBack) {
    const int second = b.castle("那古野城", me);
    const int leader = general("勝家", me, myCastle);
    const int member = general("利家", me, myCastle);
    appointCorpsLeader(w, leader);
    assignToCorps(w, 0, {member});
    EXPECT_TRUE(toggleFiefCastle(w, 0, second));
    EXPECT_EQ(w.castles[second].lord, leader);
    EXPECT_FALSE(toggleFiefCastle(w, 0, vassalCastle)); // a vassal's castle does not react
    EXPECT_TRUE(toggleFiefCastle(w, 0, myCastle));
    EXPECT_TRUE(toggleFiefCastle(w, 0, myCastle));
    EXPECT_EQ(w.castles[myCastle].lord, head);
    EXPECT_EQ(w.castles[myCastle].corps, -1);
    w.corps[0].funds = 70;
    w.corps[0].undeployedGuns = 3;
    w.houses[me].funds = 5;
    dissolveCorps(w, 0);
    EXPECT_EQ(w.houses[me].funds, 75);
    EXPECT_EQ(w.houses[me].undeployedGuns, 3);
    EXPECT_EQ(w.castles[second].corps, -1);
    EXPECT_EQ(w.castles[second].lord, head);
    EXPECT_EQ(w.generals[member].corps, -1);
    EXPECT_EQ(w.corps[0].leader, -1);
}

TEST_F(Corps_, TheWisestTakesOverTheLastAmongEqualsOrTheCorpsDissolves) {
    const int fief = b.castle("那古野城", me);
    const int leader = general("勝家", me, myCastle, 5, 9);
    const int first = general("利家", me, myCastle, 5, 7);
    const int second = general("成政", me, myCastle, 5, 7);
    const int dull = general("盛政", me, myCastle, 5, 2);
    appointCorpsLeader(w, leader);
    assignToCorps(w, 0, {first, dull, second});
    toggleFiefCastle(w, 0, fief);
    w.generals[leader].corps = -1;
    succeedCorpsLeader(game, 0, std::string(fieldText(w.generals[leader].name)));
    EXPECT_EQ(w.corps[0].leader, second);
    EXPECT_EQ(w.castles[fief].lord, second);
    ASSERT_EQ(player.count("message"), 1);
    EXPECT_EQ(player.texts("message")[0], "勝家 軍団は、成政 が軍団長を引き継ぎます");
    (void)first;

    for (int g : {first, second, dull})
        w.generals[g].corps = -1;
    w.corps[0].funds = 40;
    succeedCorpsLeader(game, 0, std::string(fieldText(w.generals[second].name)));
    EXPECT_EQ(player.texts("message")[1], "成政 軍団は、軍団長後継者がいないため解体します");
    EXPECT_EQ(w.corps[0].leader, -1);
    EXPECT_EQ(w.castles[fief].corps, -1);
    EXPECT_EQ(w.houses[me].funds, 1040);
}

TEST_F(Corps_, HeaderSortsKeepTheirOrders) {
    const int young = general("若", me, myCastle, 9, 1);
    w.generals[young].birthYear = 1550;
    const int unknown = general("謎", vassal, vassalCastle, 1, 9);
    w.generals[unknown].flags |= kFlagBirthUnknown;
    auto rows = directGeneralRows(w);
    sortGeneralRows(w, rows, kColName); // own house first, then the vassal's, in general order
    std::vector<int> order;
    for (const auto& r : rows)
        order.push_back(r.general);
    EXPECT_EQ(order, (std::vector<int>{head, young, vassalHead, unknown}));
    sortGeneralRows(w, rows, kColAge);
    EXPECT_EQ(rows.front().general, young);
    EXPECT_EQ(rows.back().general, unknown);
    sortGeneralRows(w, rows, kColIntellect);
    EXPECT_EQ(rows.front().general, unknown);
    sortGeneralRows(w, rows, kColRank);
    EXPECT_EQ(rows[0].rank, "当主");
    EXPECT_EQ(rows[1].rank, "当主");
}

} // namespace
} // namespace vh::test
