// The committed default map: it loads, every province is drawn, borders are shared edges walked
// once each way, outlines close, names survive CP932, and each province sits where its best-known
// town is.
#include "projection.h"
#include "tables.h"

#include "world/byte_io.h"
#include "world/map_file.h"
#include "world/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace {

const std::string kMapPath = std::string(VH_SOURCE_DIR) + "/data/default.map";

class DefaultMap : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        loadCode_ = vh::loadMap(kMapPath, map_);
        std::string error;
        tablesOk_ = mapgen::loadTables(mapgen::defaultTablesDir(), tables_, error);
    }
    void SetUp() override {
        ASSERT_EQ(loadCode_, vh::kMapOk);
        ASSERT_TRUE(tablesOk_);
    }
    // Run of intermediate points of an edge, up to its end mark.
    static std::vector<vh::MapNode> run(const vh::MapEdge& e) {
        std::vector<vh::MapNode> pts;
        for (int p = e.firstPoint; !(map_.points[p].x == -1 && map_.points[p].y == -1); ++p)
            pts.push_back(map_.points[p]);
        return pts;
    }
    static inline vh::MapData map_;
    static inline int loadCode_ = -1;
    static inline mapgen::Tables tables_;
    static inline bool tablesOk_ = false;
};

bool insidePolygon(const std::vector<vh::MapPoint>& poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        if ((poly[i].y > y) != (poly[j].y > y) &&
            x < poly[j].x + (y - poly[j].y) / (poly[i].y - poly[j].y) * (poly[i].x - poly[j].x))
            in = !in;
    return in;
}

double distanceToOutline(const std::vector<vh::MapPoint>& poly, double x, double y) {
    double best = 1e300;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double dx = poly[i].x - poly[j].x, dy = poly[i].y - poly[j].y, len2 = dx * dx + dy * dy;
        const double t =
            len2 == 0 ? 0 : std::clamp(((x - poly[j].x) * dx + (y - poly[j].y) * dy) / len2, 0.0, 1.0);
        best = std::min(best, std::hypot(x - poly[j].x - t * dx, y - poly[j].y - t * dy));
    }
    return best;
}

TEST_F(DefaultMap, ProvincesAndRegionsMatchTheTablesThroughCp932) {
    EXPECT_LT(std::filesystem::file_size(kMapPath), 300u * 1024);
    EXPECT_EQ(map_.version, 200);
    ASSERT_EQ(map_.provinceCount(), static_cast<int>(tables_.provinces.size()));
    ASSERT_EQ(map_.regionCount(), static_cast<int>(tables_.regions.size()));
    EXPECT_EQ(map_.provinceCount(), 70);  // 66 provinces, 2 islands, 蝦夷, 琉球
    EXPECT_LT(map_.provinceCount(), 128); // castles keep the province in a signed byte
    for (int p = 0; p < map_.provinceCount(); ++p) {
        const std::string stored(vh::fieldText(map_.provinces[p].name));
        EXPECT_EQ(vh::cp932ToUtf8(stored), tables_.provinces[p].name);
        EXPECT_EQ(vh::utf8ToCp932(vh::cp932ToUtf8(stored)), stored);
        EXPECT_EQ(stored.find('?'), std::string::npos) << tables_.provinces[p].name;
        EXPECT_EQ(map_.provinces[p].region, tables_.provinces[p].region);
    }
    for (int r = 0; r < map_.regionCount(); ++r)
        EXPECT_EQ(vh::cp932ToUtf8(vh::fieldText(map_.regions[r].name)), tables_.regions[r].name);
    const std::set<std::string> regions = {"畿内",   "東海道", "東山道", "北陸道", "山陰道",
                                           "山陽道", "南海道", "西海道", "蝦夷",   "琉球"};
    for (const auto& r : tables_.regions)
        EXPECT_TRUE(regions.count(r.name)) << r.name;
}

TEST_F(DefaultMap, EveryProvinceHasLandShapesWithTheShadowFlag) {
    std::vector<int> land(map_.provinceCount(), 0);
    for (const vh::MapShape& s : map_.shapes) {
        if (s.key < 0) continue; // the inset frame belongs to no province
        ASSERT_LT(s.key, map_.provinceCount());
        if (s.layer() == 6) continue;
        EXPECT_LT(s.layer(), 6) << "province land must lie under the lakes";
        EXPECT_TRUE(static_cast<uint16_t>(s.fill) & 0x8000);
        ++land[s.key];
    }
    for (int p = 0; p < map_.provinceCount(); ++p)
        EXPECT_GE(land[p], 1) << tables_.provinces[p].name;
}

