// The binary map file: loading with its result codes, the body codec shared with saved games,
// shape outlines and the order in which shapes are filled.
#pragma once

#include "world/byte_io.h"
#include "world/map_data.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vh {

inline constexpr char kMapMagic[] = "VARDENHOLM MAP "; // 15 bytes compared
inline constexpr int kMapHeaderBytes = 32;

enum MapLoadResult : int {
    kMapOk = 0,
    kMapCannotOpen = 1,
    kMapBadContent = 2,
    kMapTooManyProvinces = 3,
};

// Loads a map file. On success `out` is replaced whole; on failure it is untouched.
int loadMap(const std::string& path, MapData& out);
// The same over a file image already in memory.
int parseMap(const uint8_t* data, size_t size, MapData& out);

// Reads the body (everything after the header). The palette is present for version >= 2.
// Counts and indices are checked against the data and the tables; returns a MapLoadResult.
int readMapBody(ByteCursor& in, int version, MapData& out);
// Steps over a body without decoding it: its counts are checked and its arrays must fit, but no
// index is. Gives the province count.
int skipMapBody(ByteCursor& in, int version, int& provinceCount);
// Writes the body, always with the palette.
void writeMap(const MapData& map, ByteSink& out);
// A whole map file: header "VARDENHOLM MAP 2.00" and the body.
std::vector<uint8_t> mapFileImage(const MapData& map);
bool writeMapFile(const std::string& path, const MapData& map);

// Version from the header's digit bytes 15, 17 and 18, or -1 when they are not digits.
int mapHeaderVersion(const uint8_t* header);

struct MapPoint {
    double x;
    double y;
};

struct ViewRect {
    double left = 0, top = 0, width = 560, height = 440; // in main-map pixels
};

// The polygon of one shape in pixels of a target of targetWidth x targetHeight showing `view`.
std::vector<MapPoint> shapeOutline(const MapData& map, int shape, const ViewRect& view, double targetWidth,
                                   double targetHeight);

// How one shape is filled when a layer is painted.
struct ShapeFill {
    enum Kind { Override, Palette, Fixed };
    int shape;
    Kind kind;
    int value; // palette colour (0x00BBGGRR) or fixed brush number; unused for Override
};

// Shapes with the given key in painting order: layer by layer from 0 up to the highest layer.
std::vector<ShapeFill> drawingOrder(const MapData& map, int key, bool withOverride);

// The text for a load failure of the start-up map, with `fileName` in place of "default.map".
std::string defaultMapMessage(int code, const std::string& fileName = "default.map");

} // namespace vh
