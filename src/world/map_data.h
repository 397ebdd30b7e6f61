// The loaded map: provinces, regions and the outlines the map view fills.
#pragma once

#include "world/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

struct MapNode {
    int32_t x = 0; // 1/200 pixel
    int32_t y = 0;
};

struct MapEdge {
    int16_t from = 0;
    int16_t to = 0;
    int32_t firstPoint = 0;
    uint8_t trailer[2] = {}; // carried unchanged; our own tools write zero
};

struct MapShape {
    int16_t firstEdge = 0; // index into edgeLists
    int16_t fill = 0;      // low 15 bits: layer; bit 15: flag carried through
    int16_t key = 0;       // province index, or another key for non-province areas
    int layer() const { return fill & 0x7FFF; }
};

struct MapData {
    static constexpr int kPaletteSize = 32;
    static constexpr int kMaxRegions = 50; // the rain table holds 50 regions
    int32_t palette[kPaletteSize] = {};    // 0x00BBGGRR for layers 20..51
    int32_t extent[4] = {};
    int version = 200;
    std::vector<Region> regions;
    std::vector<Province> provinces;
    std::vector<MapNode> nodes;
    std::vector<MapNode> points;
    std::vector<MapEdge> edges;
    std::vector<int32_t> edgeLists;
    std::vector<MapShape> shapes;

    int regionCount() const { return static_cast<int>(regions.size()); }
    int provinceCount() const { return static_cast<int>(provinces.size()); }
};

} // namespace vh
