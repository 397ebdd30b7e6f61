// TopoJSON decoding: arcs are delta-encoded and quantized; a negative arc index ~i means arc i
// walked backwards. Consecutive arcs of a ring share their joining point.
#include "topojson.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

namespace mapgen {
namespace {

using nlohmann::json;

bool appendArc(const std::vector<Ring>& arcs, int index, Ring& ring) {
    const bool reversed = index < 0;
    const size_t arc = reversed ? static_cast<size_t>(~index) : static_cast<size_t>(index);
    if (arc >= arcs.size()) return false;
    const Ring& pts = arcs[arc];
    for (size_t k = 0; k < pts.size(); ++k) {
        if (k == 0 && !ring.empty()) continue; // the joint is already there
        ring.push_back(reversed ? pts[pts.size() - 1 - k] : pts[k]);
    }
    return true;
}

bool decodePolygon(const json& rings, const std::vector<Ring>& arcs, Polygon& out) {
    if (!rings.is_array()) return false;
    for (const json& r : rings) {
        if (!r.is_array()) return false;
        Ring ring;
        for (const json& a : r)
            if (!a.is_number_integer() || !appendArc(arcs, a.get<int>(), ring)) return false;
        if (ring.size() >= 4) out.push_back(std::move(ring));
    }
    return true;
}

} // namespace

double ringArea(const Ring& ring) {
    double a = 0;
    for (size_t i = 0; i + 1 < ring.size(); ++i)
        a += ring[i].lon * ring[i + 1].lat - ring[i + 1].lon * ring[i].lat;
    return std::fabs(a) / 2;
}

namespace {

bool readTopology(const std::string& path, std::vector<Prefecture>& out, std::string& error,
                  const std::string& object) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    json doc = json::parse(in, nullptr, false);
    if (doc.is_discarded() || !doc.is_object() || doc.value("type", "") != "Topology") {
        error = path + ": not a TopoJSON topology";
        return false;
    }
    double sx = 1, sy = 1, tx = 0, ty = 0;
    const bool quantized = doc.contains("transform");
    if (quantized) {
        const json& t = doc["transform"];
        sx = t.at("scale").at(0).get<double>();
        sy = t.at("scale").at(1).get<double>();
        tx = t.at("translate").at(0).get<double>();
        ty = t.at("translate").at(1).get<double>();
    }
    std::vector<Ring> arcs;
    for (const json& a : doc.at("arcs")) {
        Ring pts;
        double x = 0, y = 0;
        for (const json& p : a) {
            if (quantized) {
                x += p.at(0).get<double>();
                y += p.at(1).get<double>();
                pts.push_back({x * sx + tx, y * sy + ty});
            } else {
                pts.push_back({p.at(0).get<double>(), p.at(1).get<double>()});
            }
        }
        arcs.push_back(std::move(pts));
    }
    const json& objects = doc.at("objects");
    if (!objects.is_object() || objects.empty()) {
        error = path + ": no objects";
        return false;
    }
    const json& collection = object.empty() ? objects.begin().value() : objects.at(object);
    std::vector<Prefecture> result;
    for (const json& g : collection.at("geometries")) {
        Prefecture p;
        p.name = g.at("properties").value("nam_ja", "");
        const std::string type = g.value("type", "");
        bool ok = true;
        if (type == "Polygon") {
            Polygon poly;
            ok = decodePolygon(g.at("arcs"), arcs, poly);
            if (!poly.empty()) p.polygons.push_back(std::move(poly));
        } else if (type == "MultiPolygon") {
            for (const json& part : g.at("arcs")) {
                Polygon poly;
                ok = ok && decodePolygon(part, arcs, poly);
                if (!poly.empty()) p.polygons.push_back(std::move(poly));
            }
        }
        if (!ok || p.name.empty()) {
            error = path + ": malformed geometry " + p.name;
            return false;
        }
        result.push_back(std::move(p));
    }
    out = std::move(result);
    return true;
}

} // namespace

bool readTopoJson(const std::string& path, std::vector<Prefecture>& out, std::string& error,
                  const std::string& object) {
    try {
        return readTopology(path, out, error, object);
    } catch (const std::exception& e) { // a member missing or of the wrong type
        error = path + ": " + e.what();
        return false;
    }
}

} // namespace mapgen
