// The month's money: harvest roll and tax, support, Ainu trade, fleets, upkeep, desertion, the
// computer's tax choice and the harvest dialog.
#include "simulation/accounts.h"
#include "simulation/trade_income.h"

#include "recording_frontend.h"
#include "support/world_builder.h"
#include "world/numeric.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vh {
namespace {

using test::RecordingFrontend;
using test::WorldBuilder;

struct AccountsTest : ::testing::Test {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    void SetUp() override {
        w.date = {1560, 4};
        w.settings.heiUnit = 10;
    }
};

TEST_F(AccountsTest, HarvestTaxesTheKokuAndMovesSupportTowardTheRateTarget) {
    w.date.month = 9;
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    for (int index : {0, 4, 8}) {
        w.castles[c].yield = 100000;
        w.castles[c].support = 500;
        game.rng.seed(11);
        Random copy(11);
        IncomeBreakdown inc;
        computeIncome(game, h, -1, 1560, 9, index, false, nullptr, inc);
        EXPECT_EQ(inc.harvest, 100000 * kTaxRateTable[index] / 100);
        const int delta =
            roundHalfAway((kSupportTargetTable[index] * 10 - 500) * 0.2 * (0.8 + copy.unit() * 0.4));
        EXPECT_EQ(w.castles[c].support, 500 + delta) << "index " << index;
        // Toward the rate's target, never past it: a heavy tax lowers support, a light one raises it.
        const int target = kSupportTargetTable[index] * 10;
        EXPECT_LE(std::abs(target - w.castles[c].support), std::abs(target - 500)) << "index " << index;
        EXPECT_EQ(w.castles[c].support < 500, target < 500) << "index " << index;
        EXPECT_EQ(w.castles[c].support > 500, target > 500) << "index " << index;
    }
}

TEST_F(AccountsTest, OutsideTheHarvestMonthNothingIsTaxedOrDrawn) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    w.castles[c].yield = 100000;
    w.castles[c].support = 300;
    w.castles[c].town = 120;
    w.castles[c].mine = 1000;
    w.houses[h].miningSkill = 250;
    game.rng.seed(5);
    IncomeBreakdown inc;
    computeIncome(game, h, -1, 1560, 4, 0, false, nullptr, inc);
    EXPECT_EQ(inc.harvest, 0);
    EXPECT_EQ(inc.town, 120);
    EXPECT_EQ(inc.mine, 250);
    EXPECT_EQ(inc.total, 370);
    EXPECT_EQ(w.castles[c].support, 300);
    EXPECT_EQ(game.rng.state(), Random(5).state());
}

TEST_F(AccountsTest, HarvestOutcomesFollowTheRegionDrawAndSkipNormalRegions) {
    w.date.month = 9;
    const int r0 = b.region("北"), r1 = b.region("中"), r2 = b.region("南");
    b.province("一", r0);
    b.province("二", r0);
    b.province("三", r1);
    b.province("四", r2);
    b.province("五", r2);
    bool sawNormalRegion = false, sawOther = false;
    for (uint32_t s = 1; s < 40; ++s) {
        const uint32_t seed = test::spreadSeed(s);
        game.rng.seed(seed);
        Random copy(seed);
        HarvestOutcomes out;
        EXPECT_EQ(rollHarvest(game, out), kStandardTaxIndex);
        int drawn[3];
        for (int& d : drawn)
            d = copy.below(3) - 1;
        for (int p = 0; p < 5; ++p) {
            const int d = drawn[w.map.provinces[p].region];
            int expected = 0;
            if (d != 0) expected = copy.unit() < 0.7 ? d : 0;
            ASSERT_EQ(out[p], expected) << "seed " << seed << " province " << p;
            (d == 0 ? sawNormalRegion : sawOther) = true;
        }
        ASSERT_EQ(game.rng.state(), copy.state()) << "a normal region must draw nothing more";
    }
    EXPECT_TRUE(sawNormalRegion && sawOther);
}

