// Firearms: prices, production capacity, the markets on offer, deployment limits, the month's
// deliveries and the drift.
#include "economy/firearms.h"
#include "game/month_event_step.h"

#include "economy_fixture.h"
#include "game/scripted_frontend.h"
#include "world/byte_io.h"
#include "world/text_codec.h"

#include <cstring>

namespace vh {
namespace {

using test::EconomyTest;

struct DeliveryRecorder : ScriptedFrontend {
    std::vector<GunDelivery> deliveries;
    void showGunDelivery(const GunDelivery& d) override { deliveries.push_back(d); }
};

struct Firearms : EconomyTest {
    int market(const char* name, int months, double price, double supply) {
        const int m = w.gunMarketCount++;
        GunMarket& g = w.gunMarkets[m];
        g = GunMarket{};
        setFieldText(g.name, utf8ToCp932(name));
        std::memset(g.deliveryMonths, static_cast<uint8_t>(months), sizeof g.deliveryMonths);
        g.costCurrent = price;
        g.rateCurrent = supply;
        return m;
    }
};

TEST_F(Firearms, UnitPricesTruncateAndNeverFallBelowOne) {
    w.settings.teppouCostCurrent = 50.0;
    EXPECT_EQ(productionUnitPrice(w), 500);
    EXPECT_EQ(productionCostLine(w), "10挺当たりの鉄砲生産費用 = 500");
    w.settings.teppouCostCurrent = 30.09;
    EXPECT_EQ(productionUnitPrice(w), 300);
    w.settings.teppouCostCurrent = 0.01;
    EXPECT_EQ(productionUnitPrice(w), 1);
    const int m = market("堺", 1, 0.0, 100);
    EXPECT_EQ(marketUnitPrice(w, m), 1);

    // A number the money does not cover drops; the warning comes when nothing could be cut.
    EXPECT_EQ(fitToFunds(5, 0, 1200, 500).value, 2);
    EXPECT_FALSE(fitToFunds(5, 0, 1200, 500).warn);
    EXPECT_EQ(fitToFunds(3, 1000, 1200, 100).value, 2); // other markets' orders count
    EXPECT_TRUE(fitToFunds(0, 0, -10, 500).warn);
    EXPECT_EQ(fitToFunds(0, 0, -10, 500).value, 0);
    EXPECT_EQ(fitToFunds(4, 0, 2000, 500).value, 4);
}

TEST_F(Firearms, CapacitySharesEachProvincesOutputByTownEconomy) {
    w.gunProduction[0].current = 100;
    w.gunProduction[2].current = 40; // the house's only castle there
    w.gunProduction[1].current = 0;
    const int rivals = b.castle("岸和田城", rival, 0);
    w.castles[home].town = 300;
    w.castles[rivals].town = 100;
    w.castles[far].town = 0; // counts as 1
    // 300/400 × 100 + 1/1 × 40 = 115 guns, 11.5 units → 12.
    EXPECT_EQ(productionCapacity(w, player), 12);
    EXPECT_EQ(producingProvinces(w, player), (std::vector<int>{0, 2}));
    w.gunProduction[2].current = 0;
    w.gunProduction[0].current = 4; // 3 guns: below one unit, still 1
    EXPECT_EQ(productionCapacity(w, player), 1);
    EXPECT_EQ(productionCapacity(w, b.house("無城")), 0);

    w.gunProduction[0].current = 100;
    w.settings.teppouCostCurrent = 50.0;
    w.houses[player].funds = 10000;
    EXPECT_EQ(orderProduction(w, player, 20), 8); // 75 guns: 8 units
    EXPECT_EQ(w.houses[player].funds, 10000 - 8 * 500);
    EXPECT_EQ(remainingProduction(w, player), 0);
}

TEST_F(Firearms, MarketsAreOfferedByTheNearestReachableCastleAndShowOrdersUnderWay) {
    const int unreachable = market("長崎", -1, 30, 500);
    w.gunMarkets[unreachable].deliveryMonths[1] = 0xFE; // every castle's province negative
    const int sakai = market("堺", 4, 30, 500);
    w.gunMarkets[sakai].deliveryMonths[1] = 1;
    market("平戸", 2, 30, 0); // no supply this month
    std::vector<MarketOffer> offers = marketAvailability(w, player, true);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].market, sakai);
    EXPECT_EQ(offers[0].months, 1);
    EXPECT_EQ(offers[0].available, 500 / 10 / 2);

    // The player may buy again in the same phase; a computer house and later phases see 調達中.
    w.houses[player].funds = 100000;
    orderFromMarket(w, player, sakai, 1, 5, true);
    EXPECT_EQ(w.houses[player].funds, 100000 - 5 * 300);
    EXPECT_FALSE(marketAvailability(w, player, true)[0].underWay);
    EXPECT_EQ(purchasable(w, marketAvailability(w, player, true)[0]), 20);
    EXPECT_TRUE(marketAvailability(w, player, false)[0].underWay);
    w.gunMarkets[sakai].monthlyPurchases = 0; // a new phase
    const MarketOffer later = marketAvailability(w, player, true)[0];
    EXPECT_TRUE(later.underWay);
    EXPECT_EQ(later.available, -1);
    EXPECT_EQ(later.ordered, 5);
    EXPECT_EQ(purchasable(w, later), 0);
    // A tiny supply still offers one unit.
    w.gunMarkets[sakai].rateCurrent = 3;
    b.castle("駿府城", rival, 1);
    const std::vector<MarketOffer> rivals = marketAvailability(w, rival, false);
    ASSERT_EQ(rivals.size(), 1u);
    EXPECT_EQ(rivals[0].available, 1);
}

