// A scratch world reused from read to read gives exactly what a newly built one gives: after reads
// that stop at every point of a rich scenario, the next read of another file matches a fresh read
// in every record of every table, at full capacity.
#include "scenario_fixture.h"
#include "support/world_image.h"

namespace vh::test {
namespace {

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
            ASSERT_TRUE(fullWorldImage(scratch.world()) == fullWorldImage(fresh)) << "cut " << cut;
            ++successes;
        }
    }
    EXPECT_GT(successes, 80); // both whole files every time, and the longer prefixes
}

} // namespace
} // namespace vh::test
