// Map file codec. Counts from the file are never trusted: every array must fit the file and every
// index must land inside its table, so the outline walker can follow them without bounds checks.
#include "world/map_file.h"

#include "world/record_codec.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace vh {
namespace {

// Every reference in the map must point inside its array, and every run it starts must end
// with its terminator before the array does.
bool indicesValid(const MapData& m) {
    const int64_t nodes = m.nodes.size(), points = m.points.size(), edges = m.edges.size();
    const int64_t lists = m.edgeLists.size();
    for (const Province& p : m.provinces)
        if (p.region < 0 || p.region >= std::max<int64_t>(1, m.regions.size())) return false;

    // terminatedFrom[i]: a (-1,-1) pair lies at or after point i.
    std::vector<char> terminatedFrom(points + 1, 0);
    for (int64_t i = points - 1; i >= 0; --i)
        terminatedFrom[i] = (m.points[i].x == -1 && m.points[i].y == -1) || terminatedFrom[i + 1];
    for (const MapEdge& e : m.edges) {
        if (e.from < 0 || e.from >= nodes || e.to < 0 || e.to >= nodes) return false;
        if (e.firstPoint < 0 || e.firstPoint >= points || !terminatedFrom[e.firstPoint]) return false;
    }
    std::vector<char> listEndsFrom(lists + 1, 0);
    for (int64_t i = lists - 1; i >= 0; --i) listEndsFrom[i] = m.edgeLists[i] == -1 || listEndsFrom[i + 1];
    for (int32_t e : m.edgeLists)
        if (e != -1 && (e < 0 || e >= edges)) return false;
    for (const MapShape& s : m.shapes)
        if (s.firstEdge < 0 || s.firstEdge >= lists || !listEndsFrom[s.firstEdge]) return false;
    return true;
}

template <class R> void readRecords(ByteCursor& in, int count, std::vector<R>& out) {
    out.resize(count);
    for (R& r : out) decodeRecord(r, in.span(R::kBytes));
}

} // namespace

int mapHeaderVersion(const uint8_t* h) {
    auto digit = [](uint8_t c) { return c >= '0' && c <= '9' ? c - '0' : -1; };
    int a = digit(h[15]), b = digit(h[17]), c = digit(h[18]);
    if (a < 0 || b < 0 || c < 0) return -1;
    return 100 * a + 10 * b + c;
}

namespace {

// The counts at the head of a map body.
struct MapCounts {
    int32_t regions = 0, provinces = 0, nodes = 0, points = 0, edges = 0, edgeLists = 0, shapes = 0;
    uint64_t arrayBytes() const {
        return uint64_t(regions) * Region::kBytes + uint64_t(provinces) * Province::kBytes + uint64_t(nodes) * 8 +
               uint64_t(points) * 8 + uint64_t(edges) * 10 + uint64_t(edgeLists) * 4 + uint64_t(shapes) * 6;
    }
};

// Reads the palette (version >= 2), the counts and the extent into `m`, and checks the counts
// against their limits and all the arrays together against the bytes left.
int readMapCounts(ByteCursor& in, int version, MapData& m, MapCounts& c) {
    if (version >= 2)
        for (int32_t& v : m.palette) v = in.get<int32_t>();
    c.regions = in.get<int32_t>();
    c.provinces = in.get<int32_t>();
    for (int32_t& e : m.extent) e = in.get<int32_t>();
    for (int32_t* v : {&c.nodes, &c.points, &c.edges, &c.edgeLists, &c.shapes}) *v = in.get<int32_t>();
    if (in.failed()) return kMapBadContent;
    if (c.provinces >= 500) return kMapTooManyProvinces;
    if (c.regions > MapData::kMaxRegions) return kMapBadContent;
    for (int32_t v : {c.regions, c.provinces, c.nodes, c.points, c.edges, c.edgeLists, c.shapes})
        if (v < 0) return kMapBadContent;
    // Edge, edge-list and shape indices are 16-bit in the file; larger arrays cannot be addressed.
    if (c.edges > 32767 || c.edgeLists > 32768 || c.shapes > 32767) return kMapBadContent;
    return c.arrayBytes() <= in.remaining() ? kMapOk : kMapBadContent;
}

} // namespace

int readMapBody(ByteCursor& in, int version, MapData& out) {
    MapData m;
    m.version = version;
    MapCounts c;
    if (const int code = readMapCounts(in, version, m, c); code != kMapOk) return code;
    // Every array fits the bytes left, so each span below is there.
    readRecords(in, c.regions, m.regions);
    readRecords(in, c.provinces, m.provinces);
    m.nodes.resize(c.nodes);
    const uint8_t* p = in.span(size_t{8} * c.nodes);
    for (MapNode& n : m.nodes) {
        n = {loadLE<int32_t>(p), loadLE<int32_t>(p + 4)};
        p += 8;
    }
    m.points.resize(c.points);
    p = in.span(size_t{8} * c.points);
    for (MapNode& n : m.points) {
        n = {loadLE<int32_t>(p), loadLE<int32_t>(p + 4)};
        p += 8;
    }
    m.edges.resize(c.edges);
    p = in.span(size_t{10} * c.edges);
    for (MapEdge& e : m.edges) {
        e.from = loadLE<int16_t>(p);
        e.to = loadLE<int16_t>(p + 2);
        e.firstPoint = loadLE<int32_t>(p + 4);
        std::memcpy(e.trailer, p + 8, 2);
        p += 10;
    }
    m.edgeLists.resize(c.edgeLists);
    p = in.span(size_t{4} * c.edgeLists);
    for (int32_t& e : m.edgeLists) {
        e = loadLE<int32_t>(p);
        p += 4;
    }
    m.shapes.resize(c.shapes);
    p = in.span(size_t{6} * c.shapes);
    for (MapShape& s : m.shapes) {
        s = {loadLE<int16_t>(p), loadLE<int16_t>(p + 2), loadLE<int16_t>(p + 4)};
        p += 6;
    }
    if (in.failed() || !indicesValid(m)) return kMapBadContent;
    out = std::move(m);
    return kMapOk;
}

