// A small hand-made map and world for the window tests: four provinces in a square, an island, a
// lake, three houses with castles in three of the provinces (the fourth has none).
#pragma once

#include "support/world_builder.h"
#include "world/map_data.h"
#include "world/text_codec.h"

#include <utility>
#include <vector>

namespace vh::test {

// Adds one closed shape with the given corners (map pixels), one edge per side.
inline void addShape(MapData& m, const std::vector<std::pair<int, int>>& corners, int layer, int key,
                     bool shadow) {
    const int firstNode = static_cast<int>(m.nodes.size());
    for (auto [x, y] : corners)
        m.nodes.push_back({x * 200, y * 200});
    const int firstList = static_cast<int>(m.edgeLists.size());
    const int n = static_cast<int>(corners.size());
    for (int i = 0; i < n; ++i) {
        MapEdge e;
        e.from = static_cast<int16_t>(firstNode + i);
        e.to = static_cast<int16_t>(firstNode + (i + 1) % n);
        e.firstPoint = static_cast<int32_t>(m.points.size());
        m.points.push_back({-1, -1});
        m.edgeLists.push_back(static_cast<int32_t>(m.edges.size()));
        m.edges.push_back(e);
    }
    m.edgeLists.push_back(-1);
    MapShape s;
    s.firstEdge = static_cast<int16_t>(firstList);
    s.fill = static_cast<int16_t>(layer | (shadow ? 0x8000 : 0));
    s.key = static_cast<int16_t>(key);
    m.shapes.push_back(s);
}

inline void buildFixtureMap(MapData& m) {
    m = MapData{};
    const char* names[] = {"甲斐", "信濃", "駿河", "遠江"};
    Region r;
    setFieldText(r.name, utf8ToCp932("東海道"));
    m.regions.push_back(r);
    for (const char* n : names) {
        Province p;
        setFieldText(p.name, utf8ToCp932(n));
        m.provinces.push_back(p);
    }
    addShape(m, {{100, 60}, {280, 60}, {280, 220}, {100, 220}}, 0, 0, true);
    addShape(m, {{280, 60}, {460, 60}, {460, 220}, {280, 220}}, 1, 1, true);
    addShape(m, {{100, 220}, {280, 220}, {280, 380}, {100, 380}}, 2, 2, true);
    addShape(m, {{280, 220}, {460, 220}, {460, 380}, {280, 380}}, 3, 3, true);
    addShape(m, {{490, 300}, {530, 290}, {540, 340}, {500, 350}}, 2, 3, true);  // island of province 3
    addShape(m, {{340, 100}, {400, 110}, {390, 160}, {350, 150}}, 6, 1, false); // a lake in province 1
    m.palette[0] = 0x00204060;
}

// Houses 甲斐家 (0), 信濃家 (1), 駿河家 (2); castles in provinces 0, 1 and 2.
inline void buildFixtureWorld(WorldState& w) {
    buildFixtureMap(w.map);
    WorldBuilder b(w);
    const int kai = b.house("武田家", 3000);
    const int shinano = b.house("村上家", 1500);
    const int suruga = b.house("今川家", 2500);
    const int c0 = b.castle("躑躅ヶ崎館", kai, 0, 180, 130);
    const int c1 = b.castle("新府城", kai, 0, 230, 180);
    const int c2 = b.castle("葛尾城", shinano, 1, 320, 90);
    const int c3 = b.castle("駿府城", suruga, 2, 190, 300);
    const int c4 = b.castle("小山城", suruga, 2, 250, 350);
    b.route(c0, c1);
    b.route(c1, c2);
    b.route(c1, c3);
    b.route(c3, c4);
    const int yields[] = {120000, 60000, 90000, 150000, 45000};
    for (int c = 0; c < 5; ++c) {
        w.castles[c].yield = yields[c];
        w.castles[c].town = 10 * (c + 1);
        w.castles[c].mine = c;
    }
    w.castleSites[c4].hasPort = 1;
    b.general("武田信玄", kai, c0);
    b.general("山県昌景", kai, c0);
    b.general("村上義清", shinano, c2);
    b.general("今川義元", suruga, c3);
    b.general("岡部元信", suruga, c2, true); // standing before 葛尾城
    w.castles[c2].besiegedBy = static_cast<int16_t>(suruga);
    for (int p = 0; p < 4; ++p)
        w.viewAreas[p] =
            ProvinceViewArea{4, p % 2 ? 280 : 100, p < 2 ? 60 : 220, p % 2 ? 461 : 281, p < 2 ? 221 : 381};
    setFieldText(w.settings.title, utf8ToCp932("試験用シナリオ"));
    w.date = {1560, 5};
}

} // namespace vh::test
