// A picture of any map file for people to check: every shape filled the way the map view fills
// it, drawn through the game's own outline walker, with the province names at their centres.
#pragma once

#include "world/map_data.h"
#include "world/map_file.h"

#include <string>

namespace mapgen {

// SVG of the part `view` of the map (main-map pixels), `scale` output pixels per map pixel.
std::string previewSvg(const vh::MapData& map, const vh::ViewRect& view, double scale);
bool writePreviewSvg(const vh::MapData& map, const std::string& path, const vh::ViewRect& view = {},
                     double scale = 2);

// A point well inside a province's biggest shape, for its label; false when it has no shape.
bool provinceLabelPoint(const vh::MapData& map, int province, vh::MapPoint& out);

} // namespace mapgen
