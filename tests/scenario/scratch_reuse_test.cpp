// A scratch world reused from read to read gives exactly what a newly built one gives: after reads
// that stop at every point of a rich scenario, the next read of another file matches a fresh read
// in every record of every table, at full capacity.
#include "game/save_game.h"
#include "scenario_fixture.h"
#include "world/record_codec.h"

namespace vh::test {
namespace {

template <class R> void appendTable(std::vector<uint8_t>& out, const std::vector<R>& table) {
    for (const R& r : table) {
        const auto image = recordImage(r);
        out.insert(out.end(), image.begin(), image.end());
    }
}

// Every table at full capacity, plus what the save image holds (settings, map, counts).
std::vector<uint8_t> fullImage(const WorldState& w) {
    std::vector<uint8_t> out = saveImage(w);
    appendTable(out, w.scenarioHouses);
    appendTable(out, w.houses);
    appendTable(out, w.castleSites);
    appendTable(out, w.castles);
    appendTable(out, w.castleSnapshot);
    appendTable(out, w.scenarioGenerals);
    appendTable(out, w.generals);
    appendTable(out, w.waitingGenerals);
    appendTable(out, w.relationEntries);
    appendTable(out, w.tradePartners);
    appendTable(out, w.gunMarkets);
    appendTable(out, w.coalitions);
    appendTable(out, w.viewAreas);
    appendTable(out, w.gunProduction);
    for (const auto& m : w.snowChance) out.insert(out.end(), m.begin(), m.end());
    for (const auto& m : w.rainChance) out.insert(out.end(), m.begin(), m.end());
    const std::string extra = w.settings.openingText + "|" + w.settings.mapFile + "|" +
                              std::to_string(w.settings.scenarioVer) + "|" + std::to_string(w.relationEntryCount);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

class ScratchReuse : public ScenarioTest {};

TEST_F(ScratchReuse, EveryReadAfterAnyEarlierOneMatchesAFreshRead) {
    std::ifstream f(std::string(VH_TEST_DATA_DIR) + "/scenario_all_sections.snr", std::ios::binary);
    const std::string rich((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // The same sections with every setting left at its default.
    const std::string other = "ScenarioVer 4\n" + rich.substr(rich.find("Opening {"));
    ScenarioScratch scratch;
    WorldState fresh;
    int successes = 0;
    for (size_t cut = 0; cut <= rich.size(); cut += std::max<size_t>(1, rich.size() / 40)) {
        for (const std::string& text : {rich.substr(0, cut), other, rich}) {
            const ScenarioReadResult a = scratch.read(text, dir(), dir());
            const ScenarioReadResult b = readScenarioFromBytes(text, dir(), dir(), fresh);
            ASSERT_EQ(a.code, b.code) << "cut " << cut;
            ASSERT_EQ(a.message, b.message) << "cut " << cut;
            ASSERT_EQ(a.notices, b.notices) << "cut " << cut;
            if (a.code != 0) continue;
            // A scenario that needs no map leaves the scratch's map empty; the other read keeps its own.
            if (!scratch.mapLoaded()) scratch.world().map = fresh.map;
            ASSERT_TRUE(fullImage(scratch.world()) == fullImage(fresh)) << "cut " << cut;
            ++successes;
        }
    }
    EXPECT_GT(successes, 80); // both whole files every time, and the longer prefixes
}

} // namespace
} // namespace vh::test