TEST_F(DefaultMap, EdgeRunsEndWithTheMarkAndStayInTheFrame) {
    for (const vh::MapEdge& e : map_.edges) {
        int p = e.firstPoint;
        while (p < static_cast<int>(map_.points.size()) &&
               !(map_.points[p].x == -1 && map_.points[p].y == -1)) {
            EXPECT_GE(map_.points[p].x, 0);
            EXPECT_LE(map_.points[p].x, 560 * 200);
            EXPECT_GE(map_.points[p].y, 0);
            EXPECT_LE(map_.points[p].y, 440 * 200);
            ++p;
        }
        ASSERT_LT(p, static_cast<int>(map_.points.size())) << "run without its (-1, -1)";
    }
    EXPECT_TRUE(map_.points.back().x == -1 && map_.points.back().y == -1);
    for (const vh::MapNode& n : map_.nodes) {
        EXPECT_TRUE(n.x >= 0 && n.x <= 560 * 200 && n.y >= 0 && n.y <= 440 * 200);
    }
}

TEST_F(DefaultMap, SharedBordersAreOneEdgeWalkedOnceEachWay) {
    // No two edges join the same nodes along the same points (either way round).
    std::map<std::pair<int, int>, std::vector<int>> byNodes;
    for (int e = 0; e < static_cast<int>(map_.edges.size()); ++e)
        byNodes[std::minmax<int>(map_.edges[e].from, map_.edges[e].to)].push_back(e);
    for (const auto& [nodes, list] : byNodes)
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size(); ++j) {
                const vh::MapEdge &a = map_.edges[list[i]], &b = map_.edges[list[j]];
                auto ra = run(a), rb = run(b);
                if (a.from != b.from) std::reverse(rb.begin(), rb.end());
                const bool same = ra.size() == rb.size() &&
                                  std::equal(ra.begin(), ra.end(), rb.begin(),
                                             [](auto& p, auto& q) { return p.x == q.x && p.y == q.y; });
                EXPECT_FALSE(same) << "edges " << list[i] << " and " << list[j] << " duplicate a border";
            }
    // Walk every outline as the map view does; each edge is used by at most two province shapes,
    // in opposite directions when two.
    std::vector<std::vector<std::pair<int, bool>>> users(map_.edges.size());
    int sharedEdges = 0;
    for (int s = 0; s < static_cast<int>(map_.shapes.size()); ++s) {
        int list = map_.shapes[s].firstEdge;
        const int start = map_.edges[map_.edgeLists[list]].from;
        int current = start;
        for (; map_.edgeLists[list] != -1; ++list) {
            const vh::MapEdge& e = map_.edges[map_.edgeLists[list]];
            ASSERT_TRUE(e.from == current || e.to == current)
                << "shape " << s << " breaks at list entry " << list;
            const bool forward = e.from == current;
            current = forward ? e.to : e.from;
            if (map_.shapes[s].key >= 0 && map_.shapes[s].layer() != 6)
                users[map_.edgeLists[list]].push_back({s, forward});
        }
        EXPECT_EQ(current, start) << "shape " << s << " does not close";
    }
    for (size_t e = 0; e < users.size(); ++e) {
        ASSERT_LE(users[e].size(), 2u) << "edge " << e;
        if (users[e].size() == 2) {
            ++sharedEdges;
            EXPECT_NE(users[e][0].first, users[e][1].first);
            if (map_.edges[e].from != map_.edges[e].to) {
                EXPECT_NE(users[e][0].second, users[e][1].second) << "edge " << e;
            }
        }
    }
    EXPECT_GT(sharedEdges, 100); // the land borders between provinces
}

TEST_F(DefaultMap, EachProvinceHoldsItsBestKnownTown) {
    // The first seed of each province is its best-known town; at this scale a town may sit on a
    // simplified coast, so a pixel and a half of slack.
    for (int p = 0; p < map_.provinceCount(); ++p) {
        const auto seed = std::find_if(tables_.seeds.begin(), tables_.seeds.end(),
                                       [&](const mapgen::Seed& s) { return s.province == p; });
        ASSERT_NE(seed, tables_.seeds.end());
        const mapgen::PixelPoint at = mapgen::project(seed->lon, seed->lat);
        bool inside = false;
        double nearest = 1e300;
        for (int s = 0; s < static_cast<int>(map_.shapes.size()); ++s) {
            if (map_.shapes[s].key != p || map_.shapes[s].layer() == 6) continue;
            const auto outline = vh::shapeOutline(map_, s, vh::ViewRect{}, 560, 440);
            inside = inside || insidePolygon(outline, at.x, at.y);
            nearest = std::min(nearest, distanceToOutline(outline, at.x, at.y));
        }
        EXPECT_TRUE(inside || nearest < 1.5)
            << tables_.provinces[p].name << " " << seed->town << " at " << at.x << "," << at.y;
    }
}

