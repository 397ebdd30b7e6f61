// The map building pipeline: raster fill and seed split, clean-up, tracing, the map records, and
// the KuniArea rectangles read back from any map.
#include "map_builder.h"

#include "projection.h"

#include "world/byte_io.h"
#include "world/map_file.h"
#include "world/text_codec.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

namespace mapgen {
namespace {

struct ProjectedSeed {
    int province;
    bool island;
    bool inset;
    CellPoint at;
};

CellPoint toCells(const PixelPoint& p, int sub) {
    return {p.x * sub, p.y * sub};
}

LonLat boxCentre(const Ring& ring) {
    double lo0 = 1e9, lo1 = -1e9, la0 = 1e9, la1 = -1e9;
    for (const LonLat& p : ring) {
        lo0 = std::min(lo0, p.lon), lo1 = std::max(lo1, p.lon);
        la0 = std::min(la0, p.lat), la1 = std::max(la1, p.lat);
    }
    return {(lo0 + lo1) / 2, (la0 + la1) / 2};
}

// Area-weighted centre of a closed ring.
CellPoint centroid(const std::vector<CellPoint>& ring) {
    double a = 0, cx = 0, cy = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const CellPoint& p = ring[i];
        const CellPoint& q = ring[(i + 1) % ring.size()];
        const double w = p.x * q.y - q.x * p.y;
        a += w, cx += (p.x + q.x) * w, cy += (p.y + q.y) * w;
    }
    if (std::fabs(a) < 1e-12) return ring.empty() ? CellPoint{} : ring[0];
    return {cx / (3 * a), cy / (3 * a)};
}

int nearestSeed(const std::vector<ProjectedSeed>& seeds, double x, double y) {
    int best = -1;
    double bestD = std::numeric_limits<double>::max();
    for (const ProjectedSeed& s : seeds) {
        const double d = (s.at.x - x) * (s.at.x - x) + (s.at.y - y) * (s.at.y - y);
        if (d < bestD) bestD = d, best = s.province;
    }
    return best;
}

// Douglas-Peucker over a closed outline of real points (the lakes), keeping at least a triangle.
std::vector<PixelPoint> simplifyOutline(const std::vector<PixelPoint>& p, double tolerance) {
    if (p.size() <= 3) return p;
    std::vector<char> keep(p.size(), 0);
    auto dist = [](const PixelPoint& q, const PixelPoint& a, const PixelPoint& b) {
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        double t = len2 == 0 ? 0 : std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0);
        return std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy);
    };
    size_t mid = 1;
    for (size_t k = 1; k < p.size(); ++k)
        if (dist(p[k], p[0], p[0]) > dist(p[mid], p[0], p[0])) mid = k;
    keep[0] = keep[mid] = 1;
    std::vector<std::pair<size_t, size_t>> todo{{0, mid}, {mid, p.size()}};
    while (!todo.empty()) {
        auto [a, b] = todo.back();
        todo.pop_back();
        const PixelPoint& pb = p[b % p.size()];
        size_t far = a;
        double farDist = -1;
        for (size_t k = a + 1; k < b; ++k)
            if (dist(p[k], p[a], pb) > farDist) farDist = dist(p[k], p[a], pb), far = k;
        if (far != a && (farDist > tolerance || std::count(keep.begin(), keep.end(), 1) < 3)) {
            keep[far] = 1;
            todo.push_back({a, far});
            todo.push_back({far, b});
        }
    }
    std::vector<PixelPoint> out;
    for (size_t k = 0; k < p.size(); ++k)
        if (keep[k]) out.push_back(p[k]);
    return out;
}

int32_t stored(double pixels) {
    return static_cast<int32_t>(std::lround(pixels * 200));
}