TEST_F(AccountsTest, HarvestKokuAppliesTheWeatherAndTruncatesOnce) {
    b.region("r");
    const int good = b.province("豊", 0), poor = b.province("凶", 0);
    const int h = b.house("甲");
    w.castles[b.castle("一", h, good)].yield = 333;
    w.castles[b.castle("二", h, poor)].yield = 333;
    HarvestOutcomes out{};
    out[good] = kHarvestGood;
    out[poor] = kHarvestPoor;
    EXPECT_EQ(harvestKoku(w, h, -1, &out), 732); // 432.9 + 299.7, truncated once
    EXPECT_EQ(harvestKoku(w, h, -1, nullptr), 666);
}

TEST_F(AccountsTest, AinuTradeTakesTheLastAinuHouseAndSharesAmongItsNeighbours) {
    const int a = b.house("甲"), x = b.house("蝦夷一"), y = b.house("蝦夷二"), o = b.house("乙");
    w.houses[x].kind = w.houses[y].kind = kHouseAinu;
    const int a1 = b.castle("a1", a, 0), x1 = b.castle("x1", x, 0), a2 = b.castle("a2", a, 1);
    const int y1 = b.castle("y1", y, 1), o1 = b.castle("o1", o, 2);
    b.route(a1, x1);
    b.route(a2, y1);
    b.route(o1, y1);
    auto pact = [&](int p, int q) {
        setRelationKind(w.houses[p], q, kRelPact);
        setRelationKind(w.houses[q], p, kRelPact);
    };
    pact(a, x);
    pact(a, y);
    pact(o, y);

    game.rng.seed(3);
    Random copy(3);
    const int got = ainuTradeIncome(game, a);
    copy.unit(); // the first Ainu house is overwritten by the second
    // y: a shares a province (3), o does not (1); a's own share is tripled.
    EXPECT_EQ(got, static_cast<int>((2500 + copy.unit() * 500) / 4 * 3));
    EXPECT_EQ(game.rng.state(), copy.state());

    // The Ainu house trades with its first friendly ordinary neighbour.
    const int ainuSide = ainuTradeIncome(game, x);
    EXPECT_EQ(ainuSide, static_cast<int>((2500 + copy.unit() * 500) / 2));

    // A corps never trades with the Ainu, even holding the bordering castle.
    const int leader = b.general("将", a, a1);
    const int corps = b.corps(leader, a);
    w.castles[a1].corps = static_cast<int16_t>(corps);
    IncomeBreakdown inc;
    computeIncome(game, a, corps, 1560, 4, 4, false, nullptr, inc);
    EXPECT_EQ(inc.ainuTrade, 0);
}

TEST_F(AccountsTest, UpkeepChargesSortiesDoubleAndLeavesBesiegedTroopsToTheirStores) {
    const int h = b.house("甲"), e = b.house("乙");
    const int home = b.castle("本", h), sieged = b.castle("囲", h), enemy = b.castle("敵", e);
    w.castles[home].garrison = 100;
    w.castles[sieged].garrison = 50;
    const int idle = b.general("一", h, home);
    w.generals[idle].cavalry = 10;
    w.generals[idle].foot = 20;
    const int away = b.general("二", h, enemy, true);
    w.generals[away].cavalry = 5;
    w.generals[away].foot = 6;
    const int inside = b.general("三", h, sieged);
    w.generals[inside].cavalry = 7;
    w.generals[inside].foot = 8;
    b.general("攻", e, sieged, true);

    UpkeepBreakdown up;
    EXPECT_EQ(computeUpkeep(w, h, -1, false, up), 150 + 100 + 150 + 60 + 100);
    EXPECT_EQ(up.sortieCavalry, 150);
    EXPECT_EQ(up.sortieFoot, 60);
    EXPECT_TRUE(up.leftOut);
    EXPECT_EQ(computeUpkeep(w, h, -1, true, up), 255 + 140 + 150 + 60 + 150);

    w.settings.heiUnit = 3;
    w.castles[sieged].besiegerCount = 0;
    computeUpkeep(w, h, -1, false, up);
    EXPECT_FALSE(up.leftOut);
    EXPECT_EQ(up.idleFoot, 42); // 3 × 28 × 0.5
    EXPECT_EQ(up.garrison, 45); // 3 × 150 × 0.1
}

