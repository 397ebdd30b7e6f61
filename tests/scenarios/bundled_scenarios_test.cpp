// Invariants of the scenarios that ship with the game: the data mistakes an author makes easily
// (a house nobody can lead, a castle on the wrong side of a border, a cut road, a child general).
#include "scenario/scenario_reader.h"
#include "world/map_file.h"
#include "world/text_codec.h"
#include "world/world_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using namespace vh;

namespace {

constexpr int kYoungestGeneral = 12; // nobody takes the field younger
// Castle positions are whole pixels and coasts are simplified outlines: a port may sit this far
// out to sea, as long as it does not lie inside another province.
constexpr double kCoastSlack = 1.5;

struct Expectation {
    const char* file;
    int minHouses, minCastles, minGenerals;
};

void PrintTo(const Expectation& e, std::ostream* os) { *os << e.file; }

std::string dataDir() { return std::string(VH_SOURCE_DIR) + "/data"; }

template <size_t N> std::string utf8Name(const char (&field)[N]) { return cp932ToUtf8(fieldText(field)); }

int houseIndex(int16_t field) {
    if (field == ScenarioGeneral::kFreeHouse) return -1;
    return static_cast<uint16_t>(field) & 0x7FFF;
}

bool pointInPolygon(const std::vector<MapPoint>& poly, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const MapPoint& a = poly[i];
        const MapPoint& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

double distanceToOutline(const std::vector<MapPoint>& poly, double x, double y) {
    double best = 1e300;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double dx = poly[i].x - poly[j].x, dy = poly[i].y - poly[j].y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - poly[j].x) * dx + (y - poly[j].y) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(poly[j].x + t * dx - x, poly[j].y + t * dy - y));
    }
    return best;
}

class BundledScenario : public ::testing::TestWithParam<Expectation> {
protected:
    void SetUp() override {
        world = std::make_unique<WorldState>();
        result = readScenario(dataDir() + "/scenarios/" + GetParam().file, dataDir(), *world);
        ASSERT_EQ(result.code, 0) << result.message;
    }

    // The outlines of every shape, by province (other keys, such as lakes, are left out).
    std::vector<std::vector<std::vector<MapPoint>>> provinceOutlines() const {
        std::vector<std::vector<std::vector<MapPoint>>> out(world->provinceCount());
        for (int s = 0; s < static_cast<int>(world->map.shapes.size()); ++s) {
            const int key = world->map.shapes[s].key;
            if (key >= 0 && key < world->provinceCount())
                out[key].push_back(shapeOutline(world->map, s, ViewRect{}, 560, 440));
        }
        return out;
    }

    std::unique_ptr<WorldState> world;
    ScenarioReadResult result;
};

TEST_P(BundledScenario, ReadsCleanlyWithTheExpectedSize) {
    EXPECT_TRUE(result.notices.empty()) << "a relation is declared twice: " << result.notices.front();
    EXPECT_GE(world->scenarioHouseCount, GetParam().minHouses);
    EXPECT_GE(world->castleCount, GetParam().minCastles);
    EXPECT_GE(world->scenarioGeneralCount, GetParam().minGenerals);
    EXPECT_EQ(world->settings.scenarioVer, 4);
}

