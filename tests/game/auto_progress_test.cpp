// Automatic progress and the benchmark: target checks, stopping at the target, unification
// during a run, repeatable benchmarks and the speed over at least one month.
#include "game/auto_progress.h"
#include "game/new_game.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"
#include "game/scripted_frontend.h"

#include <gtest/gtest.h>

#include <memory>

namespace vh {
namespace {

std::unique_ptr<Game> watchedGame() {
    auto game = std::make_unique<Game>();
    test::generateScenario(game->world, 8, 2, 4, 10);
    setUpNewGame(*game);
    EXPECT_EQ(chooseHouse(*game, -1), kChooseOk);
    startMonth(*game);
    return game;
}

TEST(AutoProgress, ATargetNotAfterTheCurrentMonthIsRefused) {
    auto game = watchedGame();
    ScriptedFrontend ui;
    game->frontend = &ui;
    AutoProgress run;
    const GameDate now = game->world.date;
    EXPECT_FALSE(startAutoProgress(*game, run, now));
    EXPECT_FALSE(startAutoProgress(*game, run, {now.year - 1, 12}));
    EXPECT_FALSE(game->quietMode);
    EXPECT_EQ(ui.count("message"), 2);
    EXPECT_EQ(ui.texts("message")[0], "現在よりも後の年月を入力してください");
    EXPECT_TRUE(startAutoProgress(*game, run, {now.year, now.month + 1}));
    EXPECT_TRUE(game->quietMode);
}

TEST(AutoProgress, TicksUntilTheTargetMonthThenClearsQuietMode) {
    auto game = watchedGame();
    AutoProgress run;
    const GameDate target = nextMonth(nextMonth(game->world.date));
    ASSERT_TRUE(startAutoProgress(*game, run, target));
    int ticks = 0;
    AutoTick t;
    while ((t = autoProgressTick(*game, run)) == AutoTick::Continue) ++ticks;
    EXPECT_EQ(t, AutoTick::ReachedTarget);
    EXPECT_EQ(ticks + 1, 12); // six phases a month
    EXPECT_TRUE(sameDate(game->world.date, target));
    EXPECT_EQ(game->world.phase, 1);
    EXPECT_FALSE(game->quietMode);
    EXPECT_FALSE(run.running);
}

TEST(AutoProgress, UnificationEndsTheRunAndReturnsToTheCaller) {
    auto game = watchedGame();
    ScriptedFrontend ui;
    game->frontend = &ui;
    AutoProgress run;
    ASSERT_TRUE(startAutoProgress(*game, run, {game->world.date.year + 5, 1}));
    for (int c = 0; c < game->world.castleCount; ++c) game->world.castles[c].owner = 3;
    AutoTick t;
    int ticks = 0;
    while ((t = autoProgressTick(*game, run)) == AutoTick::Continue) ++ticks;
    EXPECT_EQ(t, AutoTick::GameOver);
    EXPECT_LE(ticks, 6);
    EXPECT_TRUE(game->gameOver);
    EXPECT_FALSE(game->quietMode);
    EXPECT_EQ(ui.count("ending"), 1); // automatic progress is not a benchmark
}

TEST(Benchmark, TwoRunsOfOneScenarioEndInTheSameWorld) {
    uint64_t digests[2];
    for (uint64_t& d : digests) {
        auto game = std::make_unique<Game>();
        test::generateScenario(game->world, 40, 3, 8, 30);
        game->rng.seed(12345); // the benchmark reseeds whatever came before
        prepareBenchmark(*game);
        const BenchmarkResult r = runBenchmark(*game, 2);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.status, FlowStatus::PlayerTurn);
        EXPECT_EQ(r.months, 24);
        EXPECT_EQ(game->world.date.year, game->world.settings.startYear + 2);
        EXPECT_EQ(game->world.phase, 1);
        EXPECT_TRUE(game->benchmark);
        EXPECT_FALSE(game->quietMode);
        ASSERT_FALSE(game->messageLog.empty());
        EXPECT_EQ(game->messageLog.back().rfind("実行速度 ", 0), 0u);
        d = worldDigest(game->world);
    }
    EXPECT_EQ(digests[0], digests[1]);
}

TEST(Benchmark, AGameUnifiedAtOnceCountsOneMonth) {
    auto game = std::make_unique<Game>();
    test::ScenarioFixture f(game->world);
    const int a = f.house("A");
    f.castle("c", a, 0);
    f.general("g", a, 0);
    prepareBenchmark(*game);
    ScriptedFrontend ui;
    game->frontend = &ui;
    const BenchmarkResult r = runBenchmark(*game, 3);
    EXPECT_EQ(r.status, FlowStatus::Unified);
    EXPECT_EQ(r.months, 1);
    EXPECT_EQ(ui.count("ending"), 0);
    EXPECT_EQ(ui.texts("message"), std::vector<std::string>{r.message});
    char expect[64];
    std::snprintf(expect, sizeof expect, "実行速度 %.3f 秒／月", r.seconds);
    EXPECT_EQ(r.message, expect);
}

TEST(Benchmark, AThousandHousesLeaveNoRoomToWatch) {
    auto game = std::make_unique<Game>();
    test::ScenarioFixture f(game->world);
    for (int h = 0; h < kMaxHouses; ++h) f.house("H");
    f.castle("c", 0, 0);
    prepareBenchmark(*game);
    const BenchmarkResult r = runBenchmark(*game, 1);
    EXPECT_EQ(r.code, kChooseWatchRefused);
    EXPECT_FALSE(game->benchmark);
}

} // namespace
} // namespace vh