TEST_F(AccountsTest, DesertionStartsAtThreeTimesTheUpkeepBasis) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    const int g = b.general("将", h, c);
    w.generals[g].cavalry = 10;
    w.generals[g].foot = 20; // basis 10 × (30 + 20) = 500, upkeep 150 + 100
    w.playerHouse = h;

    w.houses[h].funds = -1249; // ends at -1499: short of three times the basis
    game.rng.seed(9);
    AccountResult r = settleAccount(game, h, -1, 4, nullptr);
    EXPECT_EQ(r.fundsAfter, -1499);
    EXPECT_FALSE(r.deserted);
    EXPECT_EQ(w.generals[g].cavalry, 10);
    EXPECT_TRUE(game.messageLog.empty());

    w.houses[h].funds = -1250; // ends at exactly -1500
    Random copy(game.rng.state());
    r = settleAccount(game, h, -1, 4, nullptr);
    EXPECT_TRUE(r.deserted);
    const int cav = roundHalfAway(10 * (0.92 + copy.unit() * 0.05));
    const int foot = roundHalfAway(20 * (0.92 + copy.unit() * 0.05));
    EXPECT_EQ(w.generals[g].cavalry, cav);
    EXPECT_EQ(w.generals[g].foot, foot);
    ASSERT_EQ(game.messageLog.size(), 1u);
    EXPECT_NE(game.messageLog[0].find("は資金がマイナスのため一部の兵に見放されました"), std::string::npos);
}

TEST_F(AccountsTest, AGuestOfASubmittedVassalCostsTheLordButIsNotInItsDesertionBasis) {
    const int lord = b.house("主"), vassal = b.house("従");
    b.vassal(vassal, lord);
    const int lc = b.castle("主城", lord), vc = b.castle("従城", vassal);
    const int own = b.general("家臣", lord, lc);
    w.generals[own].cavalry = 10;
    w.generals[own].foot = 20;
    b.general("従当主", vassal, vc);
    const int guest = b.general("客", vassal, lc);
    w.generals[guest].status = kStatusGuest;
    w.generals[guest].cavalry = 100;

    UpkeepBreakdown up;
    EXPECT_EQ(computeUpkeep(w, lord, -1, false, up), 250 + 1500);
    EXPECT_EQ(computeUpkeep(w, vassal, -1, false, up), 0);

    // With the guest in the basis (3500) this debt would not reach three times it.
    w.houses[lord].funds = 250;
    AccountResult r = settleAccount(game, lord, -1, 4, nullptr);
    EXPECT_EQ(r.fundsAfter, -1500);
    EXPECT_TRUE(r.deserted);
    EXPECT_LT(w.generals[guest].cavalry, 100); // he deserts with the lord's men all the same
}

TEST_F(AccountsTest, FundsAreCappedAtOneBillion) {
    const int h = b.house("甲", 999999000);
    w.castles[b.castle("城", h)].town = 5000;
    settleAccount(game, h, -1, 4, nullptr);
    EXPECT_EQ(w.houses[h].funds, kFundsCap);
}

// A house with one directly held castle of 200000 koku (standard harvest 100000) whose need is
// exactly `need`: the garrison makes up the deficit, the funds the rest.
struct TaxCase {
    int garrison;
    int funds;
};
TaxCase caseForNeed(int need) {
    const int garrison = need > 12000 ? (need - 12000 + 11) / 12 : 0;
    return {garrison, 12 * garrison + 12000 - need};
}

TEST_F(AccountsTest, ComputerTaxChoiceFollowsTheNeedRatioThresholds) {
    const int h = b.house("甲");
    const int c = b.castle("城", h);
    w.castles[c].yield = 200000;
    const int thresholds[8] = {170000, 150000, 130000, 110000, 90000, 70000, 50000, 30000};
    for (int i = 0; i < 8; ++i) {
        for (int extra : {0, 1}) {
            TaxCase tc = caseForNeed(thresholds[i] + extra);
            w.castles[c].garrison = static_cast<int16_t>(tc.garrison);
            w.houses[h].funds = tc.funds;
            ASSERT_GE(tc.funds, 0);
            EXPECT_EQ(chooseComputerTaxIndex(w, h, nullptr), extra ? i : i + 1) << "threshold " << i;
        }
    }
}

