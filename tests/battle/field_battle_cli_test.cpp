// vardenholm-cli fieldbattle: the JSON Lines it prints for the example cases, the same output
// for the same case, and exit code 2 with a message for bad input.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kCli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
const std::string kCases = std::string(VH_TEST_DATA_DIR) + "/battle/";

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun fieldbattle(const std::string& file) {
    CliRun r;
    // Per process: ctest runs the cases of this file side by side.
    const std::string errFile =
        (fs::temp_directory_path() / ("vh_fieldbattle_err_" + std::to_string(getpid()) + ".txt")).string();
    FILE* p = popen((kCli + " fieldbattle '" + file + "' 2>" + errFile).c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int s = pclose(p);
    r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    std::ifstream e(errFile);
    std::stringstream ss;
    ss << e.rdbuf();
    r.err = ss.str();
    fs::remove(errFile);
    return r;
}

std::vector<json> lines(const std::string& out) {
    std::vector<json> v;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        v.push_back(json::parse(line));
    return v;
}

class FieldBattleCli : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kCli)) GTEST_SKIP() << "vardenholm-cli is not built in " << VH_BINARY_DIR;
    }
};

TEST_F(FieldBattleCli, ExampleCasesPrintSetupTurnsAndEnd) {
    for (const char* name : {"road_battle.json", "surprise_sally.json", "rain_guns.json"}) {
        SCOPED_TRACE(name);
        const CliRun r = fieldbattle(kCases + name);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<json> events = lines(r.out);
        ASSERT_GE(events.size(), 3u);
        EXPECT_EQ(events.front()["event"], "setup");
        EXPECT_EQ(events.back()["event"], "end");
        for (size_t i = 1; i + 1 < events.size(); ++i) {
            EXPECT_EQ(events[i]["event"], "turn");
            EXPECT_EQ(events[i]["turn"], static_cast<int>(i));
        }
        EXPECT_LE(events.size(), 22u);
        const json& end = events.back();
        EXPECT_TRUE(end["result"] == 0 || end["result"] == 1 || end["result"] == 2);
        // Both maps name every general of both sides.
        std::ifstream in(kCases + name);
        const json input = json::parse(in);
        size_t generals = 0;
        for (const json& side : input["sides"])
            generals += side["generals"].size();
        EXPECT_EQ(end["fieldStratagemPoints"].size(), generals);
        EXPECT_EQ(end["surpriseRest"].size(), generals);
        EXPECT_EQ(fieldbattle(kCases + name).out, r.out); // same case, same battle
    }
    const std::vector<json> sally = lines(fieldbattle(kCases + "surprise_sally.json").out);
    EXPECT_EQ(sally[0]["surprise"], 2);
    EXPECT_EQ(sally[0]["surpriser"], "真田幸隆");
    EXPECT_EQ(sally[0]["positions"], json::array({4, 5}));
    EXPECT_EQ(sally[0]["lines"][1][2], json::array({"真田幸隆"}));
    EXPECT_EQ(sally.back()["fieldStratagemPoints"]["真田幸隆"], 50);
    const std::vector<json> rain = lines(fieldbattle(kCases + "rain_guns.json").out);
    EXPECT_EQ(rain[0]["confusion"], 0); // Kishuu off: no confusion drawn
    for (size_t i = 1; i + 1 < rain.size(); ++i)
        for (const json& o : rain[i]["orders"])
            EXPECT_NE(o, 3); // no gunfire in rain
}

TEST_F(FieldBattleCli, BadInputExitsWithTwoAndAMessage) {
    const fs::path dir = fs::temp_directory_path() / ("vh_fieldbattle_cases_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string general = R"({"name":"甲","foot":10})";
    const std::vector<std::string> bad = {
        "not json",
        "[1,2]",
        R"({"seed":1})",
        R"({"sides":[{"generals":[)" + general + R"(]}]})",
        R"({"sides":[{"generals":[)" + general + R"(]},{"generals":[)" + general + R"(]}]})", // same name
        R"({"sides":[{"generals":[{"name":"甲","foot":-1}]},{"generals":[{"name":"乙"}]}]})",
        R"({"sides":[{"generals":[{"name":"甲","foot":"10"}]},{"generals":[{"name":"乙"}]}]})",
        R"({"sides":[{"generals":[{"foot":1}]},{"generals":[{"name":"乙"}]}]})",
        R"({"castleSide":3,"sides":[{"generals":[{"name":"甲"}]},{"generals":[{"name":"乙"}]}]})",
        R"({"settings":{"TeppouKouka":[10,10,10]},"sides":[{"generals":[{"name":"甲"}]},{"generals":[{"name":"乙"}]}]})",
        R"({"settings":{"Kishuu":1},"sides":[{"generals":[{"name":"甲"}]},{"generals":[{"name":"乙"}]}]})",
        R"({"sides":[{"generals":[]},{"generals":[{"name":"乙"}]}]})",
        R"({"sides":[{"generals":[{"name":"甲"}],"garrison":{"soldiers":5}},{"generals":[{"name":"乙"}]}]})",
    };
    std::string many = R"({"sides":[{"generals":[)";
    for (int i = 0; i < 21; ++i)
        many += (i ? "," : "") + std::string(R"({"name":"g)") + std::to_string(i) + "\"}";
    many += R"(]},{"generals":[{"name":"乙"}]}]})";
    std::vector<std::string> cases = bad;
    cases.push_back(many);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i]);
        const fs::path file = dir / ("bad" + std::to_string(i) + ".json");
        std::ofstream(file) << cases[i];
        const CliRun r = fieldbattle(file.string());
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(fieldbattle((dir / "missing.json").string()).status, 2);
    // A garrison alone is a side; the seed is taken mod 2^32.
    const fs::path ok = dir / "garrison_only.json";
    std::ofstream(ok) << R"({"seed":-1,"sides":[{"generals":[{"name":"甲","foot":50}]},)"
                         R"({"garrison":{"castle":"小城","soldiers":20}}]})";
    const CliRun r = fieldbattle(ok.string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out)[0]["lines"][1][2], json::array({"小城守備兵"}));
    std::ofstream(ok) << R"({"seed":4294967295,"sides":[{"generals":[{"name":"甲","foot":50}]},)"
                         R"({"garrison":{"castle":"小城","soldiers":20}}]})";
    EXPECT_EQ(fieldbattle(ok.string()).out, r.out);
    fs::remove_all(dir);
}

} // namespace