TEST_F(Firearms, DeploymentStopsAtTheFootAndTheStock) {
    const int full = b.general("勝家", player, home);
    w.generals[full].foot = 30; // 300 foot
    w.generals[full].guns = 30;
    const int keen = b.general("利家", player, home);
    w.generals[keen].foot = 50;
    const int inCorps = b.general("長秀", player, home);
    w.generals[inCorps].corps = 0;
    const int guestHouse = b.house("浅井");
    b.vassal(guestHouse, player);
    const int guest = b.general("長政", guestHouse, home);
    w.generals[guest].status = kStatusGuest;
    b.general("久政", guestHouse, home); // a vassal's own general is not the player's
    EXPECT_EQ(deploymentGenerals(w, player, 0), (std::vector<int>{head, full, keen, guest}));
    w.castles[home].besiegerCount = 1;
    EXPECT_TRUE(deploymentGenerals(w, player, 0).empty());

    w.houses[player].undeployedGuns = 20;
    EXPECT_EQ(deploymentLimit(w, full, 20, 0), 0);
    EXPECT_EQ(deploymentLimit(w, keen, 20, 0), 20);
    EXPECT_EQ(deploymentLimit(w, keen, 5, 15), 20);
    deployGuns(w, player, {{full, 5}, {keen, 25}});
    EXPECT_EQ(w.generals[full].guns, 30);
    EXPECT_EQ(w.generals[keen].guns, 20);
    EXPECT_EQ(w.houses[player].undeployedGuns, 0);
}

TEST_F(Firearms, ProductionAndShortOrdersArriveAtTheNextEventStepAndThePlayerIsTold) {
    DeliveryRecorder fe;
    game.frontend = &fe;
    const int sakai = market("堺", 0, 30, 500);
    const int hirado = market("平戸", 2, 30, 500);
    DaimyoHouse& d = w.houses[player];
    d.gunsOrderedThisMonth = 4;
    orderFromMarket(w, player, sakai, 0, 3, true);
    orderFromMarket(w, player, hirado, 2, 6, true);
    w.houses[rival].marketOrders[sakai] = {7, 1, 0};
    deliverFirearms(game);
    EXPECT_EQ(d.undeployedGuns, 7);
    EXPECT_EQ(w.houses[rival].undeployedGuns, 7);
    EXPECT_EQ(d.gunsOrderedThisMonth, 0);
    EXPECT_EQ(d.marketOrders[sakai].guns, 0);
    EXPECT_EQ(d.marketOrders[hirado].monthsLeft, 1);
    ASSERT_EQ(fe.deliveries.size(), 1u);
    EXPECT_EQ(fe.deliveries[0].lines(),
              (std::vector<std::string>{"40挺の鉄砲を生産しました", "堺から30挺の鉄砲を調達しました",
                                        "未配備鉄砲数が 70挺 になりました"}));
    deliverFirearms(game);
    EXPECT_EQ(d.undeployedGuns, 13);
    EXPECT_EQ(d.marketOrders[hirado].guns, 0);
    deliverFirearms(game); // nothing came: nothing shown
    EXPECT_EQ(fe.deliveries.size(), 2u);
    game.quietMode = true;
    d.gunsOrderedThisMonth = 1;
    deliverFirearms(game);
    EXPECT_EQ(fe.deliveries.size(), 2u);
    EXPECT_EQ(d.undeployedGuns, 14);
}

TEST_F(Firearms, TheDriftWaitsForTheFirstMonthToPassAndEachStartYear) {
    w.settings.teppouCostCurrent = 51.0;
    w.settings.teppouSoubiRitsuCurrent = 49.95;
    ProvinceGunProduction& p = w.gunProduction[1];
    p = {1560, 10.0, 2.0, 13.0, 0.0};
    w.gunProduction[2] = {1561, 10.0, 2.0, 13.0, 0.0};
    const int m = market("堺", 2, 0, 0);
    GunMarket& g = w.gunMarkets[m];
    g.fromYear = 1560;
    g.costInitial = 40, g.costDecrease = 5, g.costLowerBound = 32;
    g.rateInitial = 100, g.rateIncrease = 30, g.rateUpperBound = 150;

    firearmsMonth(game); // the scenario's first month
    EXPECT_EQ(w.settings.teppouCostCurrent, 51.0);
    EXPECT_EQ(p.current, 0.0);
    w.date.month = 5;
    firearmsMonth(game);
    EXPECT_DOUBLE_EQ(w.settings.teppouCostCurrent, 50.0);
    EXPECT_DOUBLE_EQ(w.settings.teppouSoubiRitsuCurrent, 50.0);
    EXPECT_EQ(p.current, 10.0);
    EXPECT_EQ(w.gunProduction[2].current, 0.0); // not before its year
    EXPECT_EQ(g.costCurrent, 40);
    EXPECT_EQ(g.rateCurrent, 100);
    for (int i = 0; i < 3; ++i)
        driftFirearms(w);
    EXPECT_DOUBLE_EQ(w.settings.teppouCostCurrent, 50.0);
    EXPECT_EQ(p.current, 13.0);
    EXPECT_EQ(g.costCurrent, 32);
    EXPECT_EQ(g.rateCurrent, 150);
}

TEST_F(Firearms, TheMonthsEventStepDeliversThenDrifts) {
    w.date = {1560, 6};
    b.castle("駿府城", rival, 2); // two houses: nobody has unified the country
    w.houses[player].gunsOrderedThisMonth = 2;
    w.settings.teppouCostCurrent = 120.0;
    ASSERT_TRUE(monthEventStep(game));
    EXPECT_EQ(w.houses[player].undeployedGuns, 2);
    EXPECT_EQ(w.houses[player].gunsOrderedThisMonth, 0);
    EXPECT_DOUBLE_EQ(w.settings.teppouCostCurrent, 119.0);
}

} // namespace
} // namespace vh
