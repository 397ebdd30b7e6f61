// Months per second of the turn driver with every rule built so far, on the largest world that
// can be watched (999 houses, 2000 castles, 5000 generals, read from a scenario file like the
// command-line benchmark does), and the save image's write and read.
#include "game/auto_progress.h"
#include "game/new_game.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"
#include "game/scenario_text.h"
#include "game/turn_driver.h"
#include "scenario/scenario_reader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

using namespace vh;

// The generated scenario is written once to a temporary directory, so the same file can also
// be handed to `vardenholm-cli benchmark`.
std::string fullScenarioFile() {
    static const std::string path = [] {
        auto w = std::make_unique<WorldState>();
        w->settings.startYear = 1560;
        test::generateScenarioTotals(*w, kMaxHouses - 1, kMaxCastles, kMaxGenerals);
        const auto dir = std::filesystem::temp_directory_path() / "vardenholm-bench";
        return test::writeScenarioFiles(dir, "full", *w);
    }();
    return path;
}

std::unique_ptr<Game> watchedFullGame() {
    auto game = std::make_unique<Game>();
    const std::string path = fullScenarioFile();
    const ScenarioReadResult r =
        readScenario(path, std::filesystem::path(path).parent_path().string(), game->world);
    if (r.code != 0) return nullptr;
    prepareBenchmark(*game);
    chooseHouse(*game, -1);
    game->benchmark = true;
    game->quietMode = true;
    startMonth(*game);
    return game;
}

void BM_MonthFullCapacity(benchmark::State& state) {
    auto game = watchedFullGame();
    if (!game) {
        state.SkipWithError("generated scenario did not read");
        return;
    }
    for (auto _ : state) {
        for (int p = 0; p < 6 && !game->gameOver; ++p) finishPhase(*game, game->world.phase);
    }
    state.counters["generals"] = game->world.generalCount;
    state.SetLabel("seconds per iteration = seconds per month");
}
BENCHMARK(BM_MonthFullCapacity)->Unit(benchmark::kMillisecond)->Iterations(36);

void BM_SetUpFullCapacity(benchmark::State& state) {
    auto scenario = std::make_unique<WorldState>();
    const std::string path = fullScenarioFile();
    readScenario(path, std::filesystem::path(path).parent_path().string(), *scenario);
    auto game = std::make_unique<Game>();
    for (auto _ : state) {
        game->world = *scenario;
        prepareBenchmark(*game);
    }
}
BENCHMARK(BM_SetUpFullCapacity)->Unit(benchmark::kMillisecond);

void BM_SaveImageRoundTrip(benchmark::State& state) {
    auto game = watchedFullGame();
    if (!game) {
        state.SkipWithError("generated scenario did not read");
        return;
    }
    auto loaded = std::make_unique<WorldState>();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> image = saveImage(game->world);
        bytes = image.size();
        benchmark::DoNotOptimize(parseSaveImage(image.data(), image.size(), *loaded));
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveImageRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace
