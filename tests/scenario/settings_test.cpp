// Settings: defaults, each keyword's value and checks, the mended ranges, and the error message form.
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using Settings = ScenarioTest;

TEST_F(Settings, DefaultsWhenAbsent) {
    ASSERT_EQ(code("StartYear 1560\n"), 0);
    const ScenarioSettings& s = world().settings;
    EXPECT_EQ(s.startYear, 1560);
    EXPECT_EQ(s.startMonth, 4);
    EXPECT_EQ(s.heiUnit, 10);
    EXPECT_EQ(s.shiroDotSize, 3);
    EXPECT_EQ(s.shiroHyourouMax, 2000);
    EXPECT_EQ(s.distanceLimit, 15);
    EXPECT_TRUE(s.bushouHojuu && s.kishuu && s.keiryaku && s.tekiJouTsuuka);
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(cp932ToUtf8(fieldText(s.endingText)), "は統一を成し遂げました");
    EXPECT_DOUBLE_EQ(s.teppouCost[0], 300.0);
    EXPECT_DOUBLE_EQ(s.teppouSoubiRitsu[1], 0.1);
    EXPECT_DOUBLE_EQ(s.teppouCostCurrent, 300.0);
    EXPECT_EQ(s.teppouKouka[3], 10);
    EXPECT_EQ(s.mainMapKakudai.enabled, 0);
    EXPECT_EQ(world().tradePartnerCount, 1);
    EXPECT_EQ(cp932ToUtf8(fieldText(world().tradePartners[0].name)), "航海訓練");
}

TEST_F(Settings, EveryValueIsStored) {
    ASSERT_EQ(code("Title \"天下 統一\"\nEnding が天下を取った\nStartYear -5\nStartMonth 12\nHeiUnit 5\n"
                   "ShiroDotSize 4 ShiroHyourouMax 3000 DistanceLimit 9\n"
                   "UchijiniKakuritsu 1 SeppukuKakuritsu 2 JuuzokuJoukenHosei 3 ShinjuuJoukenHosei 4\n"
                   "DokuritsuJoukenHosei 6\nBushouHojuu NO\nKishuu NO\nKeiryaku YES\nTekiJouTsuuka NO\n"
                   "Language CHINESE_GB2312\nMainMapKakudai 10, 20, 559, 439\n"
                   "TeppouCost 200, 2.5, 40\nTeppouSoubiRitsu 1, .2, 60\nTeppouKouka 0, 50, 100, 7\n"
                   "ScenarioVer 3\nSecret whatever\n"),
              0);
    const ScenarioSettings& s = world().settings;
    EXPECT_EQ(cp932ToUtf8(fieldText(s.title)), "天下 統一");
    EXPECT_EQ(cp932ToUtf8(fieldText(s.endingText)), "が天下を取った");
    EXPECT_EQ(s.startYear, -5);
    EXPECT_EQ(s.startMonth, 12);
    EXPECT_EQ(s.heiUnit, 5);
    EXPECT_EQ(s.shiroDotSize, 4);
    EXPECT_EQ(s.shiroHyourouMax, 3000);
    EXPECT_EQ(s.distanceLimit, 9);
    EXPECT_EQ(s.uchijiniKakuritsu, 1);
    EXPECT_EQ(s.seppukuKakuritsu, 2);
    EXPECT_EQ(s.juuzokuJoukenHosei, 3);
    EXPECT_EQ(s.shinjuuJoukenHosei, 4);
    EXPECT_EQ(s.dokuritsuJoukenHosei, 6);
    EXPECT_FALSE(s.bushouHojuu);
    EXPECT_FALSE(s.kishuu);
    EXPECT_TRUE(s.keiryaku);
    EXPECT_FALSE(s.tekiJouTsuuka);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.mainMapKakudai.enabled, 1);
    EXPECT_EQ(s.mainMapKakudai.x0, 10);
    EXPECT_EQ(s.mainMapKakudai.y0, 20);
    EXPECT_EQ(s.mainMapKakudai.x1, 560); // stored plus one
    EXPECT_EQ(s.mainMapKakudai.y1, 440);
    EXPECT_DOUBLE_EQ(s.teppouCost[1], 2.5);
    EXPECT_DOUBLE_EQ(s.teppouCostCurrent, 200.0);
    EXPECT_DOUBLE_EQ(s.teppouSoubiRitsu[1], 0.2);
    EXPECT_DOUBLE_EQ(s.teppouSoubiRitsuCurrent, 1.0);
    EXPECT_EQ(s.teppouKouka[0], 0);
    EXPECT_EQ(s.teppouKouka[2], 100);
    EXPECT_EQ(s.scenarioVer, 3);
}

TEST_F(Settings, ValueChecks) {
    EXPECT_EQ(code("StartYear 15x0\n"), kErrNotInteger);
    EXPECT_EQ(code("ScenarioVer two\n"), kErrNotInteger);
    EXPECT_EQ(code("HeiUnit\n"), kErrNotInteger);
    EXPECT_EQ(code("Kishuu yes\n"), kErrSyntax);
    EXPECT_EQ(code("Language ENGLISH\n"), kErrSyntax);
    EXPECT_EQ(code("MainMapKakudai 560, 0, 10, 10\n"), kErrX);
    EXPECT_EQ(code("MainMapKakudai 0, 440, 10, 10\n"), kErrY);
    EXPECT_EQ(code("MainMapKakudai 0, 0, 10, -1\n"), kErrY);
    EXPECT_EQ(code("MainMapKakudai 0, 0, 10\n"), kErrSyntax);        // values must share one line
    EXPECT_EQ(code("MainMapKakudai 0, 0, 10, 10, 5\n"), kErrSyntax); // the last must end it
    EXPECT_EQ(code("TeppouCost 1, 2, x\n"), kErrNotReal);
    EXPECT_EQ(code("TeppouSoubiRitsu 1.5.1, 2, 3\n"), kErrNotReal);
    EXPECT_EQ(code("TeppouKouka 10, 10, 101, 10\n"), kErrGunEffect);
    EXPECT_EQ(code("TeppouKouka 10, 10, 1.5, 10\n"), kErrNotInteger);
    EXPECT_EQ(code("Unknown 5\n"), kErrSyntax);
    EXPECT_EQ(code("heiunit 5\n"), kErrSyntax); // keywords are case-sensitive
}

TEST_F(Settings, MonthAndSoldierUnitOutsideTheirRangeAreRefused) {
    EXPECT_EQ(code("StartMonth 0\n"), kErrSyntax);
    EXPECT_EQ(code("StartMonth 13\n"), kErrSyntax);
    EXPECT_EQ(code("StartMonth 1\n"), 0);
    EXPECT_EQ(code("HeiUnit 0\n"), kErrSyntax);
    EXPECT_EQ(code("HeiUnit -10\n"), kErrSyntax);
    EXPECT_EQ(code("HeiUnit 1\n"), 0);
}

TEST_F(Settings, TitleKeepsNinetyNineBytes) {
    const std::string longTitle(120, 'T');
    ASSERT_EQ(code("Title " + longTitle + "\n"), 0);
    EXPECT_EQ(fieldText(world().settings.title), std::string(99, 'T'));
}

TEST_F(Settings, ASettingValueNeedNotEndItsLine) {
    ASSERT_EQ(code("HeiUnit 5 StartYear 1600\n"), 0);
    EXPECT_EQ(world().settings.heiUnit, 5);
    EXPECT_EQ(world().settings.startYear, 1600);
}

TEST_F(Settings, OpeningLinesAreJoinedWithCrLf) {
    ASSERT_EQ(code("Opening {\n一行目\n\"二 行, 目\"\n}\n"), 0);
    EXPECT_EQ(cp932ToUtf8(world().settings.openingText), "一行目\r\n二 行, 目\r\n");
    EXPECT_EQ(code("Opening {\na b\n}\n"), kErrSyntax);
    // Opening lines keep 199 bytes.
    ASSERT_EQ(code("Opening {\n" + std::string(250, 'o') + "\n}\n"), 0);
    EXPECT_EQ(world().settings.openingText, std::string(199, 'o') + "\r\n");
}

TEST_F(Settings, MessageShowsTheTokensLineAndTheTableText) {
    const ScenarioReadResult r = read("// head\n\nStartYear 1560\n\n  // note\n\nHeiUnit x\n");
    EXPECT_EQ(r.code, kErrNotInteger);
    EXPECT_EQ(r.message, "整数を指定すべきところに整数以外の文字があります(Line No.7) ");
    const ScenarioReadResult s = read("StartYear 1560\nBogus\n");
    EXPECT_EQ(s.message, "構文エラー(Line No.2) ");
}

TEST_F(Settings, AFileThatCannotBeOpenedHasNoMessage) {
    WorldState w;
    const ScenarioReadResult r = readScenario(path("missing.snr"), dir(), w);
    EXPECT_EQ(r.code, kScenarioFileError);
    EXPECT_EQ(r.message, "");
    const ScenarioReadResult d = readScenario(dir(), dir(), w);
    EXPECT_EQ(d.code, kScenarioFileError);
}

TEST_F(Settings, AFailedReadLeavesTheWorldUntouched) {
    WorldState w;
    writeBytes(path("good.snr"), utf8ToCp932(basicScenario() + "HeiUnit 7\n"));
    ASSERT_EQ(readScenario(path("good.snr"), dir(), w).code, 0);
    ASSERT_EQ(w.castleCount, 3);
    w.date.year = 1575; // as if play had gone on
    writeBytes(path("bad.snr"),
               utf8ToCp932("HeiUnit 3\nStartYear 1600\n" + std::string(kHouses) + "Shiro {\n}\nX"));
    const ScenarioReadResult r = readScenario(path("bad.snr"), dir(), w);
    EXPECT_EQ(r.code, kErrSyntax);
    EXPECT_EQ(w.castleCount, 3);
    EXPECT_EQ(w.settings.heiUnit, 7);
    EXPECT_EQ(w.scenarioHouseCount, 2);
    EXPECT_EQ(w.date.year, 1575);
    EXPECT_EQ(w.map.provinceCount(), 4);
}

} // namespace
} // namespace vh::test
