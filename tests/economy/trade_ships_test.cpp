// Trade ships: which partners and ports are offered, the dispatch routine and its limits, ship
// building, the ship list's return dates and the homecoming of a short voyage.
#include "economy/trade_ships.h"
#include "simulation/month_events.h"
#include "simulation/trade_income.h"

#include "economy_fixture.h"
#include "world/byte_io.h"
#include "world/text_codec.h"

#include <cstring>

namespace vh {
namespace {

using test::EconomyTest;

struct TradeShips : EconomyTest {
    int partner(const char* name, int months, int value = 500) {
        const int p = w.tradePartnerCount++;
        TradePartner& t = w.tradePartners[p];
        t = TradePartner{};
        setFieldText(t.name, utf8ToCp932(name));
        t.shipValue = value;
        std::memset(t.voyageMonths, static_cast<uint8_t>(months), sizeof t.voyageMonths);
        return p;
    }
    std::vector<int> offered(int province) {
        std::vector<int> out;
        for (const PartnerRow& r : partnersFrom(w, player, province))
            out.push_back(r.partner);
        return out;
    }
};

TEST_F(TradeShips, PartnersNeedSkillForTheirMonthsAndAReachableProvince) {
    const int ming = partner("明", 4);
    const int korea = partner("朝鮮", 2);
    partner("南蛮", -1); // a negative byte: not reachable
    w.tradePartners[ming].voyageMonths[1] = 2;
    w.houses[player].navigationSkill = 0;
    std::vector<PartnerRow> rows = partnersFrom(w, player, 0);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "航海訓練");
    EXPECT_EQ(rows[0].friendship, "---");
    EXPECT_EQ(rows[0].monthsText, "約1ヶ月");
    w.houses[player].navigationSkill = 399;
    EXPECT_EQ(offered(0), (std::vector<int>{0, korea}));
    w.houses[player].navigationSkill = 400;
    EXPECT_EQ(offered(0), (std::vector<int>{0, ming, korea}));
    w.tradePartners[ming].friendship[player] = 37;
    EXPECT_EQ(partnersFrom(w, player, 0)[1].friendship, "37%");
    w.houses[player].navigationSkill = 10000;
    EXPECT_EQ(offered(0), (std::vector<int>{0, ming, korea}));
    EXPECT_EQ(navigationLine(w, player), "織田 航海技術 10000");
}

TEST_F(TradeShips, DispatchFillsTheFirstFreeSlotAndChargesTheAccountOrNothingAtAll) {
    const int ming = partner("明", 4);
    const int spain = partner("南蛮", -3);
    const int p = port("堺", player, 0, 10);
    w.houses[player].funds = 10000;
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, ming, 3), 0);
    EXPECT_EQ(w.houses[player].funds, 7000);
    EXPECT_EQ(w.castles[p].voyages[0].monthsLeft, 4);
    EXPECT_EQ(w.castles[p].voyages[0].length, 4);
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, 0, 2), 1); // training: 100 a ship
    EXPECT_EQ(w.houses[player].funds, 6800);
    EXPECT_EQ(waitingShips(w.castles[p]), 5);
    // Refused without a charge: more ships than wait, none, an unreachable partner.
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, ming, 6), -1);
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, ming, 0), -1);
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, spain, 1), -1);
    EXPECT_EQ(w.houses[player].funds, 6800);
    // A corps pays from its own funds.
    const int corps = b.corps(head, player);
    w.corps[corps].funds = 1500;
    EXPECT_EQ(dispatchTradeShips(w, player, corps, p, ming, 1), 2);
    EXPECT_EQ(w.corps[corps].funds, 500);
    // Ten busy slots: the order is taken, nothing sails and nothing is paid.
    w.castles[p].tradeShips = 100;
    for (Voyage& v : w.castles[p].voyages)
        if (v.ships == 0) v = {1, 1, 2, 2};
    EXPECT_EQ(dispatchTradeShips(w, player, -1, p, ming, 1), -1);
    EXPECT_EQ(w.houses[player].funds, 6800);
    EXPECT_EQ(checkDispatchOrder(p, ming, 0), kNoShipsSent);
    EXPECT_EQ(checkDispatchOrder(-1, ming, 1), kNoPortOrPartner);
    EXPECT_EQ(checkDispatchOrder(p, ming, 1), "");
}

TEST_F(TradeShips, PortsListedAreTheHousesOwnUnbesiegedPortsAndBuildingStaysWithinTen) {
    const int sakai = port("堺", player, 0, 3);
    const int besieged = port("尼崎", player, 0, 3);
    port("雑賀", rival, 0, 3);
    w.castles[besieged].besiegerCount = 2;
    EXPECT_EQ(portsOfProvince(w, player, 0), std::vector<int>{sakai});
    EXPECT_EQ(checkBuildCommand(w, 2), kBuildTooFar);
    EXPECT_EQ(checkDispatchCommand(w, 1), "");

    EXPECT_EQ(affordableCount(3, 5000, kShipPrice), 2);
    EXPECT_EQ(affordableCount(3, 6000, kShipPrice), 3);
    EXPECT_EQ(affordableCount(3, -50, kShipPrice), 0);
    w.houses[player].funds = 100000;
    EXPECT_EQ(buildTradeShips(w, player, -1, sakai, 9), 7);
    EXPECT_EQ(w.castles[sakai].tradeShips, 10);
    EXPECT_EQ(w.houses[player].funds, 100000 - 7 * 2000);
    w.castles[sakai].tradeShips = 40; // a scenario may give more than ten
    EXPECT_EQ(buildRange(w.castles[sakai]), 0);
    EXPECT_EQ(buildTradeShips(w, player, -1, sakai, 1), 0);
}

TEST_F(TradeShips, TheShipListCarriesReturnsIntoTheNextYearAndAShortVoyageComesHomeNextMonth) {
    const int ming = partner("明", 4);
    const int p = port("堺", player, 0, 5);
    w.date = {1560, 11};
    dispatchTradeShips(w, player, -1, p, ming, 2);
    std::vector<FleetRow> rows = fleetRows(w, player);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].returns, "1561年3月");
    EXPECT_EQ(rows[0].partner, "明");
    EXPECT_EQ(rows[0].port, "堺");
    EXPECT_EQ(rows[0].ships, 2);
    EXPECT_EQ(returnDate({1560, 12}, 13).year, 1562);
    EXPECT_EQ(returnDate({1560, 12}, 13).month, 1);

    // A training voyage (0 months everywhere) is back at the next month's accounts and counts a
    // month of sailing.
    dispatchTradeShips(w, player, -1, p, 0, 3);
    EXPECT_EQ(fleetRows(w, player)[1].returns, "1560年12月");
    w.houses[player].navigationSkill = 0;
    advanceTradeVoyages(w);
    tradeShipIncome(game, player, -1, 0, false);
    EXPECT_EQ(w.castles[p].voyages[1].ships, 0);
    EXPECT_EQ(w.houses[player].navigationSkill, 1 * 2 * 3);
    EXPECT_EQ(w.castles[p].voyages[0].ships, 2); // still at sea
}

} // namespace
} // namespace vh
