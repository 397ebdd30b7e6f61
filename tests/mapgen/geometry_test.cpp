// The map builder's geometry on small hand-made rasters: scan conversion partitions, border
// tracing with shared chains, the clean-up rules, simplification limits, and the map records
// built from them walking back to the same areas.
#include "boundary_graph.h"
#include "label_grid.h"
#include "map_builder.h"
#include "projection.h"

#include "world/map_file.h"
#include "world/text_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mapgen {
namespace {

// Rows of characters: '.' is sea, 'a'.. are labels 0...
LabelGrid gridOf(const std::vector<std::string>& rows) {
    LabelGrid g(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 1);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            g.set(x, y, rows[y][x] == '.' ? kSea : rows[y][x] - 'a');
    return g;
}

std::vector<std::string> rowsOf(const LabelGrid& g) {
    std::vector<std::string> rows(g.height, std::string(g.width, '.'));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.at(x, y) != kSea) rows[y][x] = static_cast<char>('a' + g.at(x, y));
    return rows;
}

Tables tablesFor(int provinces) {
    Tables t;
    t.regions.push_back({"畿内", 4});
    for (int p = 0; p < provinces; ++p)
        t.provinces.push_back({std::string(1, char('A' + p)), 0, false, {}});
    return t;
}

double shoelace(const std::vector<vh::MapPoint>& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i)
        a += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    return std::fabs(a) / 2;
}

TEST(MapgenScan, NeighbouringPolygonsClaimEveryCellOnce) {
    LabelGrid g(20, 12, 1);
    // Two polygons sharing a slanted edge, and a frame with a hole.
    const std::vector<CellPoint> left = {{1.3, 1.2}, {9.7, 1.2}, {6.2, 10.9}, {1.3, 10.9}};
    const std::vector<CellPoint> right = {{9.7, 1.2}, {18.4, 1.2}, {18.4, 10.9}, {6.2, 10.9}};
    int claimed = 0, twice = 0;
    for (const auto* poly : {&left, &right})
        scanPolygon({*poly}, g.width, g.height, [&](int x, int y) {
            ++claimed;
            if (g.at(x, y) != kSea) ++twice;
            g.set(x, y, poly == &left ? 0 : 1);
        });
    EXPECT_EQ(twice, 0);
    // Cells whose centres lie in the union (x 1.3..18.4, y 1.2..10.9): columns 1..17, rows 1..10.
    EXPECT_EQ(claimed, 17 * 10);

    int holeCells = 0;
    scanPolygon({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}}, 20, 20,
                [&](int x, int y) { holeCells += (x >= 3 && x < 7 && y >= 3 && y < 7); });
    EXPECT_EQ(holeCells, 0);
}

TEST(MapgenTrace, SharedBorderIsOneChainWalkedBothWays) {
    // clang-format off
    const LabelGrid g = gridOf({"......",
                                ".aabb.",
                                ".aabb.",
                                ".aacc.",
                                "......"});
    // clang-format on
    PlanarMap pm = traceBoundaries(g);
    ASSERT_EQ(pm.rings.size(), 3u);
    for (const BoundaryRing& r : pm.rings)
        EXPECT_GT(r.area, 0);
    // a-b, a-c and b-c borders: each in exactly two rings, once forward and once backward.
    std::vector<int> forward(pm.chains.size(), 0), backward(pm.chains.size(), 0);
    for (const BoundaryRing& r : pm.rings)
        for (const ChainStep& s : r.steps)
            ++(s.forward ? forward : backward)[s.chain];
    int shared = 0;
    for (size_t c = 0; c < pm.chains.size(); ++c) {
        const bool inner = pm.chains[c].left != kSea && pm.chains[c].right != kSea;
        EXPECT_EQ(forward[c] + backward[c], inner ? 2 : 1);
        if (inner) {
            EXPECT_EQ(forward[c], 1);
        }
        shared += inner;
    }
    EXPECT_EQ(shared, 3);
    EXPECT_EQ(pm.nodes.size(), 4u); // where three of a, b, c and the sea meet
}

