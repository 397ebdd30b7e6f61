// Sections Bushou and Doumei: fields, soldier limits per version and unit, house and place forms,
// the province-castle check, relation kinds and the duplicate notice.
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using Generals = ScenarioTest;
using Relations = ScenarioTest;

std::string withGenerals(const std::string& lines, const std::string& settings = "") {
    return settings + basicScenario() + "Bushou {\n" + lines + "}\n";
}

TEST_F(Generals, FieldsAreStored) {
    ASSERT_EQ(code(withGenerals("織田信長, 8, 7, 9, 6, 10, 20, 30, 10, 1534?, 1582, 0, oda, 0, a\n"
                                "武田信玄, 9, 8, 9, 7, 9, 5, 5, 0, 1521, 1573, 1560, (takeda), -1, 大和\n"
                                "浪人, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, D_FREE, 3, 山城\n")),
              0);
    ASSERT_EQ(world().scenarioGeneralCount, 3);
    const ScenarioGeneral& g = world().scenarioGenerals[0];
    EXPECT_EQ(cp932ToUtf8(fieldText(g.name)), "織田信長");
    EXPECT_EQ(g.valor, 8);
    EXPECT_EQ(g.politics, 7);
    EXPECT_EQ(g.intellect, 9);
    EXPECT_EQ(g.loyalty, 6);
    EXPECT_EQ(g.ambition, 10);
    // Version 1 counts soldiers in tens of units.
    EXPECT_EQ(g.cavalry, 200);
    EXPECT_EQ(g.foot, 300);
    EXPECT_EQ(g.guns, 100);
    EXPECT_EQ(g.birthYear, 1534);
    EXPECT_EQ(g.birthUnknown, 1);
    EXPECT_EQ(g.lifeEnd, 1582);
    EXPECT_EQ(g.appearYear, 0);
    EXPECT_EQ(g.house, 0);
    EXPECT_EQ(g.succession, 0);
    EXPECT_EQ(g.place, 0);

    const ScenarioGeneral& t = world().scenarioGenerals[1];
    EXPECT_EQ(t.birthUnknown, 0);
    EXPECT_EQ(static_cast<uint16_t>(t.house), kIndexFlag | 1);
    EXPECT_EQ(t.succession, -1);
    EXPECT_EQ(static_cast<uint16_t>(t.place), kIndexFlag | 1); // province 大和
    EXPECT_EQ(t.appearYear, 1560);

    EXPECT_EQ(world().scenarioGenerals[2].house, ScenarioGeneral::kFreeHouse);
}

TEST_F(Generals, SoldierLimitsDependOnVersionAndUnit) {
    const std::string v1 = "g, 1, 1, 1, 1, 1, %C, %F, %G, 1540, 1600, 0, oda, 0, a\n";
    auto line = [](std::string s, int c, int f, int g) {
        s.replace(s.find("%C"), 2, std::to_string(c));
        s.replace(s.find("%F"), 2, std::to_string(f));
        s.replace(s.find("%G"), 2, std::to_string(g));
        return s;
    };
    EXPECT_EQ(code(withGenerals(line(v1, 20, 50, 50))), 0);
    EXPECT_EQ(code(withGenerals(line(v1, 21, 0, 0))), kErrCavalry);
    EXPECT_EQ(code(withGenerals(line(v1, -1, 0, 0))), kErrCavalry);
    EXPECT_EQ(code(withGenerals(line(v1, 0, 51, 0))), kErrFoot);
    EXPECT_EQ(code(withGenerals(line(v1, 0, 0, 51))), kErrGuns);
    EXPECT_EQ(code(withGenerals(line(v1, 2147483647, 0, 0))), kErrCavalry);
    // Version 3 takes units as written; the limit is in men.
    EXPECT_EQ(code(withGenerals(line(v1, 200, 500, 500), "ScenarioVer 3\n")), kErrSyntax); // houses short
    const std::string v3Houses = "ScenarioVer 3\nDaimyou {\noda, 織田家, NORMAL, 1, 0, -1, 10\n}\n"
                                 "Shiro {\na, 城, 山城, 1, 0, 0, 1, 1, 1, 1, 0, 0, NO, 0, 0, 0, oda\n}\n";
    EXPECT_EQ(code(v3Houses + "Bushou {\n" + line(v1, 200, 500, 500) + "}\n"), 0);
    EXPECT_EQ(world().scenarioGenerals[0].cavalry, 200);
    EXPECT_EQ(code(v3Houses + "Bushou {\n" + line(v1, 201, 0, 0) + "}\n"), kErrCavalry);
    EXPECT_EQ(code("HeiUnit 20\n" + v3Houses + "Bushou {\n" + line(v1, 101, 0, 0) + "}\n"), kErrCavalry);
    EXPECT_EQ(code("HeiUnit 20\n" + v3Houses + "Bushou {\n" + line(v1, 100, 250, 250) + "}\n"), 0);
}

