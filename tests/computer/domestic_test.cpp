// Domestic choices: the priority and payback of one development with their limits, the forecast
// that must leave the world as it was, and ship building for a port without ships.
#include "computer/computer_turn.h"
#include "computer/development_choice.h"
#include "computer_fixture.h"
#include "game/save_game.h"
#include "simulation/accounts.h"

namespace vh::test {
namespace {

TEST(DevelopmentChoice, PaybackAndPriorityKeepTheirLimits) {
    EXPECT_EQ(paybackMonths(DevelopmentKind::Market, 0, 0, 10), 10000);
    EXPECT_EQ(paybackMonths(DevelopmentKind::Market, 3, 0, 10), 17); // ceilAway(50 / 3)
    EXPECT_EQ(paybackMonths(DevelopmentKind::Mine, 15, 0, 10), 10000); // no mining skill
    EXPECT_EQ(paybackMonths(DevelopmentKind::Mine, 15, 500, 10), 14);  // ceilAway(100 / 7.5)
    EXPECT_EQ(paybackMonths(DevelopmentKind::Land, 800, 0, 10), 11);   // 11 months to harvest + 0
    EXPECT_EQ(paybackMonths(DevelopmentKind::Land, 400, 0, 1), 8 + 12);
    EXPECT_EQ(developmentPriority(5, 0, 0), 500); // no ceiling: the gain alone
    EXPECT_EQ(developmentPriority(5, 50, 100), 549);

    const std::vector<int> forecast = {-10, -10, 30, -50};
    EXPECT_TRUE(paysBackInTime(20, forecast, 2));
    EXPECT_FALSE(paysBackInTime(15, forecast, 2));
    EXPECT_TRUE(paysBackInTime(20, forecast, 3));
    EXPECT_FALSE(paysBackInTime(20, forecast, 4));
    EXPECT_FALSE(paysBackInTime(1000000, std::vector<int>(24, 0), 24));
}

struct Domestic : ComputerTest {
    int a = b.house("甲", 0);
    int port = castle("港", a);
    void SetUp() override {
        general("甲主", a, port, 10, 100);
        w.castleSites[port].hasPort = 1;
    }
};

TEST_F(Domestic, ForecastingTwentyFourMonthsLeavesTheWorldAsItWas) {
    w.castles[port].tradeShips = 3;
    w.castles[port].voyages[0] = Voyage{2, 0, 1, 1};
    const std::vector<uint8_t> before = saveImage(w);
    const std::vector<int> forecast = forecastBalance(game, a, -1, 24);
    EXPECT_EQ(forecast.size(), 24u);
    EXPECT_EQ(saveImage(w), before);
}

TEST_F(Domestic, APortWithoutShipsBuildsWhatTheBudgetAllowsThenSendsThem) {
    w.houses[a].funds = 9000;
    developAccount(game, a, -1);
    // budget = 9000 − 11 months × truncate(1.1 × 1001) is below 2000: nothing is built
    EXPECT_EQ(w.castles[port].tradeShips, 0);
    w.houses[a].funds = 100000;
    w.castles[port].town = 2000; // no deficit: the budget is the funds
    developAccount(game, a, -1);
    EXPECT_EQ(w.castles[port].tradeShips, 10);
    EXPECT_EQ(w.houses[a].funds, 80000);
    // With ships in port no more are built; the fleet goes out on the one voyage there is.
    developAccount(game, a, -1);
    EXPECT_EQ(w.castles[port].tradeShips, 10);
    EXPECT_EQ(w.castles[port].voyages[0].ships, 10);
    EXPECT_EQ(w.houses[a].funds, 80000 - 10 * 100);
}

} // namespace
} // namespace vh::test
