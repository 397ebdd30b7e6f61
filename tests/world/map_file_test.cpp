// Map file: header and version handling, province limit, refusal of inconsistent files,
// outline walking and the painting order.
#include "world/map_file.h"
#include "world/text_codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

namespace vh {
namespace {

// Two provinces sharing one border edge: a square split down the middle.
MapData twoProvinceMap() {
    MapData m;
    m.regions.resize(1);
    setFieldText(m.regions[0].name, utf8ToCp932("畿内"));
    m.provinces.resize(2);
    setFieldText(m.provinces[0].name, utf8ToCp932("山城"));
    setFieldText(m.provinces[1].name, utf8ToCp932("大和"));
    m.palette[0] = 0x00112233;
    // nodes: 0 top-middle, 1 bottom-middle
    m.nodes = {{100 * 200, 0}, {100 * 200, 100 * 200}};
    // edge 0: the shared border, straight; edge 1: left half; edge 2: right half
    m.points = {{-1, -1}, {0, 0}, {0, 100 * 200}, {-1, -1}, {200 * 200, 100 * 200}, {200 * 200, 0}, {-1, -1}};
    m.edges = {{1, 0, 0, {}}, {0, 1, 1, {}}, {1, 0, 4, {}}};
    // shape lists: left = [1, 0], right = [0, 2]
    m.edgeLists = {1, 0, -1, 0, 2, -1};
    m.shapes = {{0, static_cast<int16_t>(0x8000 | 1), 0}, {3, 1, 1}, {0, 20, 99}, {3, 6, 0}};
    return m;
}

std::vector<uint8_t> image(const MapData& m) { return mapFileImage(m); }

TEST(MapFile, WrittenFileLoadsBackIdentically) {
    MapData in = twoProvinceMap(), out;
    auto bytes = image(in);
    ASSERT_EQ(parseMap(bytes.data(), bytes.size(), out), kMapOk);
    EXPECT_EQ(out.version, 200);
    EXPECT_EQ(out.provinceCount(), 2);
    EXPECT_EQ(out.palette[0], 0x00112233);
    EXPECT_EQ(cp932ToUtf8(fieldText(out.provinces[1].name)), "大和");
    EXPECT_EQ(image(out), bytes);
}

TEST(MapFile, HeaderMagicAndVersion) {
    MapData m = twoProvinceMap(), out;
    auto bytes = image(m);
    for (int i = 0; i < 15; ++i) {
        auto bad = bytes;
        bad[i] ^= 0x20;
        EXPECT_EQ(parseMap(bad.data(), bad.size(), out), kMapBadContent) << "byte " << i;
    }
    auto trailing = bytes;
    trailing[25] = 'x'; // bytes after the version are not checked
    EXPECT_EQ(parseMap(trailing.data(), trailing.size(), out), kMapOk);

    // Version 0.01 has no palette: the counts follow the header at once.
    std::vector<uint8_t> old(bytes.begin(), bytes.begin() + 32);
    std::memcpy(old.data() + 15, "0.01", 4);
    old.insert(old.end(), bytes.begin() + 32 + 128, bytes.end());
    MapData o;
    ASSERT_EQ(parseMap(old.data(), old.size(), o), kMapOk);
    EXPECT_EQ(o.version, 1);
    EXPECT_EQ(o.palette[0], 0);
    EXPECT_EQ(o.provinceCount(), 2);
}

TEST(MapFile, ProvinceLimitIs499) {
    MapData m;
    m.regions.resize(1);
    m.provinces.resize(499);
    MapData out;
    auto ok = image(m);
    EXPECT_EQ(parseMap(ok.data(), ok.size(), out), kMapOk);
    EXPECT_EQ(out.provinceCount(), 499);
    m.provinces.resize(500);
    auto tooMany = image(m);
    EXPECT_EQ(parseMap(tooMany.data(), tooMany.size(), out), kMapTooManyProvinces);
    EXPECT_EQ(out.provinceCount(), 499) << "a refused file leaves the previous map";
}

TEST(MapFile, InconsistentFilesAreRefusedNotRead) {
    MapData good = twoProvinceMap(), out;
    auto expectBad = [&](MapData m, const char* what) {
        auto b = image(m);
        EXPECT_EQ(parseMap(b.data(), b.size(), out), kMapBadContent) << what;
    };
    { MapData m = good; m.edges[0].from = 2; expectBad(m, "node index"); }
    { MapData m = good; m.edges[1].firstPoint = 7; expectBad(m, "point index"); }
    { MapData m = good; m.points.back() = {5, 5}; expectBad(m, "unterminated point run"); }
    { MapData m = good; m.edgeLists[0] = 3; expectBad(m, "edge index"); }
    { MapData m = good; m.edgeLists.back() = 0; expectBad(m, "unterminated edge list"); }
    { MapData m = good; m.shapes[0].firstEdge = 6; expectBad(m, "shape's first edge"); }
    { MapData m = good; m.provinces[0].region = 1; expectBad(m, "region index"); }
    { MapData m = good; m.regions.resize(51); expectBad(m, "more regions than the rain table"); }

    auto bytes = image(good);
    for (size_t cut : {size_t(0), size_t(31), size_t(40), bytes.size() - 1}) {
        EXPECT_EQ(parseMap(bytes.data(), cut, out), kMapBadContent) << "cut at " << cut;
    }
    auto huge = bytes;
    huge[32 + 128 + 24 + 4] = 0xFF; // point count far beyond the file
    huge[32 + 128 + 24 + 7] = 0x7F;
    EXPECT_EQ(parseMap(huge.data(), huge.size(), out), kMapBadContent);
}

TEST(MapFile, LoadFromDiskReportsMissingFile) {
    MapData out;
    EXPECT_EQ(loadMap("/nonexistent/default.map", out), kMapCannotOpen);
    const std::string path = testing::TempDir() + "vh_map_test.map";
    ASSERT_TRUE(writeMapFile(path, twoProvinceMap()));
    EXPECT_EQ(loadMap(path, out), kMapOk);
    EXPECT_EQ(out.provinceCount(), 2);
    std::remove(path.c_str());
    EXPECT_EQ(defaultMapMessage(kMapTooManyProvinces), "デフォルトマップファイル(default.map)の国数が多すぎます");
    EXPECT_EQ(defaultMapMessage(kMapBadContent, "x.map"), "デフォルトマップファイル(x.map)が異常です");
}

TEST(MapFile, OutlineWalksEdgesForwardAndBackward) {
    MapData m = twoProvinceMap();
    ViewRect whole{0, 0, 200, 100};
    // Left shape: edge 1 forward from node 0 (top) round the left side, then edge 0 back up.
    auto left = shapeOutline(m, 0, whole, 400, 200);
    ASSERT_EQ(left.size(), 6u);
    EXPECT_DOUBLE_EQ(left[0].x, 200); // node 0 at pixel 100, scaled by 2
    EXPECT_DOUBLE_EQ(left[1].y, 0);
    EXPECT_DOUBLE_EQ(left[2].y, 200);
    EXPECT_DOUBLE_EQ(left[3].y, 200); // node 1
    EXPECT_DOUBLE_EQ(left[5].y, 0);   // back at node 0
    // Right shape: starts at edge 0's from node (bottom) and walks the border up.
    auto right = shapeOutline(m, 1, whole, 200, 100);
    ASSERT_EQ(right.size(), 6u);
    EXPECT_DOUBLE_EQ(right[0].y, 100);
    EXPECT_DOUBLE_EQ(right[1].y, 0);
    // edge 2 runs 1 -> 0 but we stand at node 0: walked backwards, its points reversed.
    EXPECT_DOUBLE_EQ(right[2].y, 0);
    EXPECT_DOUBLE_EQ(right[3].x, 200);
    EXPECT_DOUBLE_EQ(right[3].y, 0);
    EXPECT_DOUBLE_EQ(right[4].y, 100);
    // A view offset shifts and scales.
    auto zoomed = shapeOutline(m, 0, ViewRect{50, 0, 100, 50}, 200, 100);
    EXPECT_DOUBLE_EQ(zoomed[0].x, 100);
}

TEST(MapFile, DrawingOrderByLayerAndKey) {
    MapData m = twoProvinceMap();
    auto order = drawingOrder(m, 0, false);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].shape, 0); // layer 1 before layer 6
    EXPECT_EQ(order[0].kind, ShapeFill::Fixed);
    EXPECT_EQ(order[0].value, 1);
    EXPECT_EQ(order[1].shape, 3);
    auto over = drawingOrder(m, 0, true);
    EXPECT_EQ(over[0].kind, ShapeFill::Override);
    EXPECT_EQ(over[1].kind, ShapeFill::Fixed) << "layer 6 ignores the override";
    auto pal = drawingOrder(m, 99, false);
    ASSERT_EQ(pal.size(), 1u);
    EXPECT_EQ(pal[0].kind, ShapeFill::Palette);
    EXPECT_EQ(pal[0].value, 0x00112233);
    m.shapes[2].fill = 7;
    EXPECT_TRUE(drawingOrder(m, 99, false).empty()) << "layer 7 is not drawn without an override";
    EXPECT_EQ(drawingOrder(m, 99, true).size(), 1u);
}

} // namespace
} // namespace vh
