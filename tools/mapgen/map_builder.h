// From prefecture boundaries and the committed tables to a map file: the province raster, its
// traced borders, and the map records the game reads.
#pragma once

#include "boundary_graph.h"
#include "label_grid.h"
#include "tables.h"
#include "topojson.h"

#include "world/map_data.h"

#include <string>
#include <vector>

namespace mapgen {

inline constexpr int kCellsPerPixel = 8;       // raster resolution
inline constexpr double kSimplifyPixels = 0.3; // Douglas-Peucker tolerance
inline constexpr int kSmallestPieceCells = 64; // islands and fragments below this are not drawn
inline constexpr int kLakeLayer = 6;           // drawn over the land layers 0-5
inline constexpr int kShadowFlag = 0x8000;
// The frame around the Ryukyu inset: a thin band in palette entry 0, over everything else, keyed
// to no province so clicks pass through it.
inline constexpr int kInsetFrameLayer = 20;
inline constexpr int32_t kInsetFrameColour = 0x00C8E4EE; // 0x00BBGGRR: parchment
inline constexpr double kInsetFrameWidth = 1.2;          // pixels
inline constexpr int kInsetFrameKey = -1;

struct BuildReport {
    std::vector<std::string> warnings;
    CleanupReport cleanup;
    int overlappingCells = 0; // claimed by two prefectures (kept by the first)
    int polygonsOutside = 0;  // islands outside the frame (Ogasawara, Daito ...)
};

// Province of every cell of the frame: prefectures filled, several-province prefectures split by
// nearest seed (islands whole, by their centre), the Ryukyu islands in their inset.
LabelGrid rasterizeProvinces(const std::vector<Prefecture>& prefectures, const Tables& tables,
                             BuildReport& report);

// The map records from traced borders: regions and provinces from the tables, one shape per
// outline ring (in its region's land layer, shadow flag set), the lakes, and the inset frame.
vh::MapData assembleMap(const PlanarMap& borders, const Tables& tables, int cellsPerPixel,
                        BuildReport& report);

// The whole pipeline on a TopoJSON file.
bool buildMap(const std::string& topojsonPath, const Tables& tables, vh::MapData& out, BuildReport& report,
              std::string& error);

// A scenario's KuniArea section (UTF-8): per province a zoom and the rectangle of its shapes with
// a margin, clamped to the frame. Islands count when they are at least kKuniAreaIslandArea square
// pixels and within kKuniAreaIslandReach pixels of the province's biggest piece.
inline constexpr double kKuniAreaIslandArea = 4;
inline constexpr double kKuniAreaIslandReach = 40;
inline constexpr int kKuniAreaMaxZoom = 16;
std::string kuniAreaSection(const vh::MapData& map);
// The same, in the scenario files' code page.
bool writeKuniArea(const vh::MapData& map, const std::string& path);

} // namespace mapgen
