// Whole runs through the real scenario reader: a generated scenario written as a file reads back
// into the same tables, and benchmark runs of it are repeatable; the bundled test scenario too.
#include "game/auto_progress.h"
#include "game/new_game.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"
#include "game/scenario_text.h"
#include "game/turn_driver.h"
#include "scenario/scenario_reader.h"
#include "world/record_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vh {
namespace {

namespace fs = std::filesystem;

const std::string kSmallScenario = std::string(VH_TEST_DATA_DIR) + "/game/small.snr";

uint64_t benchmarkDigest(const std::string& scenario, int years) {
    auto game = std::make_unique<Game>();
    const ScenarioReadResult r = readScenario(scenario, VH_TEST_DATA_DIR, game->world);
    EXPECT_EQ(r.code, 0) << r.message;
    prepareBenchmark(*game);
    const BenchmarkResult b = runBenchmark(*game, years);
    EXPECT_EQ(b.code, 0);
    return worldDigest(game->world);
}

TEST(ScenarioRun, AGeneratedScenarioReadsBackIntoTheSameTables) {
    auto source = std::make_unique<WorldState>();
    test::generateScenario(*source, 30, 3, 7, 40);
    setFieldText(source->settings.title, "generated");
    const fs::path dir = fs::path(::testing::TempDir()) / "vh_generated";
    const std::string path = test::writeScenarioFiles(dir, "gen", *source);

    auto read = std::make_unique<WorldState>();
    const ScenarioReadResult r = readScenario(path, dir.string(), *read);
    ASSERT_EQ(r.code, 0) << r.message;
    EXPECT_EQ(read->scenarioHouseCount, source->scenarioHouseCount);
    EXPECT_EQ(read->castleCount, source->castleCount);
    EXPECT_EQ(read->scenarioGeneralCount, source->scenarioGeneralCount);
    EXPECT_EQ(read->relationEntryCount, source->relationEntryCount);
    for (int g = 0; g < source->scenarioGeneralCount; ++g) {
        EXPECT_EQ(recordImage(read->scenarioGenerals[g]), recordImage(source->scenarioGenerals[g])) << g;
    }
    for (int c = 0; c < source->castleCount; ++c) {
        EXPECT_EQ(recordImage(read->castleSites[c]), recordImage(source->castleSites[c])) << c;
        EXPECT_EQ(read->castles[c].yield, source->castles[c].yield);
    }

    // The same scenario set up from the file and from the tables gives the same world.
    auto fromFile = std::make_unique<Game>();
    auto fromTables = std::make_unique<Game>();
    fromFile->world = *read;
    fromTables->world = *source;
    fromTables->world.map.version = fromFile->world.map.version;
    for (int h = 0; h < source->scenarioHouseCount; ++h)
        fromTables->world.scenarioHouses[h].miningSkill = read->scenarioHouses[h].miningSkill;
    setUpNewGame(*fromFile);
    setUpNewGame(*fromTables);
    EXPECT_EQ(worldDigest(fromFile->world), worldDigest(fromTables->world));
    fs::remove_all(dir);
}

TEST(ScenarioRun, TwoBenchmarksOfTheTestScenarioGiveOneDigest) {
    const uint64_t first = benchmarkDigest(kSmallScenario, 2);
    EXPECT_EQ(first, benchmarkDigest(kSmallScenario, 2));
}

TEST(ScenarioRun, WatchingSavingAndResumingTheTestScenario) {
    auto game = std::make_unique<Game>();
    ASSERT_EQ(readScenario(kSmallScenario, VH_TEST_DATA_DIR, game->world).code, 0);
    setUpNewGame(*game);
    ASSERT_EQ(chooseHouse(*game, -1), kChooseOk);
    game->quietMode = true;
    ASSERT_EQ(startMonth(*game), FlowStatus::PlayerTurn);
    const GameDate target{game->world.date.year + 1, game->world.date.month};
    int months = 0;
    auto count = [](const Game&, void* n) { ++*static_cast<int*>(n); };
    ASSERT_EQ(runUntil(*game, target, count, &months), FlowStatus::PlayerTurn);
    EXPECT_EQ(months, 13); // the first month and twelve more
    EXPECT_TRUE(sameDate(game->world.date, target));

    const fs::path file = fs::path(::testing::TempDir()) / "small_resume.sav";
    ASSERT_EQ(writeSaveFile(file.string(), game->world), kSaveOk);
    auto resumed = std::make_unique<Game>();
    ASSERT_EQ(loadGame(*resumed, file.string()), kSaveOk);
    EXPECT_EQ(saveImage(resumed->world), saveImage(game->world));
    resumed->rng.seed(game->rng.state());
    const GameDate later = nextMonth(nextMonth(target));
    runUntil(*game, later);
    runUntil(*resumed, later);
    EXPECT_EQ(worldDigest(resumed->world), worldDigest(game->world));
    fs::remove(file);
}

} // namespace
} // namespace vh
