// The siege command's contract: JSON Lines for the bundled cases, the same lines for the same
// seed (mod 2^32), and exit code 2 with nothing on stdout for input out of range.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string kCli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
const std::string kCases = std::string(VH_TEST_DATA_DIR) + "/siege/";

struct SiegeRun {
    int status = -1;
    std::vector<std::string> lines;
};

SiegeRun siege(const std::string& file) {
    SiegeRun r;
    FILE* p = popen((kCli + " siege '" + file + "' 2>/dev/null").c_str(), "r");
    if (!p) return r;
    std::string out;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        out.append(buf.data(), n);
    const int s = pclose(p);
    r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        r.lines.push_back(line);
    return r;
}

std::string written(const std::string& name, const std::string& json) {
    const fs::path path = fs::temp_directory_path() / ("vh_siege_" + name + ".json");
    std::ofstream(path) << json;
    return path.string();
}

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

class SiegeCli : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kCli)) GTEST_SKIP() << "vardenholm-cli is not built in " << VH_BINARY_DIR;
    }
};

TEST_F(SiegeCli, CasesPrintSallyTurnsAndEnd) {
    const SiegeRun fall = siege(kCases + "fall.json");
    ASSERT_EQ(fall.status, 0);
    ASSERT_GE(fall.lines.size(), 3u);
    EXPECT_TRUE(has(fall.lines.front(), "\"event\":\"sally\"") && has(fall.lines.front(), "\"sally\":false"));
    EXPECT_TRUE(has(fall.lines[1], "\"event\":\"turn\"") && has(fall.lines[1], "\"turn\":1"));
    EXPECT_TRUE(has(fall.lines[1], "\"name\":\"真田幸隆\"")) << "names stay UTF-8, not escaped";
    EXPECT_TRUE(has(fall.lines[1], "\"stratagem\":null")); // stratagems are off in this case
    EXPECT_TRUE(has(fall.lines.back(), "\"event\":\"end\"") && has(fall.lines.back(), "\"result\":1"));
    EXPECT_TRUE(has(fall.lines[fall.lines.size() - 2], "\"result\":1"));

    // A garrison that sallies ends the run after the sally line.
    const SiegeRun out = siege(kCases + "sally.json");
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.lines.size(), 1u);
    EXPECT_TRUE(has(out.lines[0], "\"sally\":true") && has(out.lines[0], "\"defendersMen\":300"));

    const SiegeRun starve = siege(kCases + "starve.json");
    ASSERT_EQ(starve.status, 0);
    EXPECT_TRUE(has(starve.lines.back(), "\"result\":2") && has(starve.lines.back(), "\"food\":0"));

    const SiegeRun held = siege(kCases + "storm.json");
    ASSERT_EQ(held.status, 0);
    EXPECT_EQ(held.lines.size(), 6u); // five turns and the end
    EXPECT_TRUE(has(held.lines[0], "\"withdrawn\":[\"北条綱成\"]") &&
                has(held.lines[0], "\"withdrawnTo\":[\"韮山城\"]"));
}

TEST_F(SiegeCli, SameSeedModuloTwoToTheThirtyTwoSameLines) {
    const std::string body = R"(, "castle": {"name": "城", "size": 2, "food": 3000, "garrison": 30},
        "defenders": [{"name": "守", "foot": 40, "guns": 10, "intellect": 9, "siegeStratagemPoints": 90}],
        "besiegers": [{"name": "攻", "cavalry": 20, "foot": 90, "intellect": 3}]})";
    const SiegeRun a = siege(written("seed_a", "{\"seed\": 5" + body));
    const SiegeRun b = siege(written("seed_b", "{\"seed\": 4294967301" + body));
    const SiegeRun c = siege(written("seed_c", "{\"seed\": 6" + body));
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_NE(a.lines, c.lines);
}

TEST_F(SiegeCli, OutOfRangeInputExitsTwo) {
    const std::string castle = R"("castle": {"name": "城", "size": 3, "siegeProgress": 0, "food": 100})";
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"size", R"({"castle": {"size": 11}})"},
        {"nosize", R"({"castle": {"food": 10}})"},
        {"progress", R"({"castle": {"size": 2, "siegeProgress": 200}})"},
        {"negative", R"({"castle": {"size": 2, "food": -1}})"},
        {"general", "{" + castle + R"(, "besiegers": [{"name": "x", "foot": -5}]})"},
        {"count", "{" + castle + R"(, "adjacent": [{"name": "y", "generalCount": 21}]})"},
        {"kind", "{" + castle + R"(, "sally": 1})"},
        {"tk", "{" + castle + R"(, "settings": {"TeppouKouka": [10, 10, 10, 101]}})"},
        {"heiunit", "{" + castle + R"(, "settings": {"HeiUnit": 0}})"},
        {"syntax", R"({"castle": )"},
    };
    for (const auto& [name, json] : bad) {
        const SiegeRun r = siege(written(name, json));
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(r.lines.empty()) << name;
    }
    std::string many = "{" + castle + R"(, "defenders": [)";
    for (int i = 0; i < 21; ++i)
        many += std::string(i ? "," : "") + R"({"name": "g", "foot": 1})";
    EXPECT_EQ(siege(written("many", many + "]}")).status, 2);
    EXPECT_EQ(siege(kCases + "no-such-case.json").status, 2);
    EXPECT_EQ(siege(written("edge", "{" + castle + "}")).status, 0);
}

} // namespace
