// A headless game in which the player gives no order: a corps ordered 侵攻 marches on the weak
// neighbour's castle by itself and takes it.
#include "computer/account.h"
#include "game/new_game.h"
#include "game/scenario_fixture.h"
#include "game/scripted_frontend.h"
#include "game/turn_driver.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh::test {
namespace {

TEST(CorpsCampaign, AnInvadingCorpsTakesAnEnemyCastleOnItsOwn) {
    auto game = std::make_unique<Game>();
    WorldState& w = game->world;
    ScenarioFixture f(w, 2, 1);
    const int strong = f.house("強国", 5000);
    const int weak = f.house("弱小", 100);
    const int home = f.castle("大城", strong, 0, 3, 200000);
    const int target = f.castle("小城", weak, 1, 5, 20000);
    f.route(home, target);
    for (int i = 0; i < 6; ++i) f.general("将" + std::to_string(i), strong, home, i == 0 ? 0 : -1);
    f.general("城主", weak, target, 0);
    game->rng.seed(11);
    setUpNewGame(*game);
    ScriptedFrontend player;
    game->frontend = &player;
    ASSERT_EQ(chooseHouse(*game, strong), kChooseOk);
    for (int g = 0; g < w.generalCount; ++g) {
        General& r = w.generals[g];
        r.cavalry = r.house == strong ? 20 : 5;
        r.foot = r.house == strong ? 200 : 100;
    }
    w.castles[target].garrison = 200;
    w.castles[target].food = 20000;
    // Every general but the head serves in one corps over the home province.
    int leader = -1;
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house == strong && w.houses[strong].head != g) {
            if (leader < 0) {
                leader = g;
                w.corps[0] = Corps{};
                w.corps[0].leader = g;
                w.corps[0].house = strong;
                w.corps[0].orders = kCorpsInvade;
                w.corps[0].provinces[0] = 0;
            }
            w.generals[g].corps = 0;
        }
    ASSERT_GE(leader, 0);

    ASSERT_EQ(startMonth(*game), FlowStatus::PlayerTurn);
    for (int m = 0; m < 24 && w.castles[target].owner != strong; ++m)
        for (int p = 0; p < 6; ++p) finishPhase(*game, w.phase);
    EXPECT_EQ(w.castles[target].owner, strong);
    EXPECT_EQ(w.houses[weak].head, -1);
    EXPECT_EQ(player.count("envoy"), 0);
}

} // namespace
} // namespace vh::test
