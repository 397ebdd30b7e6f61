// The province raster's borders as a planar graph: nodes where three or more areas meet (or where
// a closed border starts), chains between them stored once, and each province piece's outline as a
// ring of chains. Two neighbours walk their common chain in opposite directions.
#pragma once

#include "label_grid.h"

#include <cstdint>
#include <vector>

namespace mapgen {

struct GridPoint {
    int32_t x = 0; // cell corner coordinates
    int32_t y = 0;
    bool operator==(const GridPoint&) const = default;
};

struct Chain {
    int from = 0, to = 0;          // node indices; equal for a closed loop
    std::vector<GridPoint> points; // from's corner first, to's corner last
    int left = kSea, right = kSea; // labels on either hand walking from -> to
};

struct ChainStep {
    int chain = 0;
    bool forward = true;
};

struct BoundaryRing {
    int label = kSea;
    std::vector<ChainStep> steps; // the label lies on the left hand throughout
    double area = 0;              // enclosed area in cells, positive for an outline, negative for a hole
};

struct PlanarMap {
    std::vector<GridPoint> nodes;
    std::vector<Chain> chains;
    std::vector<BoundaryRing> rings; // of land labels only
};

// Traces every border between different labels (sea included, and the frame edge as sea).
PlanarMap traceBoundaries(const LabelGrid& grid);

// Douglas-Peucker on each chain once (so shared borders stay shared), tolerance in cells. A loop
// keeps at least three corners, and of two chains joining the same nodes each keeps a bend, so no
// outline collapses to a line; where simplified borders would cross, corners come back.
void simplifyChains(PlanarMap& map, double tolerance);

// True when two chains (or two stretches of one) cross or touch anywhere but at their nodes.
bool bordersMeet(const PlanarMap& map);

// Turns chains so that every ring walks at least one of its chains forward, and starts each ring
// with such a chain: a reader that takes the first chain's `from` as the starting point then
// follows every ring correctly.
void orientChains(PlanarMap& map);

// The corners of a ring in walking order, the start node once at the front.
std::vector<GridPoint> ringPoints(const PlanarMap& map, const BoundaryRing& ring);

} // namespace mapgen
