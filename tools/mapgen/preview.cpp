// SVG preview of a map file.
#include "preview.h"

#include "world/byte_io.h"
#include "world/text_codec.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace mapgen {
namespace {

std::string colour(int32_t bgr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return buf;
}

// The map view paints layers below 20 with fixed brushes; close enough colours for a preview.
std::string fixedBrush(int layer) {
    static const char* land[6] = {"#cec496", "#b0c280", "#c4ae80", "#96ac70", "#d6cca4", "#b8a692"};
    if (layer == 6) return "#145064"; // (20,80,100)
    return layer < 6 ? land[layer] : "#999999";
}

std::string escapeXml(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string pointsAttr(const std::vector<vh::MapPoint>& pts, double dx, double dy) {
    std::string s;
    char buf[48];
    for (const vh::MapPoint& p : pts) {
        std::snprintf(buf, sizeof buf, "%.2f,%.2f ", p.x + dx, p.y + dy);
        s += buf;
    }
    return s;
}

double polygonArea(const std::vector<vh::MapPoint>& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& q = p[(i + 1) % p.size()];
        a += p[i].x * q.y - q.x * p[i].y;
    }
    return a / 2;
}

// Crossings of the horizontal line y with the polygon, sorted.
std::vector<double> crossings(const std::vector<vh::MapPoint>& p, double y) {
    std::vector<double> xs;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& a = p[i];
        const auto& b = p[(i + 1) % p.size()];
        if ((a.y > y) != (b.y > y)) xs.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

} // namespace

bool provinceLabelPoint(const vh::MapData& map, int province, vh::MapPoint& out) {
    std::vector<vh::MapPoint> best;
    std::vector<std::vector<vh::MapPoint>> lakes; // labels stay out of them
    double bestArea = 0;
    for (int s = 0; s < static_cast<int>(map.shapes.size()); ++s) {
        if (map.shapes[s].key != province) continue;
        auto pts = vh::shapeOutline(map, s, vh::ViewRect{}, 560, 440);
        if (map.shapes[s].layer() == 6) {
            lakes.push_back(std::move(pts));
            continue;
        }
        const double a = std::fabs(polygonArea(pts));
        if (a > bestArea) bestArea = a, best = std::move(pts);
    }
    if (best.empty()) return false;
    // Area centre first; then, on a few lines through the shape, the middle of the widest stretch
    // inside, the one nearest the centre winning on ties of width.
    double a = 0, cx = 0, cy = 0, ymin = 1e300, ymax = -1e300;
    for (size_t i = 0; i < best.size(); ++i) {
        const auto& p = best[i];
        const auto& q = best[(i + 1) % best.size()];
        const double w = p.x * q.y - q.x * p.y;
        a += w, cx += (p.x + q.x) * w, cy += (p.y + q.y) * w;
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
    }
    cx /= 3 * a, cy /= 3 * a;
    double bestScore = -1e300;
    for (int k = 1; k < 16; ++k) {
        const double y = ymin + (ymax - ymin) * k / 16;
        auto xs = crossings(best, y);
        for (const auto& lake : lakes) {
            const auto more = crossings(lake, y);
            xs.insert(xs.end(), more.begin(), more.end());
        }
        std::sort(xs.begin(), xs.end());
        for (size_t j = 0; j + 1 < xs.size(); j += 2) {
            const double width = xs[j + 1] - xs[j];
            const double mid = std::clamp(cx, xs[j] + width * 0.3, xs[j + 1] - width * 0.3);
            const double score = std::min(width, (ymax - ymin) / 2) - 0.5 * std::fabs(y - cy);
            if (score > bestScore) bestScore = score, out = {mid, y};
        }
    }
    return bestScore > -1e300;
}

std::string previewSvg(const vh::MapData& map, const vh::ViewRect& view, double scale) {
    const double w = view.width * scale, h = view.height * scale;
    char buf[256];
    std::string svg;
    std::snprintf(buf, sizeof buf,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
                  "viewBox=\"0 0 %.0f %.0f\">\n<rect width=\"%.0f\" height=\"%.0f\" fill=\"#5d7f99\"/>\n",
                  w, h, w, h, w, h);
    svg += buf;
    const double shadow = 3; // the map view's drop shadow, in screen pixels
    for (int s = 0; s < static_cast<int>(map.shapes.size()); ++s)
        if (map.shapes[s].fill & 0x8000)
            svg += "<polygon fill=\"#2c3e4c\" fill-rule=\"evenodd\" points=\"" +
                   pointsAttr(vh::shapeOutline(map, s, view, w, h), shadow, shadow) + "\"/>\n";
    std::vector<int> order(map.shapes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return map.shapes[a].layer() < map.shapes[b].layer(); });
    for (int s : order) {
        const int layer = map.shapes[s].layer();
        if (layer == 7) continue;
        const std::string fill =
            layer >= 20 ? colour(layer - 20 < 32 ? map.palette[layer - 20] : 0) : fixedBrush(layer);
        svg += "<polygon fill=\"" + fill + "\" fill-rule=\"evenodd\" stroke=\"#3b3324\" stroke-width=\"" +
               std::to_string(0.25 * scale) + "\" points=\"" +
               pointsAttr(vh::shapeOutline(map, s, view, w, h), 0, 0) + "\"/>\n";
    }
    const double font = std::clamp(4.5 * scale, 9.0, 14.0);
    for (int p = 0; p < map.provinceCount(); ++p) {
        vh::MapPoint at;
        if (!provinceLabelPoint(map, p, at)) continue;
        const double x = (at.x - view.left) * scale, y = (at.y - view.top) * scale;
        if (x < 0 || y < 0 || x > w || y > h) continue;
        std::snprintf(
            buf, sizeof buf,
            "<text x=\"%.1f\" y=\"%.1f\" font-size=\"%.1f\" text-anchor=\"middle\" "
            "dominant-baseline=\"central\" font-family=\"Noto Sans CJK JP\" fill=\"#1c1c1c\" "
            "stroke=\"#ffffff\" stroke-width=\"%.1f\" stroke-opacity=\"0.6\" paint-order=\"stroke\">",
            x, y, font, font / 5);
        svg += buf + escapeXml(vh::cp932ToUtf8(vh::fieldText(map.provinces[p].name))) + "</text>\n";
    }
    return svg + "</svg>\n";
}

bool writePreviewSvg(const vh::MapData& map, const std::string& path, const vh::ViewRect& view,
                     double scale) {
    std::ofstream f(path, std::ios::trunc);
    f << previewSvg(map, view, scale);
    return static_cast<bool>(f);
}

} // namespace mapgen