// One closed edge around the band between two rectangles: the outer one, a step in to the inner
// one, the inner one the other way round, and back out; filled alternately this is a frame.
void addInsetFrame(vh::MapData& m) {
    const InsetBox box = ryukyuInsetBox();
    const double d = kInsetFrameWidth;
    const PixelPoint outer[4] = {
        {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
    const PixelPoint inner[4] = {{box.left + d, box.top + d},
                                 {box.left + d, box.bottom - d},
                                 {box.right - d, box.bottom - d},
                                 {box.right - d, box.top + d}};
    const int node = static_cast<int>(m.nodes.size());
    m.nodes.push_back({stored(outer[0].x), stored(outer[0].y)});
    vh::MapEdge e;
    e.from = e.to = static_cast<int16_t>(node);
    e.firstPoint = static_cast<int32_t>(m.points.size());
    for (int k = 1; k < 4; ++k)
        m.points.push_back({stored(outer[k].x), stored(outer[k].y)});
    m.points.push_back({stored(outer[0].x), stored(outer[0].y)});
    for (const PixelPoint& p : inner)
        m.points.push_back({stored(p.x), stored(p.y)});
    m.points.push_back({stored(inner[0].x), stored(inner[0].y)});
    m.points.push_back({-1, -1});
    vh::MapShape s;
    s.firstEdge = static_cast<int16_t>(m.edgeLists.size());
    s.fill = kInsetFrameLayer;
    s.key = kInsetFrameKey;
    m.edgeLists.push_back(static_cast<int32_t>(m.edges.size()));
    m.edgeLists.push_back(-1);
    m.edges.push_back(e);
    m.shapes.push_back(s);
}

} // namespace

LabelGrid rasterizeProvinces(const std::vector<Prefecture>& prefectures, const Tables& tables,
                             BuildReport& report) {
    const int sub = kCellsPerPixel;
    LabelGrid grid(static_cast<int>(kFrameWidth) * sub, static_cast<int>(kFrameHeight) * sub, sub);
    for (const Prefecture& pref : prefectures) {
        std::vector<int> candidates;
        for (int p = 0; p < static_cast<int>(tables.provinces.size()); ++p) {
            const auto& prefs = tables.provinces[p].prefectures;
            if (std::find(prefs.begin(), prefs.end(), pref.name) != prefs.end()) candidates.push_back(p);
        }
        if (candidates.empty()) {
            report.warnings.push_back("prefecture " + pref.name + " belongs to no province");
            continue;
        }
        std::vector<ProjectedSeed> seeds;
        for (const Seed& s : tables.seeds)
            if (std::find(candidates.begin(), candidates.end(), s.province) != candidates.end())
                seeds.push_back({s.province, tables.provinces[s.province].island, inRyukyuInset(s.lon, s.lat),
                                 toCells(project(s.lon, s.lat), sub)});
        size_t largest = 0;
        for (size_t k = 0; k < pref.polygons.size(); ++k)
            if (ringArea(pref.polygons[k][0]) > ringArea(pref.polygons[largest][0])) largest = k;

        for (size_t k = 0; k < pref.polygons.size(); ++k) {
            const Polygon& poly = pref.polygons[k];
            const LonLat centre = boxCentre(poly[0]);
            const bool inset = inRyukyuInset(centre.lon, centre.lat);
            std::vector<std::vector<CellPoint>> rings;
            double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
            for (const Ring& r : poly) {
                std::vector<CellPoint> cells;
                for (const LonLat& p : r) {
                    const CellPoint c =
                        toCells(inset ? projectInset(p.lon, p.lat) : projectMain(p.lon, p.lat), sub);
                    x0 = std::min(x0, c.x), x1 = std::max(x1, c.x), y0 = std::min(y0, c.y),
                    y1 = std::max(y1, c.y);
                    cells.push_back(c);
                }
                rings.push_back(std::move(cells));
            }
            if (x1 < 0 || y1 < 0 || x0 > grid.width || y0 > grid.height) {
                ++report.polygonsOutside;
                continue;
            }
            // Seeds of the same part of the frame; the mainland piece ignores island provinces.
            std::vector<ProjectedSeed> usable;
            for (const ProjectedSeed& s : seeds)
                if (s.inset == inset && (k != largest || !s.island)) usable.push_back(s);
            if (usable.empty())
                for (const ProjectedSeed& s : seeds)
                    if (s.inset == inset) usable.push_back(s);
            if (usable.empty()) usable = seeds;
            int whole = -1; // the province of the whole polygon, when it is not split cell by cell
            if (candidates.size() == 1) {
                whole = candidates[0];
            } else if (k != largest) {
                const CellPoint c = centroid(rings[0]);
                whole = nearestSeed(usable, c.x, c.y);
            }
            scanPolygon(rings, grid.width, grid.height, [&](int x, int y) {
                if (grid.at(x, y) != kSea) {
                    ++report.overlappingCells;
                    return;
                }
                grid.set(x, y, whole >= 0 ? whole : nearestSeed(usable, x + 0.5, y + 0.5));
            });
        }
    }
    return grid;
}

vh::MapData assembleMap(const PlanarMap& borders, const Tables& tables, int sub, BuildReport& report) {
    vh::MapData m;
    m.version = 200;
    for (size_t r = 0; r < tables.regions.size(); ++r) {
        vh::Region region;
        vh::setFieldText(region.name, vh::utf8ToCp932(tables.regions[r].name));
        m.regions.push_back(region);
    }
    m.palette[kInsetFrameLayer - 20] = kInsetFrameColour;
    for (const ProvinceRow& row : tables.provinces) {
        vh::Province p;
        vh::setFieldText(p.name, vh::utf8ToCp932(row.name));
        p.region = static_cast<int16_t>(row.region);
        m.provinces.push_back(p);
    }
    m.extent[2] = stored(kFrameWidth);
    m.extent[3] = stored(kFrameHeight);

    const int scale = 200 / sub; // stored units per cell
    for (const GridPoint& n : borders.nodes)
        m.nodes.push_back({n.x * scale, n.y * scale});
    for (const Chain& c : borders.chains) {
        vh::MapEdge e;
        e.from = static_cast<int16_t>(c.from);
        e.to = static_cast<int16_t>(c.to);
        e.firstPoint = static_cast<int32_t>(m.points.size());
        for (size_t k = 1; k + 1 < c.points.size(); ++k)
            m.points.push_back({c.points[k].x * scale, c.points[k].y * scale});
        m.points.push_back({-1, -1});
        m.edges.push_back(e);
    }
    // Outlines by province, the biggest piece first.
    std::vector<int> order;
    for (int r = 0; r < static_cast<int>(borders.rings.size()); ++r) {
        if (borders.rings[r].area > 0)
            order.push_back(r);
        else
            report.warnings.push_back("a piece of " + tables.provinces[borders.rings[r].label].name +
                                      " has a hole; the hole is filled over by its contents");
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const BoundaryRing &ra = borders.rings[a], &rb = borders.rings[b];
        return ra.label != rb.label ? ra.label < rb.label : ra.area > rb.area;
    });
    for (int r : order) {
        const BoundaryRing& ring = borders.rings[r];
        vh::MapShape s;
        s.firstEdge = static_cast<int16_t>(m.edgeLists.size());
        s.fill =
            static_cast<int16_t>(kShadowFlag | tables.regions[tables.provinces[ring.label].region].layer);
        s.key = static_cast<int16_t>(ring.label);
        for (const ChainStep& step : ring.steps)
            m.edgeLists.push_back(step.chain);
        m.edgeLists.push_back(-1);
        m.shapes.push_back(s);
    }
    // Lakes: one closed edge each, over the land.
    for (const Lake& lake : tables.lakes) {
        std::vector<PixelPoint> outline;
        for (const auto& [lon, lat] : lake.outline)
            outline.push_back(project(lon, lat));
        outline = simplifyOutline(outline, kSimplifyPixels / 2);
        if (outline.size() < 3) continue;
        const int node = static_cast<int>(m.nodes.size());
        m.nodes.push_back({stored(outline[0].x), stored(outline[0].y)});
        vh::MapEdge e;
        e.from = e.to = static_cast<int16_t>(node);
        e.firstPoint = static_cast<int32_t>(m.points.size());
        for (size_t k = 1; k < outline.size(); ++k)
            m.points.push_back({stored(outline[k].x), stored(outline[k].y)});
        m.points.push_back({-1, -1});
        vh::MapShape s;
        s.firstEdge = static_cast<int16_t>(m.edgeLists.size());
        s.fill = kLakeLayer;
        s.key = static_cast<int16_t>(lake.province);
        m.edgeLists.push_back(static_cast<int32_t>(m.edges.size()));
        m.edgeLists.push_back(-1);
        m.edges.push_back(e);
        m.shapes.push_back(s);
    }
    addInsetFrame(m);
    return m;
}

