// Sections Daimyou, Shiro and ShiroConnect: fields, version shapes, checks, limits, route agreement.
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using Houses = ScenarioTest;
using Castles = ScenarioTest;
using Routes = ScenarioTest;

std::string houseSection(const std::string& lines) {
    return "Daimyou {\n" + lines + "}\n";
}

TEST_F(Houses, VersionShapes) {
    ASSERT_EQ(code(houseSection("oda, 織田家, NORMAL, 12, -1\nsho, 尚家, RYUUKYUU, 30, 500\n")), 0);
    ASSERT_EQ(world().scenarioHouseCount, 2);
    const ScenarioHouse& h = world().scenarioHouses[0];
    EXPECT_EQ(cp932ToUtf8(fieldText(h.name)), "織田家");
    EXPECT_EQ(h.kind, kHouseNormal);
    EXPECT_EQ(h.navigationSkill, 12);
    EXPECT_EQ(h.miningSkill, 0);
    EXPECT_EQ(h.initialFunds, -1);
    EXPECT_EQ(h.gunCollection, 10);
    EXPECT_EQ(world().scenarioHouses[1].kind, kHouseRyuukyuu);
    EXPECT_EQ(world().scenarioHouses[1].initialFunds, 500);

    ASSERT_EQ(code("ScenarioVer 2\n" + houseSection("ainu, アイヌ, AINU, 1, 25, 700\n")), 0);
    EXPECT_EQ(world().scenarioHouses[0].kind, kHouseAinu);
    EXPECT_EQ(world().scenarioHouses[0].miningSkill, 250);
    EXPECT_EQ(world().scenarioHouses[0].initialFunds, 700);

    ASSERT_EQ(code("ScenarioVer 3\n" + houseSection("oda, 織田家, NORMAL, 1, 500, 700, 35\n")), 0);
    EXPECT_EQ(world().scenarioHouses[0].miningSkill, 5000);
    EXPECT_EQ(world().scenarioHouses[0].gunCollection, 35);

    // A version 1 line with a sixth field, or a version 3 line with only six.
    EXPECT_EQ(code(houseSection("oda, 織田家, NORMAL, 1, 500, 700\n")), kErrSyntax);
    EXPECT_EQ(code("ScenarioVer 3\n" + houseSection("oda, 織田家, NORMAL, 1, 500, 700\n")), kErrSyntax);
}

TEST_F(Houses, FieldChecks) {
    EXPECT_EQ(code(houseSection(std::string(26, 'i') + ", 名, NORMAL, 1, 1\n")), kErrHouseIdTooLong);
    EXPECT_EQ(code(houseSection(std::string(25, 'i') + ", 名, NORMAL, 1, 1\n")), 0);
    EXPECT_EQ(code(houseSection("a, 名, NORMAL, 1, 1\na, 名, NORMAL, 1, 1\n")), kErrHouseIdDuplicate);
    EXPECT_EQ(code(houseSection("a, 一二三四五六七八九十一, NORMAL, 1, 1\n")),
              kErrHouseNameTooLong);                                             // 22 bytes
    EXPECT_EQ(code(houseSection("a, 一二三四五六七八九十, NORMAL, 1, 1\n")), 0); // 20 bytes
    EXPECT_EQ(code(houseSection("a, 名, normal, 1, 1\n")), kErrHouseKind);
    EXPECT_EQ(code(houseSection("a, 名, NORMAL, x, 1\n")), kErrNotInteger);
    EXPECT_EQ(code("ScenarioVer 2\n" + houseSection("a, 名, NORMAL, 1, 501, 1\n")), kErrMiningSkill);
    EXPECT_EQ(code("ScenarioVer 2\n" + houseSection("a, 名, NORMAL, 1, -1, 1\n")), kErrMiningSkill);
    EXPECT_EQ(code("ScenarioVer 3\n" + houseSection("a, 名, NORMAL, 1, 1, 1, 101\n")), kErrGunCollection);
    EXPECT_EQ(code(houseSection("a, 名, NORMAL, 1\n")), kErrSyntax);
    EXPECT_EQ(code("Daimyou\na, 名, NORMAL, 1, 1\n}\n"), kErrSyntax); // no "{"
    EXPECT_EQ(code("Daimyou {\na, 名, NORMAL, 1, 1\n"), kErrSyntax);  // the file ends inside
}

TEST_F(Houses, AThousandAndFirstHouseIsRefusedOnItsOwnLine) {
    std::string lines;
    for (int i = 0; i < 1000; ++i)
        lines += "h" + std::to_string(i) + ", 家, NORMAL, 0, 0\n";
    ASSERT_EQ(code(houseSection(lines)), 0);
    EXPECT_EQ(world().scenarioHouseCount, 1000);
    const ScenarioReadResult r = read(houseSection(lines + "extra, 家, NORMAL, 0, 0\n"));
    EXPECT_EQ(r.code, kErrTooManyHouses);
    EXPECT_EQ(r.message, "大名の数が多すぎます(Line No.1002) ");
}

const char* const kCastleLine = "a, 二条城, 山城, 5, 100, 120, 50000, 40000, 300, 200, YES, 3, 2, 60, oda\n";

