// Province and trade sections: view areas, weather chances, gun production, trade partners, gun
// markets and their month tables.
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using ProvinceSections = ScenarioTest;
using TradeSections = ScenarioTest;

TEST_F(ProvinceSections, ViewAreas) {
    ASSERT_EQ(code("KuniArea {\n大和, 8, 10, 20, 300, 200\n}\n"), 0);
    const ProvinceViewArea& v = world().viewAreas[1];
    EXPECT_EQ(v.zoom, 8);
    EXPECT_EQ(v.x0, 10);
    EXPECT_EQ(v.y0, 20);
    EXPECT_EQ(v.x1, 301);
    EXPECT_EQ(v.y1, 201);
    const ProvinceViewArea& d = world().viewAreas[0];
    EXPECT_EQ(d.zoom, 6);
    EXPECT_EQ(d.x1, 100);
    EXPECT_EQ(code("KuniArea {\n武蔵, 8, 10, 20, 300, 200\n}\n"), kErrProvince);
    EXPECT_EQ(code("KuniArea {\n大和, 8, 560, 20, 300, 200\n}\n"), kErrX);
    EXPECT_EQ(code("KuniArea {\n大和, 8, 10, 20, 300, 440\n}\n"), kErrY);
    EXPECT_EQ(code("KuniArea {\n大和, z, 10, 20, 300, 200\n}\n"), kErrNotInteger);
}

TEST_F(ProvinceSections, WeatherChances) {
    ASSERT_EQ(code("SnowKakuritsu {\n駿河, 1,2,3,4,5,6,7,8,9,10,11,12\n}\n"
                   "RainKakuritsu {\n東海, 0 0 0 0 0 30 40 0 0 0 0 99\n}\n"),
              0);
    EXPECT_EQ(world().snowChance[3][0], 1);
    EXPECT_EQ(world().snowChance[3][11], 12);
    EXPECT_EQ(world().rainChance[1][5], 30);
    EXPECT_EQ(world().rainChance[1][11], 99);
    EXPECT_EQ(code("SnowKakuritsu {\n駿河, 1,2,3,4,5,6,7,8,9,10,11\n}\n"), kErrSyntax);
    EXPECT_EQ(code("SnowKakuritsu {\n駿河, 1,2,3,4,5,6,7,8,9,10,11,12,13\n}\n"), kErrSyntax);
    EXPECT_EQ(code("SnowKakuritsu {\n東海, 1,2,3,4,5,6,7,8,9,10,11,12\n}\n"), kErrProvince);
    EXPECT_EQ(code("RainKakuritsu {\n駿河, 1,2,3,4,5,6,7,8,9,10,11,12\n}\n"), kErrRegion);
    EXPECT_EQ(code("RainKakuritsu {\n東海, 1,2,3,4,5,6,7,8,9,10,11,x\n}\n"), kErrNotInteger);
}

TEST_F(ProvinceSections, GunProduction) {
    ASSERT_EQ(code("TeppouSeisan {\n摂津, 1545, 10.5, .5, 100\n}\n"), 0);
    const ProvinceGunProduction& p = world().gunProduction[2];
    EXPECT_EQ(p.fromYear, 1545);
    EXPECT_DOUBLE_EQ(p.base, 10.5);
    EXPECT_DOUBLE_EQ(p.increase, 0.5);
    EXPECT_DOUBLE_EQ(p.maximum, 100.0);
    EXPECT_DOUBLE_EQ(p.current, 0.0);
    EXPECT_EQ(code("TeppouSeisan {\n摂津, 1545, 10.5, x, 100\n}\n"), kErrNotReal);
    EXPECT_EQ(code("TeppouSeisan {\n摂津, 15.45, 10.5, 1, 100\n}\n"), kErrNotInteger);
}

TEST_F(TradeSections, PartnersAndVoyageMonths) {
    ASSERT_EQ(code("Trading {\nmin, 明, 500\nnanban, 南蛮, 800\n}\n"
                   "TradingMonth {\nmin, 3, K_ALL\nnanban, 6, 摂津, 駿河\nmin, 2, 山城\n}\n"),
              0);
    ASSERT_EQ(world().tradePartnerCount, 3);
    const TradePartner& m = world().tradePartners[1];
    EXPECT_EQ(cp932ToUtf8(fieldText(m.name)), "明");
    EXPECT_EQ(m.shipValue, 500);
    EXPECT_EQ(m.voyageMonths[0], 2);
    EXPECT_EQ(m.voyageMonths[1], 3);
    EXPECT_EQ(m.voyageMonths[3], 3);
    EXPECT_EQ(m.voyageMonths[4], 0xFF); // K_ALL covers the map's provinces only
    const TradePartner& n = world().tradePartners[2];
    EXPECT_EQ(n.voyageMonths[0], 0xFF); // a province no line names cannot reach the partner
    EXPECT_EQ(n.voyageMonths[2], 6);
    EXPECT_EQ(n.voyageMonths[3], 6);
}

