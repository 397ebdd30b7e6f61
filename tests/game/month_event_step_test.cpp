// The event step's order, seen from inside: what each step found when it ran.
#include "game/month_event_step.h"

#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vh {
namespace {

using test::WorldBuilder;

TEST(MonthEventStep, StepsRunInTheirOrderAndEachSeesTheOnesBefore) {
    Game game;
    WorldState& w = game.world;
    WorldBuilder b{w};
    w.date = {1560, 4};
    w.settings.heiUnit = 10;
    w.playerHouse = -1;
    b.region("r");
    b.province("p", 0);
    const int a = b.house("甲", 1000), z = b.house("乙", 1000);
    const int ca = b.castle("甲城", a), cz = b.castle("乙城", z);
    const int g = b.general("将", a, ca);
    b.general("敵", z, cz);
    w.generals[g].intellect = 7;
    w.castles[ca].siegeProgress = 40;
    w.castles[ca].town = 50;
    w.weatherFlags[0] = 3;
    w.houses[a].relations[z] = 0x31; // countdown 3

    struct Seen {
        std::string step;
        int points, progress, weather, relation, funds;
    };
    std::vector<Seen> seen;
    monthEventStep(game, [&](const char* step, const Game& gm) {
        const WorldState& s = gm.world;
        seen.push_back({step, s.generals[g].siegeStratagemPoints, s.castles[ca].siegeProgress, s.weatherFlags[0],
                        s.houses[a].relations[z], s.houses[a].funds});
    });

    std::vector<std::string> order;
    for (const Seen& s : seen) order.push_back(s.step);
    EXPECT_EQ(order, (std::vector<std::string>{"generals", "phase", "freedVassals", "unification", "snow", "rain",
                                               "illness", "appearances", "uprisings", "corpsLeaders", "heads",
                                               "relationCountdowns", "castleLists", "powerFigures", "tradeShips",
                                               "firearms", "accounts"}));
    ASSERT_EQ(seen.size(), order.size());
    // The generals' points come first, while the old month's siege progress still stands.
    EXPECT_EQ(seen[0].points, 7);
    EXPECT_EQ(seen[0].progress, 40);
    EXPECT_EQ(seen[0].weather, 3);
    // Then the phase clears the weather and the progress of an unbesieged castle.
    EXPECT_EQ(seen[1].progress, 0);
    EXPECT_EQ(seen[1].weather, 0);
    // The countdown falls at its own step and not before; the money is settled last.
    EXPECT_EQ(seen[10].relation, 0x31);
    EXPECT_EQ(seen[11].relation, 0x21);
    EXPECT_EQ(seen[15].funds, 1000);
    EXPECT_NE(seen[16].funds, 1000);
    EXPECT_EQ(w.phase, kPhaseEvent);
}

} // namespace
} // namespace vh