int skipMapBody(ByteCursor& in, int version, int& provinceCount) {
    MapData m;
    MapCounts c;
    if (const int code = readMapCounts(in, version, m, c); code != kMapOk) return code;
    in.span(c.arrayBytes());
    provinceCount = c.provinces;
    return kMapOk;
}

int parseMap(const uint8_t* data, size_t size, MapData& out) {
    if (size < static_cast<size_t>(kMapHeaderBytes)) return kMapBadContent;
    if (!std::equal(data, data + 15, kMapMagic)) return kMapBadContent;
    const int version = mapHeaderVersion(data);
    if (version < 0) return kMapBadContent;
    ByteCursor in(data + kMapHeaderBytes, size - kMapHeaderBytes);
    return readMapBody(in, version, out);
}

int loadMap(const std::string& path, MapData& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return kMapCannotOpen;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return kMapCannotOpen;
    return parseMap(bytes.data(), bytes.size(), out);
}

void writeMap(const MapData& m, ByteSink& out) {
    for (int32_t c : m.palette) out.put(c);
    out.put<int32_t>(m.regionCount());
    out.put<int32_t>(m.provinceCount());
    for (int32_t e : m.extent) out.put(e);
    out.put<int32_t>(static_cast<int32_t>(m.nodes.size()));
    out.put<int32_t>(static_cast<int32_t>(m.points.size()));
    out.put<int32_t>(static_cast<int32_t>(m.edges.size()));
    out.put<int32_t>(static_cast<int32_t>(m.edgeLists.size()));
    out.put<int32_t>(static_cast<int32_t>(m.shapes.size()));
    for (const Region& r : m.regions) out.append(recordImage(r).data(), Region::kBytes);
    for (const Province& p : m.provinces) out.append(recordImage(p).data(), Province::kBytes);
    for (const MapNode& n : m.nodes) out.put(n.x), out.put(n.y);
    for (const MapNode& p : m.points) out.put(p.x), out.put(p.y);
    for (const MapEdge& e : m.edges) {
        out.put(e.from);
        out.put(e.to);
        out.put(e.firstPoint);
        out.append(e.trailer, 2);
    }
    for (int32_t e : m.edgeLists) out.put(e);
    for (const MapShape& s : m.shapes) out.put(s.firstEdge), out.put(s.fill), out.put(s.key);
}

std::vector<uint8_t> mapFileImage(const MapData& map) {
    ByteSink out;
    char header[kMapHeaderBytes] = {};
    std::snprintf(header, sizeof header, "%s2.00", kMapMagic);
    out.append(header, sizeof header);
    writeMap(map, out);
    return std::move(out.out);
}

bool writeMapFile(const std::string& path, const MapData& map) {
    const std::vector<uint8_t> image = mapFileImage(map);
    const std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        if (!f) return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

std::vector<MapPoint> shapeOutline(const MapData& m, int shape, const ViewRect& view, double targetWidth,
                                   double targetHeight) {
    std::vector<MapPoint> out;
    if (shape < 0 || shape >= static_cast<int>(m.shapes.size())) return out;
    const double sx = targetWidth / view.width, sy = targetHeight / view.height;
    auto emit = [&](const MapNode& p) {
        out.push_back({(p.x / 200.0 - view.left) * sx, (p.y / 200.0 - view.top) * sy});
    };
    int list = m.shapes[shape].firstEdge;
    if (m.edgeLists[list] == -1) return out;
    int current = m.edges[m.edgeLists[list]].from;
    for (; m.edgeLists[list] != -1; ++list) {
        const MapEdge& e = m.edges[m.edgeLists[list]];
        int end = e.firstPoint;
        while (!(m.points[end].x == -1 && m.points[end].y == -1)) ++end;
        if (e.from == current) {
            emit(m.nodes[e.from]);
            for (int p = e.firstPoint; p < end; ++p) emit(m.points[p]);
            emit(m.nodes[e.to]);
            current = e.to;
        } else {
            emit(m.nodes[e.to]);
            for (int p = end - 1; p >= e.firstPoint; --p) emit(m.points[p]);
            emit(m.nodes[e.from]);
            current = e.from;
        }
    }
    return out;
}

std::vector<ShapeFill> drawingOrder(const MapData& m, int key, bool withOverride) {
    // Layer by layer from 0 upward, file order within a layer: a stable sort by layer.
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(m.shapes.size()); ++i)
        if (m.shapes[i].key == key) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return m.shapes[a].layer() < m.shapes[b].layer(); });
    std::vector<ShapeFill> out;
    for (int i : order) {
        const int layer = m.shapes[i].layer();
        if (withOverride && layer != 6) out.push_back({i, ShapeFill::Override, 0});
        else if (layer == 7) continue;
        else if (layer >= 20) out.push_back({i, ShapeFill::Palette, layer - 20 < 32 ? m.palette[layer - 20] : 0});
        else out.push_back({i, ShapeFill::Fixed, layer});
    }
    return out;
}

std::string defaultMapMessage(int code, const std::string& fileName) {
    switch (code) {
    case kMapCannotOpen: return "デフォルトマップファイル(" + fileName + ")が開けません";
    case kMapBadContent: return "デフォルトマップファイル(" + fileName + ")が異常です";
    case kMapTooManyProvinces: return "デフォルトマップファイル(" + fileName + ")の国数が多すぎます";
    default: return {};
    }
}

} // namespace vh