TEST_P(BundledScenario, EveryHouseCanBeLedAndHasCastlesOrSomeoneToWaitFor) {
    const WorldState& w = *world;
    std::vector<bool> headCandidate(w.scenarioHouseCount), hasCastle(w.scenarioHouseCount),
        hasWaiting(w.scenarioHouseCount);
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castleSites[c].initialOwner;
        ASSERT_TRUE(owner >= 0 && owner < w.scenarioHouseCount) << utf8Name(w.castleSites[c].name);
        hasCastle[owner] = true;
    }
    std::vector<int> atStart(w.castleCount);
    for (int g = 0; g < w.scenarioGeneralCount; ++g) {
        const ScenarioGeneral& sg = w.scenarioGenerals[g];
        const int house = houseIndex(sg.house);
        if (house < 0) continue;
        ASSERT_LT(house, w.scenarioHouseCount) << utf8Name(sg.name);
        if (sg.appearYear != 0) {
            hasWaiting[house] = true;
            continue;
        }
        if (sg.succession >= 0) headCandidate[house] = true;
        // A general on the map from the start stands in a castle of his own house; more than 20
        // in one castle would leave some out of its list.
        ASSERT_EQ(sg.place & 0x8000, 0) << utf8Name(sg.name) << " is placed in a province";
        EXPECT_EQ(w.castleSites[sg.place].initialOwner, house)
            << utf8Name(sg.name) << " stands in " << utf8Name(w.castleSites[sg.place].name);
        ++atStart[sg.place];
    }
    for (int h = 0; h < w.scenarioHouseCount; ++h) {
        const std::string name = utf8Name(w.scenarioHouses[h].name);
        EXPECT_TRUE(headCandidate[h]) << name << " has nobody who can head it";
        EXPECT_TRUE(hasCastle[h] || hasWaiting[h]) << name << " has no castle and nobody waiting";
    }
    for (int c = 0; c < w.castleCount; ++c)
        EXPECT_LE(atStart[c], 20) << utf8Name(w.castleSites[c].name);
}

TEST_P(BundledScenario, EveryCastleLiesInItsProvince) {
    const auto outlines = provinceOutlines();
    for (int c = 0; c < world->castleCount; ++c) {
        const CastleSite& site = world->castleSites[c];
        const double x = site.x, y = site.y;
        ASSERT_LT(site.province, outlines.size());
        bool inside = false;
        double nearest = 1e300;
        for (const auto& poly : outlines[site.province]) {
            inside = inside || pointInPolygon(poly, x, y);
            nearest = std::min(nearest, distanceToOutline(poly, x, y));
        }
        if (inside) continue;
        std::string elsewhere;
        for (size_t p = 0; p < outlines.size(); ++p)
            for (const auto& poly : outlines[p])
                if (p != site.province && pointInPolygon(poly, x, y))
                    elsewhere = cp932ToUtf8(fieldText(world->map.provinces[p].name));
        EXPECT_TRUE(elsewhere.empty() && nearest <= kCoastSlack)
            << utf8Name(site.name) << " at (" << x << ", " << y << ") is "
            << (elsewhere.empty() ? "off the coast of " : "inside " + elsewhere + ", not ")
            << cp932ToUtf8(fieldText(world->map.provinces[site.province].name)) << " (" << nearest
            << " px from its outline)";
    }
}

TEST_P(BundledScenario, EveryCastleCanBeReachedFromEveryOther) {
    const WorldState& w = *world;
    std::vector<bool> seen(w.castleCount);
    std::vector<int> stack{0};
    seen[0] = true;
    while (!stack.empty()) {
        const CastleSite& site = w.castleSites[stack.back()];
        stack.pop_back();
        for (int r = 0; r < routeCount(site); ++r) {
            const int next = site.routes[r];
            ASSERT_TRUE(next >= 0 && next < w.castleCount);
            if (!seen[next]) seen[next] = true, stack.push_back(next);
        }
    }
    for (int c = 0; c < w.castleCount; ++c)
        EXPECT_TRUE(seen[c]) << utf8Name(w.castleSites[c].name) << " cannot be reached from "
                             << utf8Name(w.castleSites[0].name);
}

TEST_P(BundledScenario, NoGeneralTakesTheFieldAsAChild) {
    const WorldState& w = *world;
    for (int g = 0; g < w.scenarioGeneralCount; ++g) {
        const ScenarioGeneral& sg = w.scenarioGenerals[g];
        const int comes = sg.appearYear != 0 ? sg.appearYear : w.settings.startYear;
        EXPECT_LE(sg.birthYear, comes - kYoungestGeneral) << utf8Name(sg.name) << " comes in " << comes;
        EXPECT_GE(sg.lifeEnd, comes) << utf8Name(sg.name) << " would be ill before he comes";
        EXPECT_TRUE(sg.appearYear == 0 || sg.appearYear > w.settings.startYear) << utf8Name(sg.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Bundled, BundledScenario,
                         ::testing::Values(Expectation{"1560.snr", 45, 180, 450}, Expectation{"owari.snr", 5, 15, 40}),
                         [](const auto& info) {
                             return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
                         });

} // namespace