TEST_F(AccountsTest, DebtCapsTheComputerTaxIndex) {
    const int h = b.house("甲");
    w.castles[b.castle("城", h)].yield = 200000;
    struct {
        int funds;
        int index;
    } cases[] = {{-50000, 0}, {-49999, 1}, {-30000, 1}, {-29999, 2}, {-10000, 2}, {-9999, 3}};
    for (auto tc : cases) {
        w.houses[h].funds = tc.funds;
        EXPECT_EQ(chooseComputerTaxIndex(w, h, nullptr), tc.index) << tc.funds;
    }
}

TEST_F(AccountsTest, AHouseWithNothingToTaxTakesAllOnlyWhenItNeedsMoney) {
    const int h = b.house("甲");
    w.houses[h].funds = -1;
    EXPECT_EQ(chooseComputerTaxIndex(w, h, nullptr), 0);
    w.houses[h].funds = 0; // need 2000
    EXPECT_EQ(chooseComputerTaxIndex(w, h, nullptr), 0);
    w.houses[h].funds = 2000; // need 0
    EXPECT_EQ(chooseComputerTaxIndex(w, h, nullptr), 8);
}

TEST_F(AccountsTest, AFleetComesHomeOnlyWhenSettledNotWhenForecast) {
    const int p = b.house("甲");
    const int port = b.castle("港城", p);
    w.castleSites[port].hasPort = 1;
    w.tradePartnerCount = 2;
    setFieldText(w.tradePartners[1].name, utf8ToCp932("明"));
    w.tradePartners[1].shipValue = 1000;
    w.castles[port].voyages[0] = {3, 1, 0, 4};
    w.castles[port].voyages[1] = {2, 1, 2, 4};
    w.castles[port].voyages[2] = {5, 0, 0, 1};
    w.playerHouse = p;
    RecordingFrontend fe;
    game.frontend = &fe;

    std::vector<int> forecast = forecastBalance(game, p, -1, 3);
    EXPECT_EQ(forecast, (std::vector<int>{0, 2000, 0}));
    EXPECT_TRUE(fe.returns.empty());
    EXPECT_EQ(w.castles[port].voyages[0].ships, 3);

    game.rng.seed(21);
    Random copy(21);
    AccountResult r = settleAccount(game, p, -1, 4, nullptr);
    const int gain = static_cast<int>(3000 * (0.8 + copy.unit() * 0.4));
    const int friendship = roundHalfAway(3 * (1 + copy.unit()));
    EXPECT_EQ(r.income.tradeShips, gain);
    ASSERT_EQ(fe.returns.size(), 2u);
    EXPECT_EQ(fe.returns[0].firstLine(), "明に派遣していた交易船 3隻が港城に帰港しました");
    EXPECT_EQ(fe.returns[0].secondLine(), "収益 " + std::to_string(gain));
    EXPECT_EQ(fe.returns[1].secondLine(), ""); // a training voyage brings nothing
    EXPECT_EQ(w.tradePartners[1].friendship[p], friendship);
    EXPECT_EQ(w.houses[p].navigationSkill, 4 * 2 * 3 + 1 * 2 * 5);
    EXPECT_EQ(w.castles[port].voyages[0].ships, 0);
    EXPECT_EQ(w.castles[port].voyages[1].ships, 2);

    // Another house's fleet comes home without a word to the player.
    const int o = b.house("乙");
    const int port2 = b.castle("他港", o);
    w.castleSites[port2].hasPort = 1;
    w.castles[port2].voyages[0] = {1, 1, 0, 4};
    settleAccount(game, o, -1, 4, nullptr);
    EXPECT_EQ(fe.returns.size(), 2u);
    EXPECT_EQ(w.castles[port2].voyages[0].ships, 0);
}