std::string castleScenario(const std::string& lines, int version = 1) {
    // The version may change after the houses; it shapes the sections that follow it.
    return kHouses + ("ScenarioVer " + std::to_string(version) + "\n") + "Shiro {\n" + lines + "}\n";
}

TEST_F(Castles, FieldsGoToSiteAndLiveRecord) {
    ASSERT_EQ(code(castleScenario(kCastleLine)), 0);
    const CastleSite& s = world().castleSites[0];
    const Castle& c = world().castles[0];
    EXPECT_EQ(cp932ToUtf8(fieldText(s.name)), "二条城");
    EXPECT_EQ(s.province, 0);
    EXPECT_EQ(s.size, 5);
    EXPECT_EQ(s.x, 100);
    EXPECT_EQ(s.y, 120);
    EXPECT_EQ(s.maxYield, 50000);
    EXPECT_EQ(s.maxTown, 300);
    EXPECT_EQ(s.maxMine, 0);
    EXPECT_EQ(s.hasPort, 1);
    EXPECT_EQ(s.picture, kPicNormal);
    EXPECT_EQ(s.initialOwner, 0);
    EXPECT_EQ(routeCount(s), 0);
    EXPECT_EQ(c.yield, 40000);
    EXPECT_EQ(c.town, 200);
    EXPECT_EQ(c.mine, 0);
    EXPECT_EQ(c.tradeShips, 3);
    EXPECT_EQ(c.warShips, 2);
    EXPECT_EQ(c.support, 600);
    EXPECT_EQ(world().castleCount, 1);
}

TEST_F(Castles, VersionShapes) {
    ASSERT_EQ(code(castleScenario("a, 城, 大和, 1, 0, 0, 1, 1, 1, 1, 70, 30, NO, 0, 0, 0, takeda\n", 2)), 0);
    EXPECT_EQ(world().castleSites[0].maxMine, 70);
    EXPECT_EQ(world().castles[0].mine, 30);
    EXPECT_EQ(world().castleSites[0].initialOwner, 1);
    ASSERT_EQ(
        code(castleScenario("a, 城, 大和, 1, 0, 0, 1, 1, 1, 1, 70, 30, NO, 0, 0, 0, EUROPE, takeda\n", 4)),
        0);
    EXPECT_EQ(world().castleSites[0].picture, kPicEurope);
    EXPECT_EQ(
        code(castleScenario("a, 城, 大和, 1, 0, 0, 1, 1, 1, 1, 7, 3, NO, 0, 0, 0, CASTLE, takeda\n", 4)),
        kErrCastlePicture);
    // A version 1 line read as version 2 meets the port word where the mine ceiling belongs.
    EXPECT_EQ(code(castleScenario(kCastleLine, 2)), kErrNotInteger);
    EXPECT_EQ(code(castleScenario("a, 城, 大和, 1, 0, 0, 1, 1, 1, 1, 7, 3, NO, 0, 0, 0, takeda\n", 1)),
              kErrPort);
}

