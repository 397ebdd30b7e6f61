// Polygon scan conversion and the clean-up of the province raster.
#include "label_grid.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace mapgen {

void scanPolygon(const std::vector<std::vector<CellPoint>>& rings, int width, int height,
                 const std::function<void(int, int)>& fn) {
    struct Edge {
        double x0, y0, x1, y1;
    };
    std::vector<Edge> edges;
    double ymin = 1e300, ymax = -1e300;
    for (const auto& ring : rings)
        for (size_t i = 0; i < ring.size(); ++i) {
            const CellPoint& a = ring[i];
            const CellPoint& b = ring[(i + 1) % ring.size()];
            if (a.y == b.y) continue; // never crosses a row centre in the half-open test
            edges.push_back({a.x, a.y, b.x, b.y});
            ymin = std::min({ymin, a.y, b.y});
            ymax = std::max({ymax, a.y, b.y});
        }
    if (edges.empty()) return;
    const int rowFirst = std::max(0, static_cast<int>(std::floor(ymin - 0.5)));
    const int rowLast = std::min(height - 1, static_cast<int>(std::ceil(ymax)));
    std::vector<double> xs;
    for (int row = rowFirst; row <= rowLast; ++row) {
        const double yc = row + 0.5;
        xs.clear();
        for (const Edge& e : edges)
            if ((e.y0 > yc) != (e.y1 > yc)) xs.push_back(e.x0 + (yc - e.y0) / (e.y1 - e.y0) * (e.x1 - e.x0));
        std::sort(xs.begin(), xs.end());
        // A centre xc is inside when it lies in [xs[2j], xs[2j+1]).
        for (size_t j = 0; j + 1 < xs.size(); j += 2) {
            const int first = std::max(0, static_cast<int>(std::ceil(xs[j] - 0.5)));
            const int last = std::min(width - 1, static_cast<int>(std::ceil(xs[j + 1] - 0.5)) - 1);
            for (int x = first; x <= last; ++x)
                fn(x, row);
        }
    }
}

namespace {

struct Component {
    int label = kSea;
    int size = 0;
    bool touchesFrame = false;
    std::map<int, int> neighbourLabels; // label -> shared cell sides
    std::map<int, int> neighbourParts;  // component -> shared cell sides
};

// 4-connected components of equal labels.
std::vector<Component> components(const LabelGrid& g, std::vector<int32_t>& id) {
    id.assign(g.cells.size(), -1);
    std::vector<Component> parts;
    std::vector<int32_t> stack;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const size_t start = size_t(y) * g.width + x;
            if (id[start] >= 0) continue;
            const int c = static_cast<int>(parts.size());
            Component part;
            part.label = g.cells[start];
            id[start] = c;
            stack.push_back(static_cast<int32_t>(start));
            while (!stack.empty()) {
                const int32_t i = stack.back();
                stack.pop_back();
                ++part.size;
                const int cx = i % g.width, cy = i / g.width;
                if (cx == 0 || cy == 0 || cx == g.width - 1 || cy == g.height - 1) part.touchesFrame = true;
                const int nx[4] = {cx - 1, cx + 1, cx, cx};
                const int ny[4] = {cy, cy, cy - 1, cy + 1};
                for (int k = 0; k < 4; ++k) {
                    if (nx[k] < 0 || ny[k] < 0 || nx[k] >= g.width || ny[k] >= g.height) continue;
                    const size_t j = size_t(ny[k]) * g.width + nx[k];
                    if (id[j] < 0 && g.cells[j] == part.label) {
                        id[j] = c;
                        stack.push_back(static_cast<int32_t>(j));
                    }
                }
            }
            parts.push_back(std::move(part));
        }
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const size_t i = size_t(y) * g.width + x;
            const size_t right = i + 1, down = i + g.width;
            if (x + 1 < g.width && id[right] != id[i]) {
                ++parts[id[i]].neighbourLabels[g.cells[right]],
                    ++parts[id[right]].neighbourLabels[g.cells[i]];
                ++parts[id[i]].neighbourParts[id[right]], ++parts[id[right]].neighbourParts[id[i]];
            }
            if (y + 1 < g.height && id[down] != id[i]) {
                ++parts[id[i]].neighbourLabels[g.cells[down]], ++parts[id[down]].neighbourLabels[g.cells[i]];
                ++parts[id[i]].neighbourParts[id[down]], ++parts[id[down]].neighbourParts[id[i]];
            }
        }
    return parts;
}

int majorityNeighbour(const Component& c, bool landOnly) {
    int best = kSea, bestCount = -1;
    for (const auto& [label, count] : c.neighbourLabels)
        if ((!landOnly || label != kSea) && count > bestCount) best = label, bestCount = count;
    return best;
}

} // namespace

CleanupReport cleanLabels(LabelGrid& g, int minCells) {
    CleanupReport report;
    for (int pass = 0; pass < 8; ++pass) {
        std::vector<int32_t> id;
        std::vector<Component> parts = components(g, id);
        std::map<int, int> largest; // label -> its biggest component
        for (int c = 0; c < static_cast<int>(parts.size()); ++c) {
            auto it = largest.find(parts[c].label);
            if (it == largest.end() || parts[c].size > parts[it->second].size) largest[parts[c].label] = c;
        }
        std::vector<int> newLabel(parts.size());
        bool changed = false;
        for (int c = 0; c < static_cast<int>(parts.size()); ++c) {
            const Component& p = parts[c];
            newLabel[c] = p.label;
            if (p.neighbourLabels.empty()) continue;
            const bool touchesSea = p.touchesFrame || p.neighbourLabels.count(kSea);
            const bool enclosed = !p.touchesFrame && p.neighbourParts.size() == 1;
            if (p.label == kSea) {
                if (!p.touchesFrame) {
                    newLabel[c] = majorityNeighbour(p, true);
                    ++report.lagoonsFilled;
                }
            } else if (enclosed && parts[p.neighbourParts.begin()->first].label != kSea) {
                newLabel[c] = parts[p.neighbourParts.begin()->first].label;
                ++report.enclavesMerged;
            } else if (largest[p.label] != c && p.size < minCells) {
                newLabel[c] = touchesSea && p.neighbourLabels.size() == 1 ? kSea : majorityNeighbour(p, true);
                if (newLabel[c] == kSea)
                    ++report.isletsDropped;
                else
                    ++report.piecesMerged;
            } else if (largest[p.label] != c && !touchesSea) {
                newLabel[c] = majorityNeighbour(p, true);
                ++report.piecesMerged;
            }
            changed = changed || newLabel[c] != p.label;
        }
        if (!changed) break;
        for (size_t i = 0; i < g.cells.size(); ++i)
            g.cells[i] = static_cast<int16_t>(newLabel[id[i]]);
    }
    return report;
}

} // namespace mapgen
