// Which map a scenario sees: default.map loaded before the first keyword that may name a province,
// MapFile looked up beside the scenario and then in the program directory, and map errors.
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using MapLookup = ScenarioTest;

MapData namedMap(const char* province) {
    MapData m = smallMap();
    setFieldText(m.provinces[0].name, utf8ToCp932(province));
    return m;
}

TEST_F(MapLookup, DefaultMapIsLoadedForProvinceSections) {
    ASSERT_EQ(code(basicScenario()), 0);
    EXPECT_EQ(world().map.provinceCount(), 4);
    EXPECT_EQ(cp932ToUtf8(fieldText(world().map.provinces[0].name)), "山城");
}

TEST_F(MapLookup, SettingsAloneKeepTheWorldsMap) {
    WorldState w;
    w.map = namedMap("越後");
    writeBytes(path("s.snr"), "HeiUnit 5\nTrading {\nmin, x, 1\n}\n");
    ASSERT_EQ(readScenario(path("s.snr"), dir(), w).code, 0);
    EXPECT_EQ(cp932ToUtf8(fieldText(w.map.provinces[0].name)), "越後");
}

TEST_F(MapLookup, ScenarioDirectoryBeforeProgramDirectory) {
    namespace fs = std::filesystem;
    fs::create_directories(dir_ / "scn");
    fs::create_directories(dir_ / "prog");
    ASSERT_TRUE(writeMapFile((dir_ / "prog" / "default.map").string(), namedMap("甲斐")));
    ASSERT_TRUE(writeMapFile((dir_ / "prog" / "other.map").string(), namedMap("信濃")));
    const std::string scn = (dir_ / "scn" / "t.snr").string();
    const std::string prog = (dir_ / "prog").string();
    auto provinceOf = [&](const std::string& text) {
        writeBytes(scn, utf8ToCp932(text));
        WorldState w;
        const int c = readScenario(scn, prog, w).code;
        return c ? std::to_string(c) : cp932ToUtf8(fieldText(w.map.provinces[0].name));
    };
    EXPECT_EQ(provinceOf(kHouses), "甲斐");
    EXPECT_EQ(provinceOf("MapFile other.map\n" + std::string(kHouses)), "信濃");
    ASSERT_TRUE(writeMapFile((dir_ / "scn" / "default.map").string(), namedMap("尾張")));
    ASSERT_TRUE(writeMapFile((dir_ / "scn" / "other.map").string(), namedMap("美濃")));
    EXPECT_EQ(provinceOf(kHouses), "尾張");
    EXPECT_EQ(provinceOf("MapFile other.map\n" + std::string(kHouses)), "美濃");
    // A damaged map beside the scenario is an error, not a reason to look elsewhere.
    writeBytes((dir_ / "scn" / "other.map").string(), "VARDENHOLM MAP 2.00 but nothing more");
    EXPECT_EQ(provinceOf("MapFile other.map\n" + std::string(kHouses)), std::to_string(kErrMapBad));
}

TEST_F(MapLookup, MapErrors) {
    EXPECT_EQ(code("MapFile none.map\n"), kErrMapMissing);
    EXPECT_EQ(code("MapFile .\n"), kErrMapMissing); // a directory is no map
    writeBytes(path("bad.map"), "NOT A MAP AT ALL, NOT A MAP AT ALL");
    EXPECT_EQ(code("MapFile bad.map\n"), kErrMapBad);
    MapData big = smallMap(496); // 500 provinces
    ASSERT_TRUE(writeMapFile(path("big.map"), big));
    EXPECT_EQ(code("MapFile big.map\n"), kErrMapTooManyProvinces);
    std::filesystem::remove(dir_ / "default.map");
    const ScenarioReadResult r = read("HeiUnit 5\n\nDaimyou {\n}\n");
    EXPECT_EQ(r.code, kErrMapMissing);
    EXPECT_EQ(r.message, "指定されたマップファイルがありません(Line No.3) ");
    // Sections that name no province need no map.
    EXPECT_EQ(code("Opening {\nx\n}\nTrading {\n}\n"), 0);
}

TEST_F(MapLookup, ALaterMapFileReplacesTheMapNamesStayResolved) {
    MapData other = smallMap();
    setFieldText(other.provinces[0].name, utf8ToCp932("尾張"));
    ASSERT_TRUE(writeMapFile(path("other.map"), other));
    // 山城 was found in default.map; after the switch it no longer exists.
    ASSERT_EQ(code(basicScenario() + "MapFile other.map\nKuniArea {\n尾張, 1, 0, 0, 1, 1\n}\n"), 0);
    EXPECT_EQ(world().castleSites[0].province, 0);
    EXPECT_EQ(world().viewAreas[0].zoom, 1);
    EXPECT_EQ(code(basicScenario() + "MapFile other.map\nKuniArea {\n山城, 1, 0, 0, 1, 1\n}\n"),
              kErrProvince);
}

TEST_F(MapLookup, ALaterMapMustHoldTheProvincesAlreadyUsed) {
    ASSERT_TRUE(writeMapFile(path("default.map"), smallMap(10))); // P9 has index 13
    MapData small = smallMap();
    ASSERT_TRUE(writeMapFile(path("small.map"), small));
    const std::string castle =
        std::string(kHouses) + "Shiro {\nz, 城, P9, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n}\n";
    ASSERT_EQ(code(castle), 0);
    EXPECT_EQ(code(castle + "MapFile small.map\n"), kErrProvince);
}

} // namespace
} // namespace vh::test