TEST_F(DefaultMap, LakesLieInsideTheirProvinceOverItsLand) {
    int lakes = 0, biwa = 0;
    const int omi = tables_.provinceIndex("近江");
    for (int s = 0; s < static_cast<int>(map_.shapes.size()); ++s) {
        if (map_.shapes[s].layer() != 6) continue;
        ++lakes;
        const int province = map_.shapes[s].key;
        ASSERT_GE(province, 0);
        biwa += province == omi;
        EXPECT_FALSE(static_cast<uint16_t>(map_.shapes[s].fill) & 0x8000) << "lakes cast no coast shadow";
        const auto lake = vh::shapeOutline(map_, s, vh::ViewRect{}, 560, 440);
        ASSERT_GE(lake.size(), 4u);
        for (const vh::MapPoint& q : lake) {
            bool inLand = false;
            for (int t = 0; t < static_cast<int>(map_.shapes.size()); ++t)
                if (map_.shapes[t].key == province && map_.shapes[t].layer() < 6)
                    inLand = inLand ||
                             insidePolygon(vh::shapeOutline(map_, t, vh::ViewRect{}, 560, 440), q.x, q.y);
            EXPECT_TRUE(inLand) << tables_.provinces[province].name << " lake point " << q.x << "," << q.y;
        }
        // Painted after the land: the lake comes later in the painting order of its key.
        const auto order = vh::drawingOrder(map_, province, false);
        ASSERT_FALSE(order.empty());
        EXPECT_EQ(map_.shapes[order.back().shape].layer(), 6);
    }
    EXPECT_EQ(biwa, 1);
    EXPECT_EQ(lakes, static_cast<int>(tables_.lakes.size()));
}

} // namespace

namespace {

struct Segment {
    vh::MapNode a, b;
    int edge;
};

// Two segments meet anywhere but at one shared end point.
bool segmentsMeet(const Segment& s, const Segment& t) {
    auto same = [](const vh::MapNode& p, const vh::MapNode& q) { return p.x == q.x && p.y == q.y; };
    auto orient = [](const vh::MapNode& p, const vh::MapNode& q, const vh::MapNode& r) {
        const int64_t v = int64_t(q.x - p.x) * (r.y - p.y) - int64_t(q.y - p.y) * (r.x - p.x);
        return (v > 0) - (v < 0);
    };
    const int shared = same(s.a, t.a) + same(s.a, t.b) + same(s.b, t.a) + same(s.b, t.b);
    if (shared >= 2) return true;
    if (shared == 1) { // only a fold back along each other counts
        const vh::MapNode& p = same(s.a, t.a) || same(s.a, t.b) ? s.a : s.b;
        const vh::MapNode& q = same(p, s.a) ? s.b : s.a;
        const vh::MapNode& r = same(p, t.a) ? t.b : t.a;
        return orient(p, q, r) == 0 &&
               int64_t(q.x - p.x) * (r.x - p.x) + int64_t(q.y - p.y) * (r.y - p.y) > 0;
    }
    auto onSegment = [](const vh::MapNode& p, const vh::MapNode& q, const vh::MapNode& r) {
        return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
               r.y <= std::max(p.y, q.y);
    };
    const int o1 = orient(s.a, s.b, t.a), o2 = orient(s.a, s.b, t.b), o3 = orient(t.a, t.b, s.a),
              o4 = orient(t.a, t.b, s.b);
    if (o1 != o2 && o3 != o4) return true;
    return (o1 == 0 && onSegment(s.a, s.b, t.a)) || (o2 == 0 && onSegment(s.a, s.b, t.b)) ||
           (o3 == 0 && onSegment(t.a, t.b, s.a)) || (o4 == 0 && onSegment(t.a, t.b, s.b));
}

TEST_F(DefaultMap, BordersNeverCrossEachOther) {
    // Simplifying each border on its own must not make two of them cross: a crossing would leave
    // a sliver claimed by two provinces or by none.
    std::vector<Segment> segs;
    for (int e = 0; e < static_cast<int>(map_.edges.size()); ++e) {
        const vh::MapEdge& edge = map_.edges[e];
        bool lake = false;
        for (const vh::MapShape& s : map_.shapes)
            if (s.layer() >= 6 && map_.edgeLists[s.firstEdge] == e) lake = true;
        if (lake) continue; // lakes and the inset frame lie over the land on purpose
        std::vector<vh::MapNode> pts{map_.nodes[edge.from]};
        const auto mid = run(edge);
        pts.insert(pts.end(), mid.begin(), mid.end());
        pts.push_back(map_.nodes[edge.to]);
        for (size_t k = 0; k + 1 < pts.size(); ++k)
            segs.push_back({pts[k], pts[k + 1], e});
    }
    std::sort(segs.begin(), segs.end(), [](const Segment& s, const Segment& t) {
        return std::min(s.a.x, s.b.x) < std::min(t.a.x, t.b.x);
    });
    int crossings = 0;
    for (size_t i = 0; i < segs.size(); ++i) {
        const int right = std::max(segs[i].a.x, segs[i].b.x);
        for (size_t j = i + 1; j < segs.size() && std::min(segs[j].a.x, segs[j].b.x) <= right; ++j)
            if (segmentsMeet(segs[i], segs[j])) {
                ++crossings;
                ADD_FAILURE() << "edges " << segs[i].edge << " and " << segs[j].edge << " cross near "
                              << segs[i].a.x / 200.0 << "," << segs[i].a.y / 200.0;
                if (crossings > 10) return;
            }
    }
}

} // namespace
