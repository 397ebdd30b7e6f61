// The command-line contract other checks rely on: benchmark prints the speed line and a digest,
// twice the same; watch, resume and save-info agree with each other; bad files fail cleanly.
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string kCli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
const std::string kSmall = std::string(VH_TEST_DATA_DIR) + "/game/small.snr";

using vh::test::CliRun;

CliRun run(const std::string& args) { return vh::test::runCli(args); }

std::string lastLine(const std::string& out) {
    const size_t end = out.find_last_not_of('\n');
    const size_t start = out.rfind('\n', end);
    return out.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

// "実行速度 D+.DDD 秒／月\ndigest=" and sixteen lower-case hex digits.
bool benchmarkOutputWellFormed(const std::string& out) {
    const std::string head = "実行速度 ", tail = " 秒／月\n", digest = "digest=";
    if (out.rfind(head, 0) != 0) return false;
    const size_t number = head.size(), unit = out.find(tail, number);
    if (unit == std::string::npos) return false;
    const std::string figure = out.substr(number, unit - number);
    const size_t dot = figure.find('.');
    if (dot == std::string::npos || dot == 0 || figure.size() - dot != 4) return false;
    for (size_t i = 0; i < figure.size(); ++i)
        if (i != dot && !std::isdigit(static_cast<unsigned char>(figure[i]))) return false;
    const std::string rest = out.substr(unit + tail.size());
    if (rest.size() != digest.size() + 17 || rest.rfind(digest, 0) != 0 || rest.back() != '\n') return false;
    for (size_t i = digest.size(); i + 1 < rest.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(rest[i])) || std::isupper(static_cast<unsigned char>(rest[i])))
            return false;
    return true;
}

class CliContract : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kCli)) GTEST_SKIP() << "vardenholm-cli is not built in " << VH_BINARY_DIR;
    }
};

TEST_F(CliContract, BenchmarkPrintsSpeedAndTheSameDigestTwice) {
    const CliRun a = run(kSmall + " --years 2");
    EXPECT_NE(a.status, 0); // no command given
    const CliRun first = run("benchmark " + kSmall + " --years 2");
    const CliRun second = run("benchmark " + kSmall + " --years 2");
    ASSERT_EQ(first.status, 0);
    EXPECT_TRUE(benchmarkOutputWellFormed(first.out)) << first.out;
    EXPECT_FALSE(benchmarkOutputWellFormed("実行速度 0.0001 秒／月\ndigest=0123456789abcdef\n"));
    EXPECT_EQ(lastLine(first.out), lastLine(second.out));
}

TEST_F(CliContract, WatchResumeAndSaveInfoAgree) {
    const fs::path dir = fs::path(::testing::TempDir()) / "vh_cli_contract";
    fs::create_directories(dir);
    const std::string save = (dir / "a.sav").string();
    const CliRun watch = run("watch " + kSmall + " --until 1560-10 --seed 4 --save " + save);
    ASSERT_EQ(watch.status, 0) << watch.out;
    EXPECT_EQ(std::count(watch.out.begin(), watch.out.end(), '\n'), 8); // 1560-04 .. 1560-10, digest
    EXPECT_EQ(watch.out.rfind("1560-04", 0), 0u);
    const CliRun info = run("save-info " + save);
    ASSERT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("date 1560-10\n"), std::string::npos);
    EXPECT_NE(info.out.find("phase 1 人事\n"), std::string::npos);
    EXPECT_NE(info.out.find("spectator 1\n"), std::string::npos);
    EXPECT_EQ(lastLine(info.out), lastLine(watch.out)); // the digest of the file written

    const CliRun resume = run("resume " + save + " --until 1561-01");
    ASSERT_EQ(resume.status, 0);
    EXPECT_EQ(resume.out.rfind("1560-10", 0), 0u);
    EXPECT_EQ(run("resume " + save + " --until 1560-10").status, 1); // not later than now

    const CliRun house = run("watch " + kSmall + " --until 1560-06 --house 2");
    EXPECT_EQ(house.status, 0);
    fs::remove_all(dir);
}

TEST_F(CliContract, BadFilesFailWithTheGamesMessages) {
    const CliRun missing = run("save-info /nonexistent/file.sav");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "File error\n");
    const CliRun notASave = run("save-info " + kSmall);
    EXPECT_EQ(notASave.status, 1);
    EXPECT_EQ(notASave.out, "このファイルはセーブデータでないか、またはバージョンが異なります\n");
    EXPECT_NE(run("benchmark /nonexistent/x.snr").status, 0);
    EXPECT_NE(run("watch " + kSmall + " --until 1560-13").status, 0);
    EXPECT_NE(run("benchmark " + kSmall + " --years 1001").status, 0);
}

} // namespace