TEST_F(AccountsTest, TheHarvestDialogIsOnlyForALivingPlayerHouse) {
    w.date.month = 9;
    b.region("r");
    b.province("p", 0);
    const int p = b.house("甲");
    b.general("当主", p, b.castle("城", p));
    RecordingFrontend fe;
    game.frontend = &fe;
    HarvestOutcomes out;

    fe.taxAnswer = 2;
    EXPECT_EQ(rollHarvest(game, out), 4); // no player house yet
    w.playerHouse = p;
    EXPECT_EQ(rollHarvest(game, out), 2);
    ASSERT_EQ(fe.harvests.size(), 1u);
    EXPECT_EQ(fe.harvests[0].outcomes.size(), 1u);
    fe.taxAnswer = 12;
    EXPECT_EQ(rollHarvest(game, out), 4); // an answer off the table counts as the standard
    game.quietMode = true;
    EXPECT_EQ(rollHarvest(game, out), 4);
    game.quietMode = false;
    w.houses[p].head = -1;
    EXPECT_EQ(rollHarvest(game, out), 4);
    EXPECT_EQ(fe.harvests.size(), 2u);
}

TEST_F(AccountsTest, ThePlayerSeesOneReportWithItsCorpsRows) {
    const int p = b.house("甲", 1000), o = b.house("乙", 1000);
    const int c1 = b.castle("一", p), c2 = b.castle("二", p);
    b.general("当主", p, c1);
    const int leader = b.general("勝家", p, c2);
    const int corps = b.corps(leader, p);
    w.castles[c2].corps = static_cast<int16_t>(corps);
    w.castles[c2].town = 300;
    w.castles[c1].town = 100;
    w.corps[corps].funds = 50;
    b.general("他", o, b.castle("三", o));
    w.playerHouse = p;
    RecordingFrontend fe;
    game.frontend = &fe;

    settleHouseAccounts(game, o, 4, nullptr);
    EXPECT_TRUE(fe.reports.empty());
    settleHouseAccounts(game, p, 4, nullptr);
    ASSERT_EQ(fe.reports.size(), 1u);
    const AccountsReport& r = fe.reports[0];
    EXPECT_EQ(r.houseName, "甲");
    EXPECT_EQ(r.income.town, 100);
    EXPECT_EQ(r.fundsBefore, 1000);
    EXPECT_EQ(r.fundsAfter, 1100);
    ASSERT_EQ(r.corps.size(), 1u);
    EXPECT_EQ(r.corps[0].name, "勝家 軍団");
    EXPECT_EQ(r.corps[0].income, 300);
    EXPECT_EQ(r.corps[0].fundsAfter, 350);
}

TEST_F(AccountsTest, KokuGrowsAfterTheHarvestButNeverPastItsCeiling) {
    b.region("r");
    const int good = b.province("豊", 0);
    const int h = b.house("甲");
    const int c = b.castle("一", h, good), full = b.castle("二", h, good);
    w.castleSites[c].maxYield = w.castleSites[full].maxYield = 100000;
    w.castles[c].yield = 50000;
    w.castles[full].yield = 99000;
    HarvestOutcomes out{};
    out[good] = kHarvestGood;
    game.rng.seed(4);
    Random copy(4);
    growKoku(game, out);
    EXPECT_EQ(w.castles[c].yield, 50000 + static_cast<int>((0.018 + copy.unit() * 0.004) * 100000 * 1.2));
    EXPECT_GE(w.castles[c].yield, 50000 + 2160); // 1.8 % of the ceiling, times 1.2
    EXPECT_EQ(w.castles[full].yield, 100000);
}

TEST_F(AccountsTest, MiningSkillGrowsWithTheMinesUpTo5000) {
    const int h = b.house("甲"), rich = b.house("乙"), top = b.house("丙");
    w.castles[b.castle("一", h)].mine = 1600; // (32)^0.3 = 2.83
    for (int i = 0; i < 4; ++i)
        w.castles[b.castle("富", rich)].mine = 30000; // (2400)^0.3 = 10.3
    w.castles[b.castle("三", top)].mine = 1600;
    w.houses[top].miningSkill = 4999;
    growMiningSkill(w);
    EXPECT_EQ(w.houses[h].miningSkill, 2);
    EXPECT_EQ(w.houses[rich].miningSkill, 10);
    EXPECT_EQ(w.houses[top].miningSkill, 5000);
}

} // namespace
} // namespace vh
