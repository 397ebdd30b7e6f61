// Reading the prefecture boundaries: a TopoJSON topology with one GeometryCollection of
// Polygon/MultiPolygon geometries whose property "nam_ja" names the prefecture.
#pragma once

#include <string>
#include <vector>

namespace mapgen {

struct LonLat {
    double lon = 0;
    double lat = 0;
};

using Ring = std::vector<LonLat>;  // closed: the last point repeats the first
using Polygon = std::vector<Ring>; // outer ring first, then holes
struct Prefecture {
    std::string name; // e.g. "京都府"
    std::vector<Polygon> polygons;
};

// Decodes every geometry of the file's collection (the first object when `object` is empty).
bool readTopoJson(const std::string& path, std::vector<Prefecture>& out, std::string& error,
                  const std::string& object = {});

// Area of a ring in square degrees (absolute value).
double ringArea(const Ring& ring);

} // namespace mapgen
