// The fast forecast against the month-by-month one over random worlds: the same 24 values, the
// same draws, and nothing in the world changed.
#include "game/save_game.h"
#include "simulation/accounts.h"
#include "support/world_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh::test {
namespace {

void randomWorld(WorldState& w, Random& r) {
    WorldBuilder b(w);
    const int houses = 3 + r.below(6);
    for (int h = 0; h < houses; ++h) b.house("家" + std::to_string(h), r.below(5000));
    w.houses[0].kind = kHouseAinu;
    for (int h = 0; h < houses; ++h) {
        w.houses[h].miningSkill = static_cast<int16_t>(r.below(1500));
        for (int j = 0; j < houses; ++j)
            if (j != h) setRelationKind(w.houses[j], h, r.below(8));
    }
    w.tradePartnerCount = 1 + r.below(3);
    for (int p = 0; p < w.tradePartnerCount; ++p) w.tradePartners[p].shipValue = r.below(3000);
    const int castles = 5 + r.below(40);
    for (int c = 0; c < castles; ++c) {
        const int k = b.castle("城" + std::to_string(c), r.below(houses));
        Castle& castle = w.castles[k];
        castle.corps = static_cast<int16_t>(r.below(4) == 0 ? r.below(2) : -1);
        castle.yield = r.below(30000);
        castle.town = static_cast<int16_t>(r.below(500));
        castle.mine = static_cast<int16_t>(r.below(300));
        castle.garrison = static_cast<int16_t>(r.below(100));
        w.castleSites[k].hasPort = r.below(2);
        for (Voyage& v : castle.voyages)
            if (r.below(3) == 0) v = Voyage{static_cast<uint8_t>(1 + r.below(9)), static_cast<uint8_t>(r.below(5)),
                                            static_cast<uint8_t>(r.below(30)), 3};
        if (c > 0 && routeCount(w.castleSites[k]) < 6 && routeCount(w.castleSites[k - 1]) < 6) b.route(k, k - 1);
        if (r.below(5) == 0) castle.besiegerCount = 1;
    }
    for (int g = 0; g < 3 * castles; ++g) {
        const int k = b.general("将" + std::to_string(g), r.below(houses), r.below(castles), r.below(4) == 0);
        w.generals[k].foot = static_cast<int16_t>(r.below(400));
        w.generals[k].cavalry = static_cast<int16_t>(r.below(100));
        w.generals[k].corps = static_cast<int16_t>(r.below(4) == 0 ? r.below(2) : -1);
    }
    w.date = GameDate{1560, 1 + r.below(12)};
}

TEST(ForecastBalance, TheFastForecastEqualsTheMonthByMonthOne) {
    int drawing = 0, shipIncome = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        auto game = std::make_unique<Game>();
        Random r(seed * 2654435761u);
        randomWorld(game->world, r);
        const std::vector<uint8_t> before = saveImage(game->world);
        for (int h = 0; h < game->world.houseCount; ++h)
            for (int corps : {-1, 0, 1}) {
                game->rng.seed(seed);
                const std::vector<int> plain = forecastBalancePlain(*game, h, corps, 24);
                const uint32_t plainState = game->rng.state();
                drawing += plainState != Random(seed).state();
                for (size_t m = 1; m < plain.size(); ++m) shipIncome += plain[m] != plain[0];
                game->rng.seed(seed);
                EXPECT_EQ(forecastBalance(*game, h, corps, 24), plain) << seed << " " << h << " " << corps;
                EXPECT_EQ(game->rng.state(), plainState) << seed << " " << h;
            }
        EXPECT_EQ(saveImage(game->world), before) << seed;
    }
    EXPECT_GT(drawing, 0);    // some forecasts took the Ainu trade's draws
    EXPECT_GT(shipIncome, 0); // and some months differ by fleets and the harvest
}

} // namespace
} // namespace vh::test