bool buildMap(const std::string& topojsonPath, const Tables& tables, vh::MapData& out, BuildReport& report,
              std::string& error) {
    std::vector<Prefecture> prefectures;
    if (!readTopoJson(topojsonPath, prefectures, error)) return false;
    LabelGrid grid = rasterizeProvinces(prefectures, tables, report);
    report.cleanup = cleanLabels(grid, kSmallestPieceCells);
    std::vector<int> cells(tables.provinces.size(), 0);
    for (int16_t c : grid.cells)
        if (c >= 0) ++cells[c];
    for (size_t p = 0; p < cells.size(); ++p)
        if (cells[p] == 0) {
            error = "province " + tables.provinces[p].name + " received no land";
            return false;
        }
    PlanarMap borders = traceBoundaries(grid);
    simplifyChains(borders, kSimplifyPixels * kCellsPerPixel);
    orientChains(borders);
    if (borders.nodes.size() > 32767 || borders.chains.size() > 32767) {
        error = "too many nodes or edges for the map file's 16-bit indices";
        return false;
    }
    out = assembleMap(borders, tables, kCellsPerPixel, report);
    if (out.edgeLists.size() > 32768) {
        error = "too many edge list entries for the map file's 16-bit shape indices";
        return false;
    }
    return true;
}

