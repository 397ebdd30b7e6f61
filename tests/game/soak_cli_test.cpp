// vardenholm-cli soak: a sound game passes with its per-seed figures, and a game whose first
// castle-list fix-up has to move a general (a Debug Message) fails with a non-zero exit.
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string kCli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
const fs::path kData = fs::path(VH_TEST_DATA_DIR) / "game";

using SoakRun = vh::test::CliRun;

SoakRun soak(const std::string& args) { return vh::test::runCli("soak " + args); }

TEST(SoakCli, PassesASoundGameAndFailsOnADebugMessage) {
    if (!fs::exists(kCli)) GTEST_SKIP() << "vardenholm-cli is not built in " << VH_BINARY_DIR;
    const SoakRun good = soak((kData / "small.snr").string() + " --seeds 2 --years 1 --first-seed 7");
    EXPECT_EQ(good.status, 0) << good.out;
    EXPECT_NE(good.out.find("seed 7: 12 months, 0 violations, 0 round-trip differences, 0 debug messages\n"),
              std::string::npos)
        << good.out;
    EXPECT_NE(good.out.find("seed 8: 12 months"), std::string::npos) << good.out;

    // The same scenario with one general of house h0 standing in h1's castle c1.
    const fs::path dir = fs::path(::testing::TempDir()) / "vh_soak_cli";
    fs::create_directories(dir);
    fs::copy_file(kData / "small.map", dir / "small.map", fs::copy_options::overwrite_existing);
    std::ifstream in(kData / "small.snr", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = text.find(", h0, 3, c0");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 11, ", h0, 3, c1");
    std::ofstream((dir / "moved.snr"), std::ios::binary) << text;
    const SoakRun bad = soak((dir / "moved.snr").string() + " --seeds 1 --years 1");
    EXPECT_EQ(bad.status, 1) << bad.out;
    EXPECT_NE(bad.out.find("Debug Message : "), std::string::npos) << bad.out;
    EXPECT_NE(bad.out.find(", 1 debug messages\n"), std::string::npos) << bad.out;
    EXPECT_EQ(soak("").status, 2);
    fs::remove_all(dir);
}

} // namespace
