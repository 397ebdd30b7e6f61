// Fuzzes the map file loader: any byte string is refused or loaded, and a loaded map's
// outlines can all be walked.
#include "world/map_file.h"

#include <cstdint>
#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vh::MapData map;
    if (vh::parseMap(data, size, map) == vh::kMapOk) {
        for (int s = 0; s < static_cast<int>(map.shapes.size()); ++s)
            (void)vh::shapeOutline(map, s, vh::ViewRect{}, 560, 440);
        (void)vh::drawingOrder(map, 0, false);
    }
    return 0;
}