TEST_F(Castles, FieldChecks) {
    struct Case {
        const char* line;
        int error;
    } cases[] = {
        {"aaaaaaaaaaaaaaaaaaaaaaaaaa, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n",
         kErrCastleIdTooLong},
        {"a, 一二三四五六七八九十一, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrCastleNameTooLong},
        {"a, 城, 武蔵, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrProvince},
        {"a, 城, 山城, 0, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrCastleSize},
        {"a, 城, 山城, 11, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrCastleSize},
        {"a, 城, 山城, 1, 560, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrX},
        {"a, 城, 山城, 1, 0, 440, 1, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrY},
        {"a, 城, 山城, 1, 0, 0, 1x, 1, 1, 1, NO, 0, 0, 0, oda\n", kErrNotInteger},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, yes, 0, 0, 0, oda\n", kErrPort},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 101, 0, 0, oda\n", kErrTradeShips},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, -1, 0, oda\n", kErrWarShips},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 101, oda\n", kErrSupport},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, uesugi\n", kErrHouseRef},
        {"a, 城, 山城, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda, more\n", kErrSyntax},
    };
    for (const Case& c : cases)
        EXPECT_EQ(code(castleScenario(c.line)), c.error) << c.line;
    EXPECT_EQ(code(castleScenario(std::string(kCastleLine) + kCastleLine)), kErrCastleIdDuplicate);
}

TEST_F(Castles, HouseMustBeDeclaredEarlier) {
    EXPECT_EQ(code(std::string("Shiro {\n") + kCastleLine + "}\n" + kHouses), kErrHouseRef);
}

TEST_F(Castles, AHundredPerProvince) {
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "c" + std::to_string(i) + ", 城, 摂津, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n";
    ASSERT_EQ(code(castleScenario(lines + "d, 城, 大和, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n")), 0);
    EXPECT_EQ(world().castleCount, 101);
    EXPECT_EQ(code(castleScenario(lines + "d, 城, 摂津, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n")),
              kErrCastlesPerProvince);
}

TEST_F(Castles, TwoThousandAndFirstCastleIsRefused) {
    // 21 provinces of 100 castles each fit the table's 2000 slots exactly with one to spare.
    ASSERT_TRUE(writeMapFile(path("default.map"), smallMap(30)));
    std::string lines;
    for (int i = 0; i < 2001; ++i)
        lines += "c" + std::to_string(i) + ", 城, P" + std::to_string(i / 100) +
                 ", 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n";
    EXPECT_EQ(code(castleScenario(lines)), kErrTooManyCastles);
    EXPECT_EQ(world().castleCount, 0);
}

TEST_F(Castles, ProvincesBeyondTheSignedByteAreRefused) {
    ASSERT_TRUE(writeMapFile(path("default.map"), smallMap(130)));
    // Filler province P123 has index 127, P124 index 128.
    EXPECT_EQ(code(castleScenario("a, 城, P123, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n")), 0);
    EXPECT_EQ(world().castleSites[0].province, 127);
    EXPECT_EQ(code(castleScenario("a, 城, P124, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n")), kErrProvince);
}

TEST_F(Routes, BothEndsDeclared) {
    ASSERT_EQ(code(basicScenario()), 0);
    const CastleSite& b = world().castleSites[1];
    EXPECT_EQ(routeCount(b), 2);
    EXPECT_EQ(b.routes[0], 0);
    EXPECT_EQ(b.routes[1], 2);
    EXPECT_EQ(b.routes[2], -1);
    EXPECT_EQ(routeCount(world().castleSites[0]), 1);
}

TEST_F(Routes, ARouteBackMissingWhenTheLineIsRead) {
    // a lists b; b's line, read later, does not list a.
    const ScenarioReadResult r =
        read(std::string(kHouses) + kCastles + "ShiroConnect {\na, b\nb, c\nc, b\n}\n");
    EXPECT_EQ(r.code, kErrRouteMismatch);
    EXPECT_EQ(r.message, "城経路不一致(Line No.12) ");
}

TEST_F(Routes, ARouteBackMissingAtTheSectionEndNamesTheCastle) {
    // b lists c, but c never gets a line of its own.
    const ScenarioReadResult r = read(std::string(kHouses) + kCastles + "ShiroConnect {\na, b\nb, a, c\n}\n");
    EXPECT_EQ(r.code, kErrRouteMismatch);
    EXPECT_EQ(r.message, "城経路不一致(Line No.13) c経路未設定");
}

TEST_F(Routes, SevenRoutesFitAnEighthDoesNot) {
    std::string castles, connect, back;
    for (int i = 0; i < 9; ++i) {
        castles += "k" + std::to_string(i) + ", 城, 摂津, 1, 0, 0, 1, 1, 1, 1, NO, 0, 0, 0, oda\n";
        if (i > 0) back += "k" + std::to_string(i) + ", k0\n";
    }
    const std::string seven = "k0, k1, k2, k3, k4, k5, k6, k7\n";
    ASSERT_EQ(code(std::string(kHouses) + "Shiro {\n" + castles + "}\nShiroConnect {\n" + seven +
                   "k1, k0\nk2, k0\nk3, k0\nk4, k0\nk5, k0\nk6, k0\nk7, k0\n}\n"),
              0);
    EXPECT_EQ(routeCount(world().castleSites[0]), 7);
    EXPECT_EQ(world().castleSites[0].routes[7], -1);
    EXPECT_EQ(code(std::string(kHouses) + "Shiro {\n" + castles +
                   "}\nShiroConnect {\nk0, k1, k2, k3, k4, k5, k6, "
                   "k7, k8\n" +
                   back + "}\n"),
              kErrTooManyRoutes);
}

TEST_F(Routes, UnknownCastlesAndShapes) {
    EXPECT_EQ(code(std::string(kHouses) + kCastles + "ShiroConnect {\nx, a\n}\n"), kErrCastleRef);
    EXPECT_EQ(code(std::string(kHouses) + kCastles + "ShiroConnect {\na, x\n}\n"), kErrCastleRef);
    EXPECT_EQ(code(std::string(kHouses) + kCastles + "ShiroConnect {\na\n}\n"), kErrSyntax);
    // Routes may only name castles of earlier Shiro lines.
    EXPECT_EQ(code(std::string(kHouses) + "ShiroConnect {\na, b\n}\n" + kCastles), kErrCastleRef);
}

TEST_F(Routes, ASecondLineReplacesTheList) {
    ASSERT_EQ(code(std::string(kHouses) + kCastles + "ShiroConnect {\na, b\nb, a\nb, a, c\nc, b\n}\n"), 0);
    const CastleSite& b = world().castleSites[1];
    EXPECT_EQ(routeCount(b), 2);
    EXPECT_EQ(b.routes[0], 0);
    EXPECT_EQ(b.routes[1], 2);
    // Dropping a route that a castle already read still declares is a mismatch.
    EXPECT_EQ(code(std::string(kHouses) + kCastles + "ShiroConnect {\na, b\nb, a, c\nc, b\nb, a\n}\n"),
              kErrRouteMismatch);
}

} // namespace
} // namespace vh::test