TEST_F(TradeSections, PartnerChecks) {
    EXPECT_EQ(code("Trading {\n" + std::string(26, 'p') + ", 明, 500\n}\n"), kErrPartnerIdTooLong);
    EXPECT_EQ(code("Trading {\nmin, 明, 500\nmin, 明, 500\n}\n"), kErrPartnerIdDuplicate);
    EXPECT_EQ(code("Trading {\nmin, 一二三四五六七八九十一, 500\n}\n"), kErrPartnerNameTooLong);
    EXPECT_EQ(code("Trading {\nmin, 明, lots\n}\n"), kErrNotInteger);
    EXPECT_EQ(code("Trading {\nmin, 明, 500\n}\nTradingMonth {\nsong, 3, K_ALL\n}\n"), kErrPartnerRef);
    EXPECT_EQ(code("Trading {\nmin, 明, 500\n}\nTradingMonth {\nmin, 3, 武蔵\n}\n"), kErrProvince);
    EXPECT_EQ(code("Trading {\nmin, 明, 500\n}\nTradingMonth {\nmin, 3\n}\n"), kErrSyntax);
    std::string lines;
    for (int i = 0; i < 49; ++i)
        lines += "p" + std::to_string(i) + ", 国, 1\n";
    ASSERT_EQ(code("Trading {\n" + lines + "}\n"), 0);
    EXPECT_EQ(world().tradePartnerCount, 50);
    EXPECT_EQ(code("Trading {\n" + lines + "p49, 国, 1\n}\n"), kErrTooManyPartners);
}

TEST_F(TradeSections, GunMarkets) {
    ASSERT_EQ(code("TeppouKounyuu {\nsakai, 堺, 1543, 500, 2, 100, 50, 1.5, 300\n}\n"
                   "TeppouKounyuuMonth {\nsakai, 1, 摂津\n}\n"),
              0);
    ASSERT_EQ(world().gunMarketCount, 1);
    const GunMarket& m = world().gunMarkets[0];
    EXPECT_EQ(cp932ToUtf8(fieldText(m.name)), "堺");
    EXPECT_EQ(m.fromYear, 1543);
    EXPECT_DOUBLE_EQ(m.costInitial, 500);
    EXPECT_DOUBLE_EQ(m.costDecrease, 2);
    EXPECT_DOUBLE_EQ(m.costLowerBound, 100);
    EXPECT_DOUBLE_EQ(m.rateInitial, 50);
    EXPECT_DOUBLE_EQ(m.rateIncrease, 1.5);
    EXPECT_DOUBLE_EQ(m.rateUpperBound, 300);
    EXPECT_EQ(m.deliveryMonths[2], 1);
    EXPECT_EQ(m.deliveryMonths[0], 4);
    EXPECT_EQ(m.deliveryMonths[499], 4);
}

TEST_F(TradeSections, GunMarketChecks) {
    EXPECT_EQ(code("TeppouKounyuu {\n" + std::string(26, 's') + ", 堺, 1543, 1, 1, 1, 1, 1, 1\n}\n"),
              kErrMarketIdTooLong);
    EXPECT_EQ(code("TeppouKounyuu {\ns, 堺, 1543, 1, 1, 1, 1, 1, 1\ns, 堺, 1543, 1, 1, 1, 1, 1, 1\n}\n"),
              kErrMarketIdDuplicate);
    EXPECT_EQ(code("TeppouKounyuu {\ns, 一二三四五六七八九十一, 1543, 1, 1, 1, 1, 1, 1\n}\n"),
              kErrMarketNameTooLong);
    EXPECT_EQ(code("TeppouKounyuu {\ns, 堺, 1543, 1, 1, 1, 1, 1, x\n}\n"), kErrNotReal);
    EXPECT_EQ(code("TeppouKounyuu {\ns, 堺, 1543, 1, 1, 1, 1, 1\n}\n"), kErrSyntax);
    EXPECT_EQ(code("TeppouKounyuuMonth {\ns, 1, K_ALL\n}\n"), kErrMarketRef);
    std::string lines;
    for (int i = 0; i < 10; ++i)
        lines += "m" + std::to_string(i) + ", 市, 1543, 1, 1, 1, 1, 1, 1\n";
    ASSERT_EQ(code("TeppouKounyuu {\n" + lines + "}\n"), 0);
    EXPECT_EQ(code("TeppouKounyuu {\n" + lines + "m10, 市, 1543, 1, 1, 1, 1, 1, 1\n}\n"), kErrTooManyMarkets);
}

} // namespace
} // namespace vh::test