std::string kuniAreaSection(const vh::MapData& map) {
    struct Box {
        double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300, area = 0;
        void add(const Box& b) {
            x0 = std::min(x0, b.x0), y0 = std::min(y0, b.y0), x1 = std::max(x1, b.x1),
            y1 = std::max(y1, b.y1);
        }
        double gap(const Box& b) const { return std::max({0.0, b.x0 - x1, x0 - b.x1, b.y0 - y1, y0 - b.y1}); }
    };
    std::string text = "KuniArea {\n";
    for (int p = 0; p < map.provinceCount(); ++p) {
        std::vector<Box> pieces;
        for (int s = 0; s < static_cast<int>(map.shapes.size()); ++s) {
            if (map.shapes[s].key != p || map.shapes[s].layer() == kLakeLayer) continue;
            Box b;
            const auto pts = vh::shapeOutline(map, s, vh::ViewRect{}, kFrameWidth, kFrameHeight);
            for (size_t k = 0; k < pts.size(); ++k) {
                const vh::MapPoint& q = pts[k];
                const vh::MapPoint& r = pts[(k + 1) % pts.size()];
                b.x0 = std::min(b.x0, q.x), b.x1 = std::max(b.x1, q.x), b.y0 = std::min(b.y0, q.y),
                b.y1 = std::max(b.y1, q.y);
                b.area += (q.x * r.y - r.x * q.y) / 2;
            }
            b.area = std::fabs(b.area);
            if (!pts.empty()) pieces.push_back(b);
        }
        if (pieces.empty()) continue;
        // The biggest piece and the islands that matter near it; far specks (the southern Izu
        // islands) would only shrink the zoom.
        const Box main = *std::max_element(pieces.begin(), pieces.end(),
                                           [](const Box& a, const Box& b) { return a.area < b.area; });
        Box all = main;
        for (const Box& b : pieces)
            if (b.area >= kKuniAreaIslandArea && main.gap(b) <= kKuniAreaIslandReach) all.add(b);
        const double margin = 4 + 0.1 * std::max(all.x1 - all.x0, all.y1 - all.y0);
        const int left = std::max(0, static_cast<int>(std::floor(all.x0 - margin)));
        const int top = std::max(0, static_cast<int>(std::floor(all.y0 - margin)));
        const int right =
            std::min(static_cast<int>(kFrameWidth) - 1, static_cast<int>(std::ceil(all.x1 + margin)));
        const int bottom =
            std::min(static_cast<int>(kFrameHeight) - 1, static_cast<int>(std::ceil(all.y1 + margin)));
        const double fit = std::min(kFrameWidth / (right - left + 1), kFrameHeight / (bottom - top + 1));
        const int zoom = std::clamp(static_cast<int>(std::floor(fit)), 1, kKuniAreaMaxZoom);
        text += vh::cp932ToUtf8(vh::fieldText(map.provinces[p].name)) + ", " + std::to_string(zoom) + ", " +
                std::to_string(left) + ", " + std::to_string(top) + ", " + std::to_string(right) + ", " +
                std::to_string(bottom) + "\n";
    }
    return text + "}\n";
}

bool writeKuniArea(const vh::MapData& map, const std::string& path) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    const std::string text = vh::utf8ToCp932(kuniAreaSection(map));
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(f);
}

} // namespace mapgen
