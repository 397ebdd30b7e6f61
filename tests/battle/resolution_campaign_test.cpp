// A headless campaign: the player's house sorties against a weak neighbour, besieges it over the
// following months and takes its castle; the months' reports tell the story line by line.
#include "battle/battle_resolution.h"
#include "game/new_game.h"
#include "game/scenario_fixture.h"
#include "game/scripted_frontend.h"
#include "game/turn_driver.h"
#include "military/sorties.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vh::test {
namespace {

struct Campaign {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    WorldState& w = game->world;
    ScriptedFrontend player;
    int castleA = -1, castleB = -1;

    Campaign() {
        ScenarioFixture f(w, 2, 1);
        const int strong = f.house("強国", 5000);
        const int weak = f.house("弱小", 100);
        castleA = f.castle("大城", strong, 0, 3, 200000);
        castleB = f.castle("小城", weak, 1, 5, 20000);
        f.route(castleA, castleB);
        for (int i = 0; i < 6; ++i) f.general("将" + std::to_string(i), strong, castleA, i == 0 ? 0 : -1);
        f.general("城主", weak, castleB, 0);
        game->rng.seed(7);
        setUpNewGame(*game);
        game->frontend = &player;
        EXPECT_EQ(chooseHouse(*game, strong), kChooseOk);
        for (int g = 0; g < w.generalCount; ++g) {
            General& r = w.generals[g];
            r.cavalry = r.house == strong ? 20 : 5;
            r.foot = r.house == strong ? 200 : 100;
            r.guns = 0;
        }
        w.castles[castleB].garrison = 200;
        w.castles[castleB].food = 20000;
    }

    // The player's turns up to the sortie phase, then the month's end: returns its report.
    std::string month(bool sortie) {
        while (w.phase != kPhaseSortie) finishPhase(*game, w.phase);
        if (sortie) {
            // The player's 出陣 as the dialog gives it: every candidate of the castle, checked.
            const std::vector<int> army = sortieCandidates(w, w.playerHouse, castleA);
            EXPECT_EQ(checkSortieCommand(w, w.playerHouse, 0), "");
            EXPECT_EQ(checkSortieTarget(w, w.playerHouse, castleA, castleB, static_cast<int>(army.size())), "");
            orderSortie(w, army, castleB);
        }
        finishPhase(*game, kPhaseSortie);
        return game->battleReport;
    }
};

TEST(ResolutionCampaign, ThePlayersSortieBesiegesAndTakesTheWeakNeighboursCastle) {
    Campaign c;
    ASSERT_EQ(startMonth(*c.game), FlowStatus::PlayerTurn);
    std::vector<std::string> reports{c.month(true)};
    for (int m = 0; m < 12 && c.w.castles[c.castleB].owner != c.w.playerHouse; ++m) reports.push_back(c.month(false));
    ASSERT_EQ(c.w.castles[c.castleB].owner, c.w.playerHouse);
    // Besieged month after month (the army waits for the food to run out), then taken.
    ASSERT_GE(reports.size(), 3u);
    const std::string besieged = "小城（弱小）は強国に攻められています\r\n";
    for (size_t m = 0; m + 1 < reports.size(); ++m) EXPECT_EQ(reports[m], besieged) << "month " << m;
    const std::string& last = reports.back();
    EXPECT_TRUE(last == besieged + "  → 小城は強襲により落城しました\r\n弱小は滅亡しました\r\n" ||
                last == besieged + "  → 小城は兵糧が尽きて開城しました\r\n弱小は滅亡しました\r\n")
        << last;
    // Every month's report reached the player; the conquerors stand inside, nobody in the field.
    EXPECT_EQ(c.player.count("battle-report"), static_cast<int>(reports.size()));
    EXPECT_EQ(c.w.castles[c.castleB].besiegerCount, 0);
    EXPECT_EQ(c.w.castles[c.castleB].generalCount, 6);
    EXPECT_EQ(c.w.castles[c.castleB].siegeProgress, 0);
    EXPECT_EQ(c.w.houses[1].head, -1);
    for (int g = 0; g < c.w.generalCount; ++g) EXPECT_FALSE(c.w.generals[g].flags & kFlagInField);
}

} // namespace
} // namespace vh::test