TEST_F(Generals, FieldChecks) {
    struct Case {
        const char* line;
        int error;
    } cases[] = {
        {"一二三四五六七八九十一, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n",
         kErrGeneralNameTooLong},
        {"g, 11, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n", kErrValor},
        {"g, 1, -1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n", kErrPolitics},
        {"g, 1, 1, 11, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n", kErrIntellect},
        {"g, 1, 1, 1, 11, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n", kErrLoyalty},
        {"g, 1, 1, 1, 1, 11, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n", kErrAmbition},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 15?40, 1600, 0, oda, 0, a\n", kErrNotInteger},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, ?, 1600, 0, oda, 0, a\n", kErrNotInteger},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, uesugi, 0, a\n", kErrHouseRef},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, (), 0, a\n", kErrHouseRef},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, , 0, a\n", kErrHouseRef},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, (oda, 0, a\n", kErrHouseRef},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, x, a\n", kErrNotInteger},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, 武蔵\n", kErrPlace},
        {"g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0\n", kErrSyntax},
    };
    for (const Case& c : cases)
        EXPECT_EQ(code(withGenerals(c.line)), c.error) << c.line;
}

TEST_F(Generals, APresentGeneralInAProvinceNeedsACastleOfHisHouseThere) {
    // oda owns a castle in 山城 only.
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, 山城\n")), 0);
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, 大和\n")),
              kErrNoCastleInProvince);
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, (oda), 0, 大和\n")),
              kErrNoCastleInProvince);
    // Waiting generals and masterless ones are not checked.
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 1570, oda, 0, 大和\n")), 0);
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, D_FREE, 0, 駿河\n")), 0);
    // A castle place is taken as given, whoever owns it.
    EXPECT_EQ(code(withGenerals("g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, b\n")), 0);
}

TEST_F(Generals, ReferencesMustComeFirst) {
    EXPECT_EQ(code(std::string(kHouses) +
                   "Bushou {\ng, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n}\n" + kCastles),
              kErrPlace);
    EXPECT_EQ(
        code("Bushou {\ng, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, 山城\n}\n" + std::string(kHouses)),
        kErrHouseRef);
}

TEST_F(Generals, FiveThousandAndFirstIsRefused) {
    std::string lines;
    for (int i = 0; i < 5000; ++i)
        lines += "g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n";
    ASSERT_EQ(code(withGenerals(lines)), 0);
    EXPECT_EQ(world().scenarioGeneralCount, 5000);
    EXPECT_EQ(code(withGenerals(lines + "g, 1, 1, 1, 1, 1, 0, 0, 0, 1540, 1600, 0, oda, 0, a\n")),
              kErrTooManyGenerals);
}

std::string withRelations(const std::string& lines) {
    return std::string(kHouses) + "Doumei {\n" + lines + "}\n";
}

TEST_F(Relations, KindsAndEveryHouse) {
    ASSERT_EQ(code(withRelations("oda, FUSEN, takeda\noda, JUUZOKU, takeda\ntakeda, SHINJUU, oda\n"
                                 "oda, SHUKUTEKI, D_ALL\ntakeda, NOTHING, oda\n")),
              0);
    ASSERT_EQ(world().relationEntryCount, 5);
    const auto& r = world().relationEntries;
    EXPECT_EQ(r[0].kind, kRelPact);
    EXPECT_EQ(r[1].kind, kRelSubordinateTo);
    EXPECT_EQ(r[2].kind, kRelSubmittedTo);
    EXPECT_EQ(r[2].houseA, 1);
    EXPECT_EQ(r[2].houseB, 0);
    EXPECT_EQ(r[3].kind, kRelSwornEnemy);
    EXPECT_EQ(r[3].houseB, -1);
    EXPECT_EQ(r[4].kind, kRelNothing);
}

TEST_F(Relations, Checks) {
    EXPECT_EQ(code(withRelations("uesugi, FUSEN, takeda\n")), kErrHouseRef);
    EXPECT_EQ(code(withRelations("oda, FUSEN, uesugi\n")), kErrHouseRef);
    EXPECT_EQ(code(withRelations("oda, DOUMEI, takeda\n")), kErrRelationKind);
    EXPECT_EQ(code(withRelations("oda, FUSEN, takeda, x\n")), kErrSyntax);
}

TEST_F(Relations, ADuplicateAllianceIsNoticedAndKept) {
    const ScenarioReadResult r =
        read(withRelations("oda, FUSEN, takeda\ntakeda, SHUKUTEKI, oda\ntakeda, JUUZOKU, oda\n"
                           "oda, SHINJUU, takeda\n"));
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(world().relationEntryCount, 4);
    // Lines 8 and 9: each alliance after the first pact; the sworn enmity is no alliance.
    const std::vector<std::string> expected = {"同盟関係の２重定義があります(Line No.8)",
                                               "同盟関係の２重定義があります(Line No.9)"};
    EXPECT_EQ(r.notices, expected);
}

TEST_F(Relations, TwoThousandAndFirstIsRefused) {
    std::string lines;
    for (int i = 0; i < 2000; ++i)
        lines += "oda, NOTHING, takeda\n";
    ASSERT_EQ(code(withRelations(lines)), 0);
    EXPECT_EQ(code(withRelations(lines + "oda, NOTHING, takeda\n")), kErrTooManyRelations);
}

} // namespace
} // namespace vh::test
