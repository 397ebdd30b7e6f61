// A save whose process dies while the file is written leaves the previous save whole: the kernel
// kills a child at its file-size limit in the middle of the write, and a child that saves in a
// loop is killed at arbitrary moments; the file on disk is always one complete image.
#include "game/new_game.h"
#include "game/save_game.h"
#include "game/scenario_fixture.h"
#include "game/turn_driver.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vh {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> fileBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A game standing at a player's turn; `generalsPerHouse` sets how large its image is.
std::unique_ptr<Game> gameAtTurn(int generalsPerHouse, uint32_t seed) {
    auto game = std::make_unique<Game>();
    test::generateScenario(game->world, 12, 3, generalsPerHouse, 20);
    game->rng.seed(seed);
    setUpNewGame(*game);
    EXPECT_EQ(chooseHouse(*game, 1), kChooseOk);
    startMonth(*game);
    return game;
}

struct InterruptedSave : ::testing::Test {
    fs::path dir = fs::path(::testing::TempDir()) / ("vh_interrupted_" + std::to_string(::getpid()));
    fs::path path = dir / "game.sav";
    std::unique_ptr<Game> before = gameAtTurn(5, 1), after = gameAtTurn(300, 2);
    std::vector<uint8_t> oldImage = saveImage(before->world), newImage = saveImage(after->world);

    void SetUp() override {
        fs::create_directories(dir);
        ASSERT_EQ(writeSaveFile(path.string(), before->world), kSaveOk);
        ASSERT_GT(newImage.size(), 4 * oldImage.size());
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(InterruptedSave, AWriterKilledMidFileLeavesThePreviousSaveAndTheNextSaveWorks) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The kernel stops the process with SIGXFSZ once the file it writes passes this size.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        const rlimit limit{static_cast<rlim_t>(newImage.size() / 2), static_cast<rlim_t>(newImage.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &limit);
        writeSaveFile(path.string(), after->world);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was meant to die inside the write";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(fileBytes(path), oldImage);
    WorldState loaded;
    EXPECT_EQ(readSaveFile(path.string(), loaded), kSaveOk);
    // The half-written temporary file left behind does not stand in the way of the next save.
    ASSERT_EQ(writeSaveFile(path.string(), after->world), kSaveOk);
    EXPECT_EQ(fileBytes(path), newImage);
}

TEST_F(InterruptedSave, AWriterKilledAtAnyMomentLeavesOneWholeImage) {
    for (int attempt = 0; attempt < 6; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) writeSaveFile(path.string(), (i & 1 ? before : after)->world);
        }
        usleep(20000 + 7000 * attempt);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::vector<uint8_t> onDisk = fileBytes(path);
        EXPECT_TRUE(onDisk == oldImage || onDisk == newImage) << "attempt " << attempt << ": " << onDisk.size() << " bytes";
    }
}

} // namespace
} // namespace vh
