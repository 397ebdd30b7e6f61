// A fine raster of the map frame in which every cell carries the province it belongs to (or sea),
// and the clean-up that leaves only shapes worth drawing: no lagoons, no specks, no enclaves.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mapgen {

inline constexpr int kSea = -1;

struct CellPoint {
    double x = 0; // in cell units
    double y = 0;
};

struct LabelGrid {
    int width = 0;
    int height = 0;
    int subdivision = 1; // cells per map pixel along each axis
    std::vector<int16_t> cells;

    LabelGrid() = default;
    LabelGrid(int w, int h, int sub) : width(w), height(h), subdivision(sub), cells(size_t(w) * h, kSea) {}
    // Outside the grid is sea.
    int at(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? kSea : cells[size_t(y) * width + x];
    }
    void set(int x, int y, int label) { cells[size_t(y) * width + x] = static_cast<int16_t>(label); }
};

// Calls fn(x, y) for every cell whose centre lies inside the polygon (even-odd over all rings, so
// holes stay empty). Two polygons sharing an edge never both claim a cell, and never leave a gap.
void scanPolygon(const std::vector<std::vector<CellPoint>>& rings, int width, int height,
                 const std::function<void(int, int)>& fn);

struct CleanupReport {
    int lagoonsFilled = 0;  // enclosed sea turned into the land around it
    int piecesMerged = 0;   // small or land-locked fragments given to their neighbour
    int isletsDropped = 0;  // islands too small to draw
    int enclavesMerged = 0; // land entirely inside another province
};

// Removes what the tracer should not see: sea not connected to the open sea or the frame edge,
// detached pieces of a province smaller than minCells or touching no sea, islands smaller than
// minCells, and any piece of land entirely surrounded by one other province.
CleanupReport cleanLabels(LabelGrid& grid, int minCells);

} // namespace mapgen