TEST(MapgenTrace, CornerTouchingPiecesStayApartAndAreasSurviveTheFile) {
    // clang-format off
    const LabelGrid g = gridOf({".....",
                                ".a...",
                                "..a..",
                                ".bba.",
                                "....."});
    // clang-format on
    PlanarMap pm = traceBoundaries(g);
    orientChains(pm);
    const vh::MapData m = [&] {
        BuildReport report;
        return assembleMap(pm, tablesFor(2), 1, report);
    }();
    std::vector<uint8_t> image = vh::mapFileImage(m);
    vh::MapData back;
    ASSERT_EQ(vh::parseMap(image.data(), image.size(), back), vh::kMapOk);
    // Three single cells of a (touching only at corners) and the two cells of b; plus the frame.
    std::vector<double> areas[2];
    for (int s = 0; s < static_cast<int>(back.shapes.size()); ++s) {
        if (back.shapes[s].key < 0) continue;
        areas[back.shapes[s].key].push_back(shoelace(vh::shapeOutline(back, s, {0, 0, 1, 1}, 1, 1)));
    }
    ASSERT_EQ(areas[0].size(), 3u);
    for (double a : areas[0])
        EXPECT_NEAR(a, 1, 1e-9);
    ASSERT_EQ(areas[1].size(), 1u);
    EXPECT_NEAR(areas[1][0], 2, 1e-9);
}

TEST(MapgenTrace, EveryRingStartsWithAChainItWalksForward) {
    // c is land-locked inside the others' ring of borders, so none of its chains touches the sea.
    // clang-format off
    const LabelGrid g = gridOf({".......",
                                ".aaabb.",
                                ".acccb.",
                                ".acccb.",
                                ".dddbb.",
                                "......."});
    // clang-format on
    PlanarMap pm = traceBoundaries(g);
    orientChains(pm);
    for (const BoundaryRing& r : pm.rings) {
        ASSERT_FALSE(r.steps.empty());
        EXPECT_TRUE(r.steps[0].forward);
        // Consecutive chains meet.
        int at = r.steps[0].forward ? pm.chains[r.steps[0].chain].from : pm.chains[r.steps[0].chain].to;
        const int start = at;
        for (const ChainStep& s : r.steps) {
            const Chain& c = pm.chains[s.chain];
            ASSERT_EQ(s.forward ? c.from : c.to, at);
            at = s.forward ? c.to : c.from;
        }
        EXPECT_EQ(at, start);
    }
    // The inner province still walks its shared borders opposite to its neighbours.
    for (size_t c = 0; c < pm.chains.size(); ++c) {
        int f = 0, b = 0;
        for (const BoundaryRing& r : pm.rings)
            for (const ChainStep& s : r.steps)
                if (s.chain == static_cast<int>(c)) ++(s.forward ? f : b);
        EXPECT_LE(f, 1);
        EXPECT_LE(b, 1);
    }
}

TEST(MapgenSimplify, LoopsKeepATriangleAndTwinChainsKeepABend) {
    LabelGrid g(40, 40, 1);
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            g.set(x, y, (x - 20) * (x - 20) + (y - 20) * (y - 20) < 64 ? 0 : kSea);
    PlanarMap loop = traceBoundaries(g);
    ASSERT_EQ(loop.chains.size(), 1u);
    simplifyChains(loop, 100);                   // a tolerance larger than the island
    EXPECT_GE(loop.chains[0].points.size(), 4u); // node, two corners, node again

    // Two provinces whose common border and outer coasts both run between the same two nodes.
    // clang-format off
    const LabelGrid twins = gridOf({"......",
                                    ".aaaa.",
                                    ".bbbb.",
                                    "......"});
    // clang-format on
    PlanarMap pm = traceBoundaries(twins);
    simplifyChains(pm, 100);
    orientChains(pm);
    for (const Chain& c : pm.chains)
        EXPECT_GE(c.points.size(), 3u);
    for (const BoundaryRing& r : pm.rings) {
        const auto pts = ringPoints(pm, r);
        double a = 0;
        for (size_t k = 0; k < pts.size(); ++k)
            a += double(pts[k].x) * pts[(k + 1) % pts.size()].y -
                 double(pts[(k + 1) % pts.size()].x) * pts[k].y;
        EXPECT_NE(a, 0) << "an outline collapsed";
    }
}

