// The fixture scenario with every section (tests/data, CP932) read as a whole, and the command-line
// contract of check, encipher and decipher that other checks rely on.
#include "scenario_fixture.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace vh::test {
namespace {

class FixtureFile : public ScenarioTest {
  protected:
    // The fixture is read from the temporary directory, beside the test map.
    std::string copyFixture(const std::string& name) {
        const std::string to = path(name);
        std::filesystem::copy_file(std::string(VH_TEST_DATA_DIR) + "/scenario_all_sections.snr", to,
                                   std::filesystem::copy_options::overwrite_existing);
        return to;
    }
};

TEST_F(FixtureFile, EverySectionOfTheFixtureIsRead) {
    const std::string file = copyFixture("all.snr");
    WorldState w;
    const ScenarioReadResult r = readScenario(file, dir(), w);
    ASSERT_EQ(r.code, 0) << r.message;
    EXPECT_TRUE(r.notices.empty());
    EXPECT_EQ(cp932ToUtf8(fieldText(w.settings.title)), "試験用 全項目");
    EXPECT_EQ(cp932ToUtf8(w.settings.openingText), "尾張の国、桶狭間。\r\n今川の大軍が迫る。\r\n");
    EXPECT_EQ(w.settings.startMonth, 5);
    EXPECT_FALSE(w.settings.kishuu);
    EXPECT_EQ(w.settings.teppouKouka[3], 40);
    EXPECT_EQ(w.scenarioHouseCount, 3);
    EXPECT_EQ(w.scenarioHouses[0].gunCollection, 30);
    EXPECT_EQ(w.scenarioHouses[1].miningSkill, 100);
    EXPECT_EQ(w.castleCount, 4);
    EXPECT_EQ(w.castleSites[2].picture, kPicGendai);
    EXPECT_EQ(w.castleSites[3].province, 2);
    EXPECT_EQ(routeCount(w.castleSites[0]), 2);
    EXPECT_EQ(w.scenarioGeneralCount, 7);
    EXPECT_EQ(static_cast<uint16_t>(w.scenarioGenerals[3].house), kIndexFlag | 1);
    EXPECT_EQ(w.scenarioGenerals[5].appearYear, 1562);
    EXPECT_EQ(w.scenarioGenerals[6].house, ScenarioGeneral::kFreeHouse);
    EXPECT_EQ(w.relationEntryCount, 3);
    EXPECT_EQ(w.viewAreas[3].x1, 401);
    EXPECT_EQ(w.snowChance[0][11], 10);
    EXPECT_EQ(w.rainChance[0][5], 30);
    EXPECT_EQ(w.tradePartnerCount, 3);
    EXPECT_EQ(w.tradePartners[2].voyageMonths[3], 8);
    EXPECT_EQ(w.gunMarketCount, 2);
    EXPECT_EQ(w.gunMarkets[1].deliveryMonths[1], 3);
    EXPECT_DOUBLE_EQ(w.gunProduction[2].maximum, 80.0);
}

// Runs the command-line program; returns its exit code and standard output.
int run(const std::string& command, std::string& out) {
    out.clear();
    std::FILE* p = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!p) return -1;
    std::array<char, 4096> buf;
    for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), p)) > 0;)
        out.append(buf.data(), n);
    const int status = ::pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(FixtureFile, CommandLineContract) {
    const std::string cli = std::string(VH_BINARY_DIR) + "/vardenholm-cli";
    if (!std::filesystem::exists(cli)) GTEST_SKIP() << "vardenholm-cli is not built";
    const std::string file = copyFixture("all.snr");
    std::string out;
    EXPECT_EQ(run(cli + " check " + file + " --program-dir " + dir(), out), 0);
    EXPECT_EQ(out, "OK houses=3 castles=4 generals=7 relations=3 partners=2 markets=2\n");

    writeBytes(path("bad.snr"), utf8ToCp932(std::string(kHouses) + "Doumei {\noda, FUSEN, takeda\n"
                                                                   "takeda, FUSEN, oda\n}\nHeiUnit 0\n"));
    EXPECT_EQ(run(cli + " check " + path("bad.snr") + " --program-dir " + dir(), out), kErrSyntax);
    EXPECT_EQ(out, "同盟関係の２重定義があります(Line No.7)\n構文エラー(Line No.9) \n");

    EXPECT_EQ(run(cli + " encipher " + file + " " + path("c.snr"), out), 0);
    EXPECT_EQ(run(cli + " check " + path("c.snr") + " --program-dir " + dir(), out), 0);
    EXPECT_EQ(run(cli + " decipher " + path("c.snr") + " " + path("d.snr") + " --password nai", out), 1);
    EXPECT_EQ(out, "パスワードが違います\n");
    EXPECT_FALSE(std::filesystem::exists(path("d.snr")));
    EXPECT_EQ(run(cli + " decipher " + path("c.snr") + " " + path("d.snr") + " --password shiken", out), 0);
    EXPECT_EQ(readBytes(path("d.snr")), readBytes(file));
    EXPECT_EQ(run(cli + " encipher " + file + " " + file, out), 1);
    EXPECT_EQ(out, "変換元ファイルと出力ファイルは同じ名前を指定しないでください\n");
}

} // namespace
} // namespace vh::test