TEST(MapgenSimplify, ShortcutsAcrossABayDoNotCutItsIsland) {
    // Simplified on its own, the coast of the bay would shrink to a triangle whose long side runs
    // straight through the island.
    // clang-format off
    const LabelGrid g = gridOf({"..........",
                                ".aaaaaaaa.",
                                ".a........",
                                ".a..bb....",
                                ".a..bb....",
                                ".a........",
                                ".aaaaaaaa.",
                                ".........."});
    // clang-format on
    PlanarMap pm = traceBoundaries(g);
    ASSERT_FALSE(bordersMeet(pm));
    simplifyChains(pm, 100);
    EXPECT_FALSE(bordersMeet(pm));
    size_t corners = 0;
    for (const Chain& c : pm.chains)
        corners += c.points.size();
    EXPECT_LT(corners, 40u); // still simplified, not restored whole
}

TEST(MapgenCleanup, LagoonsSpecksFragmentsAndEnclaves) {
    // clang-format off
    LabelGrid g = gridOf({"..............",
                          ".aaaaa...bbbb.",
                          ".a.aaa...bbbb.",
                          ".aaaaa...bbcb.",
                          ".aaaaa...bbbb.",
                          "..........b...",
                          "....a.........",
                          ".............."});
    // clang-format on
    const CleanupReport r = cleanLabels(g, 2);
    // clang-format off
    EXPECT_EQ(rowsOf(g), (std::vector<std::string>{"..............",
                                                   ".aaaaa...bbbb.",
                                                   ".aaaaa...bbbb.",
                                                   ".aaaaa...bbbb.",
                                                   ".aaaaa...bbbb.",
                                                   "..........b...",
                                                   "..............",
                                                   ".............."}));
    // clang-format on
    EXPECT_EQ(r.lagoonsFilled, 1);
    EXPECT_EQ(r.enclavesMerged, 1);
    EXPECT_EQ(r.isletsDropped, 1);
}

TEST(MapgenProjection, PlacesLandWhereTheyBelong) {
    const PixelPoint kyoto = project(135.768, 35.011), edo = project(139.76, 35.685),
                     hakata = project(130.41, 33.59);
    for (const PixelPoint& p : {kyoto, edo, hakata}) {
        EXPECT_GT(p.x, 0);
        EXPECT_LT(p.x, kFrameWidth);
        EXPECT_GT(p.y, 0);
        EXPECT_LT(p.y, kFrameHeight);
    }
    EXPECT_LT(hakata.x, kyoto.x);
    EXPECT_LT(kyoto.x, edo.x);
    EXPECT_GT(edo.y, kyoto.y);                  // turned 15 degrees: due east sinks
    EXPECT_LT(project(140.74, 40.82).y, edo.y); // Aomori
    // Shuri goes into the inset box, and the inset box stays clear of the main map's land.
    const InsetBox box = ryukyuInsetBox();
    const PixelPoint shuri = project(127.72, 26.22);
    EXPECT_TRUE(inRyukyuInset(127.72, 26.22));
    EXPECT_GT(shuri.x, box.left);
    EXPECT_LT(shuri.x, box.right);
    EXPECT_GT(shuri.y, box.top);
    EXPECT_LT(shuri.y, box.bottom);
    const PixelPoint tsushima = project(129.3, 34.4), oki = project(133.3, 36.2);
    for (const PixelPoint& p : {tsushima, oki})
        EXPECT_TRUE(p.x > box.right || p.y > box.bottom);
}

TEST(MapgenKuniArea, OneLinePerProvinceInsideTheFrame) {
    LabelGrid g(560 * 2, 440 * 2, 2);
    for (int y = 200; y < 260; ++y)
        for (int x = 300; x < 340; ++x)
            g.set(x, y, x < 320 ? 0 : 1);
    PlanarMap pm = traceBoundaries(g);
    orientChains(pm);
    BuildReport report;
    const vh::MapData m = assembleMap(pm, tablesFor(2), 2, report);
    const std::string text = kuniAreaSection(m);
    // Province A spans pixels 150..160 x 100..130: a margin of 4 + 3 around it and a zoom that
    // fits the 560 x 440 view.
    EXPECT_EQ(text, "KuniArea {\nA, 9, 143, 93, 167, 137\nB, 9, 153, 93, 177, 137\n}\n");
}

} // namespace
} // namespace mapgen
