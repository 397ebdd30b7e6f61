// The map displays: shapes layer by layer with the coast shadow, the highlighted province, castle
// dots (national map) or labelled castle boxes (province view), all vector-drawn for sharp output.
#include "ui/map_painter.h"

#include "game/display_rules.h"
#include "ui/map_textures.h"
#include "ui/ui_text.h"
#include "world/map_file.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace vh::ui {

namespace {

constexpr int kBoxW = 24, kBoxH = 18;    // castle box in the province view
constexpr QPoint kBesiegerShift{20, 10}; // the besiegers' box sits below right of the castle's
constexpr double kShadowShift = 3.0;

QColor toQ(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// FNV-style mixing a word at a time: the whole outline data is fingerprinted at every paint, so a
// map replaced by a loaded game or another scenario is never painted from stale outlines.
template <class T> void mixIn(uint64_t& h, const std::vector<T>& v) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(v.data());
    const size_t n = v.size() * sizeof(T);
    h = (h ^ n) * 1099511628211ull;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        h = (h ^ word) * 1099511628211ull;
    }
    for (; i < n; ++i)
        h = (h ^ bytes[i]) * 1099511628211ull;
}

uint64_t fingerprintOf(const MapData& m) {
    uint64_t h = 1469598103934665603ull;
    mixIn(h, m.nodes);
    mixIn(h, m.points);
    mixIn(h, m.edgeLists);
    mixIn(h, m.shapes);
    for (const MapEdge& e : m.edges)
        h = (h ^ (static_cast<uint64_t>(e.from) << 32 | uint16_t(e.to))) * 1099511628211ull ^ e.firstPoint;
    return h;
}

QBrush layerBrush(const ShapeFill& f) {
    const MapBrushes& b = mapBrushes();
    if (f.kind == ShapeFill::Palette) {
        const uint32_t c = static_cast<uint32_t>(f.value); // 0x00BBGGRR
        return QBrush(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
    if (f.value == 6) return b.lake;
    if (f.value >= 0 && f.value < 6) return b.layer[f.value];
    return b.layer[0];
}

ShapeFill fillOf(const MapData& m, int shape) {
    const int layer = m.shapes[shape].layer();
    if (layer >= 20) return {shape, ShapeFill::Palette, layer - 20 < 32 ? m.palette[layer - 20] : 0};
    return {shape, ShapeFill::Fixed, layer};
}

bool isProvinceKey(const WorldState& w, int key) {
    return key >= 0 && key < w.provinceCount();
}

QRectF boxRect(QPointF centre) {
    return QRectF(centre.x() - kBoxW / 2.0, centre.y() - kBoxH / 2.0, kBoxW, kBoxH);
}

// Castle position in map pixels: the centre of its pixel.
QPointF castlePoint(const WorldState& w, int c) {
    return QPointF(w.castleSites[c].x + 0.5, w.castleSites[c].y + 0.5);
}

// Fills without antialiasing, then every outline antialiased over them: the soft 1-pixel border
// covers the fills' stepped edges, at a third of the cost of antialiased texture fills.
void fillAndOutline(QPainter& p, const std::vector<std::pair<QPolygonF, QBrush>>& shapes) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    for (const auto& [poly, brush] : shapes) {
        p.setBrush(brush);
        p.drawPolygon(poly, Qt::OddEvenFill);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen border(mapBrushes().border, 1.0);
    border.setCosmetic(true);
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    for (const auto& shape : shapes)
        p.drawPolygon(shape.first, Qt::OddEvenFill);
}

void paintShapes(QPainter& p, const WorldState& w, const MapViewState& s, const QTransform& t) {
    const MapData& m = w.map;
    const MapGeometry& g = MapGeometry::of(m);
    const MapBrushes& b = mapBrushes();
    const QRectF viewRect(QPointF(0, 0), QSizeF(mapViewSize()));
    auto visible = [&](int shape, QPointF shift = {}) {
        return t.mapRect(g.bounds[shape]).translated(shift).intersects(viewRect);
    };
    // Coast shadow under everything flagged.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(b.shadow);
    for (int i : g.order) {
        if (!(static_cast<uint16_t>(m.shapes[i].fill) & 0x8000) || !visible(i, {kShadowShift, kShadowShift}))
            continue;
        p.drawPolygon(t.map(g.polygons[i]).translated(kShadowShift, kShadowShift), Qt::OddEvenFill);
    }
    std::vector<std::pair<QPolygonF, QBrush>> shapes;
    shapes.reserve(g.order.size());
    for (int i : g.order) {
        const int layer = m.shapes[i].layer();
        if (layer == 7 || !visible(i)) continue;
        shapes.emplace_back(t.map(g.polygons[i]), layerBrush(fillOf(m, i)));
    }
    fillAndOutline(p, shapes);
    // One province drawn again: with the highlight (its lakes keep their water), or as it is.
    auto redraw = [&](int province, const QBrush* highlight) {
        if (!isProvinceKey(w, province)) return;
        shapes.clear();
        for (const ShapeFill& f : drawingOrder(m, province, highlight != nullptr)) {
            if (!visible(f.shape)) continue;
            shapes.emplace_back(t.map(g.polygons[f.shape]),
                                f.kind == ShapeFill::Override ? *highlight : layerBrush(f));
        }
        fillAndOutline(p, shapes);
    };
    if (s.mode == MapMode::National) {
        redraw(s.selectedProvince, &b.highlight);
        return;
    }
    // Province view: the neighbours recede under a veil so the shown province stands out.
    p.fillRect(viewRect, QColor(20, 24, 30, 110));
    redraw(s.province, nullptr);
}

void paintDots(QPainter& p, const WorldState& w, const MapViewState& s, const QTransform& t) {
    const QRectF shown = nationalMapRect(w);
    const double side = std::max(1, w.settings.shiroDotSize) * s.scale;
    std::vector<RankedHouse> ranking;
    if (s.colourCoding) ranking = rankHouses(w);
    // A dark rim just outside each dot keeps its colour readable on every texture.
    QPen rim(QColor(20, 16, 12), 1.0);
    rim.setJoinStyle(Qt::MiterJoin);
    for (int c = 0; c < w.castleCount; ++c) {
        const QPointF at = castlePoint(w, c);
        if (!shown.contains(at)) continue;
        const QPointF v = t.map(at);
        const Rgb colour =
            s.colourCoding ? colourCodingColour(w, c, ranking) : castleColour(w, c, CastleMark::Dot, s.pulse);
        const QRectF dot(std::floor(v.x() - side / 2), std::floor(v.y() - side / 2), side, side);
        p.setPen(rim);
        p.setBrush(Qt::NoBrush);
        p.drawRect(dot.adjusted(-0.5, -0.5, 0.5, 0.5));
        p.fillRect(dot, toQ(colour));
    }
}

// The boxes a castle occupies in the province view: its own and, when besieged, the besiegers'.
QRectF castleFootprint(const WorldState& w, int c, const QTransform& t) {
    const QRectF box = boxRect(t.map(castlePoint(w, c)));
    return w.castles[c].besiegerCount > 0 ? box.united(box.translated(kBesiegerShift)) : box;
}

// Where a castle's label goes: beside its boxes on the right, else left, below or above, the first
// place that covers no castle box and no label placed before; the right side when all are taken.
QRectF placeLabel(const QRectF& foot, QSizeF size, const std::vector<QRectF>& taken) {
    const QRectF candidates[] = {
        QRectF(QPointF(foot.right() + 3, foot.top()), size),
        QRectF(QPointF(foot.left() - 3 - size.width(), foot.top()), size),
        QRectF(QPointF(foot.left(), foot.bottom() + 2), size),
        QRectF(QPointF(foot.left(), foot.top() - 2 - size.height()), size),
    };
    for (const QRectF& r : candidates) {
        bool free = true;
        for (const QRectF& other : taken)
            if (other.intersects(r)) {
                free = false;
                break;
            }
        if (free) return r;
    }
    return candidates[0];
}

void paintBoxes(QPainter& p, const WorldState& w, const MapViewState& s, const QTransform& t,
                const MapDecor* decor) {
    const QFont numberFont = uiFont(w.settings.language, 14);
    const QFont nameFont = uiFont(w.settings.language, 12);
    const QFontMetrics fm(nameFont);
    std::vector<int> shown;
    std::vector<QRectF> taken;
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castleSites[c].province != s.province) continue;
        shown.push_back(c);
        taken.push_back(castleFootprint(w, c, t));
    }
    // Labels first, so that the boxes with their counts stay on top wherever castles crowd.
    p.setFont(nameFont);
    for (int c : shown) {
        // Castle name, the owner with 大名家名表示, and a dialog's own label, on a light plate.
        QStringList lines{castleName(w, c)};
        if (s.houseNames) lines << houseName(w, w.castles[c].owner);
        if (decor && decor->castleLabel) {
            const QString extra = decor->castleLabel(c);
            if (!extra.isEmpty()) lines << extra;
        }
        double width = 0;
        for (const QString& line : lines)
            width = std::max<double>(width, fm.horizontalAdvance(line) + 4);
        const QRectF plate =
            placeLabel(castleFootprint(w, c, t), QSizeF(width, fm.height() * lines.size()), taken);
        taken.push_back(plate);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 240, 210));
        p.drawRect(plate);
        p.setPen(Qt::black);
        double y = plate.top();
        for (const QString& line : lines) {
            p.drawText(QRectF(plate.left(), y, plate.width(), fm.height()), Qt::AlignCenter, line);
            y += fm.height();
        }
    }
    p.setFont(numberFont);
    for (int c : shown) {
        const Castle& k = w.castles[c];
        const QRectF box = boxRect(t.map(castlePoint(w, c)));
        if (k.besiegerCount > 0) {
            const QRectF siege = box.translated(kBesiegerShift);
            p.setPen(QPen(toQ(houseColour(w, k.besiegedBy, CastleMark::Box)), 2.0));
            p.setBrush(QColor(40, 40, 40));
            p.drawRect(siege);
            p.setPen(Qt::white);
            p.drawText(siege, Qt::AlignCenter, QString::number(k.besiegerCount));
        }
        QColor fill = toQ(castleColour(w, c, CastleMark::Box));
        if (decor && decor->greyCastle && decor->greyCastle(c)) fill = QColor(160, 160, 160);
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(fill);
        p.drawRect(box);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, QString::number(k.generalCount));
    }
}

} // namespace

void MapViewState::setMagnified(bool on) {
    scale = on ? 2 : 1;
    nationalOffset = on ? QPoint(kMapViewWidth / 2, kMapViewHeight / 2) : QPoint(0, 0);
}

const MapGeometry& MapGeometry::of(const MapData& map) {
    static std::unique_ptr<MapGeometry> cached;
    const uint64_t fp = fingerprintOf(map);
    if (cached && cached->fingerprint == fp) return *cached;
    auto g = std::make_unique<MapGeometry>();
    g->fingerprint = fp;
    const ViewRect full; // all of map space onto a 560 x 440 target: map pixels unchanged
    const int n = static_cast<int>(map.shapes.size());
    g->polygons.resize(n);
    g->bounds.resize(n);
    for (int i = 0; i < n; ++i) {
        QPolygonF poly;
        for (const MapPoint& pt : shapeOutline(map, i, full, full.width, full.height))
            poly << QPointF(pt.x, pt.y);
        g->bounds[i] = poly.boundingRect();
        g->polygons[i] = std::move(poly);
    }
    g->order.resize(n);
    for (int i = 0; i < n; ++i)
        g->order[i] = i;
    std::stable_sort(g->order.begin(), g->order.end(),
                     [&](int a, int b) { return map.shapes[a].layer() < map.shapes[b].layer(); });
    cached = std::move(g);
    return *cached;
}

QRectF nationalMapRect(const WorldState& w) {
    const MainMapZoom& z = w.settings.mainMapKakudai;
    if (z.enabled && z.x1 > z.x0 && z.y1 > z.y0) return QRectF(z.x0, z.y0, z.x1 - z.x0, z.y1 - z.y0);
    return QRectF(0, 0, kMapViewWidth, kMapViewHeight);
}

QTransform mapTransform(const WorldState& w, const MapViewState& s) {
    QTransform t;
    if (s.mode == MapMode::Province && s.province >= 0 && s.province < kProvinceSlots) {
        const ProvinceViewArea& a = w.viewAreas[s.province];
        const double zoom = std::max(1, a.zoom);
        const QPoint off = s.provinceOffsets[s.province];
        t.translate(-off.x(), -off.y());
        t.scale(zoom, zoom);
        t.translate(-a.x0, -a.y0);
        return t;
    }
    const QRectF r = nationalMapRect(w);
    t.translate(-s.nationalOffset.x(), -s.nationalOffset.y());
    t.scale(kMapViewWidth * s.scale / r.width(), kMapViewHeight * s.scale / r.height());
    t.translate(-r.left(), -r.top());
    return t;
}

QSize contentSize(const WorldState& w, const MapViewState& s) {
    if (s.mode == MapMode::Province && s.province >= 0 && s.province < kProvinceSlots) {
        const ProvinceViewArea& a = w.viewAreas[s.province];
        const int zoom = std::max(1, a.zoom);
        return {std::max(0, a.x1 - a.x0) * zoom, std::max(0, a.y1 - a.y0) * zoom};
    }
    return {kMapViewWidth * s.scale, kMapViewHeight * s.scale};
}

QPoint clampOffset(QPoint o, QSize content, QSize view) {
    return {std::clamp(o.x(), 0, std::max(0, content.width() - view.width())),
            std::clamp(o.y(), 0, std::max(0, content.height() - view.height()))};
}

QPoint currentOffset(const MapViewState& s) {
    if (s.mode == MapMode::Province && s.province >= 0 && s.province < kProvinceSlots)
        return s.provinceOffsets[s.province];
    return s.nationalOffset;
}

void setCurrentOffset(MapViewState& s, QPoint offset) {
    if (s.mode == MapMode::Province && s.province >= 0 && s.province < kProvinceSlots)
        s.provinceOffsets[s.province] = offset;
    else
        s.nationalOffset = offset;
}

QPointF toMapCoords(const WorldState& w, const MapViewState& s, QPointF viewPos) {
    return mapTransform(w, s).inverted().map(viewPos);
}

int provinceAt(const WorldState& w, const MapViewState& s, QPointF viewPos) {
    const MapGeometry& g = MapGeometry::of(w.map);
    const QPointF at = toMapCoords(w, s, viewPos);
    for (auto it = g.order.rbegin(); it != g.order.rend(); ++it) {
        const MapShape& shape = w.map.shapes[*it];
        if (!isProvinceKey(w, shape.key) || shape.layer() == 7) continue;
        if (g.bounds[*it].contains(at) && g.polygons[*it].containsPoint(at, Qt::OddEvenFill))
            return shape.key;
    }
    return -1;
}

int castleAt(const WorldState& w, const MapViewState& s, QPointF viewPos) {
    if (s.mode != MapMode::Province) return -1;
    const QTransform t = mapTransform(w, s);
    for (int c = w.castleCount - 1; c >= 0; --c) {
        if (w.castleSites[c].province != s.province) continue;
        const QRectF box = boxRect(t.map(castlePoint(w, c)));
        if (box.contains(viewPos)) return c;
        if (w.castles[c].besiegerCount > 0 && box.translated(kBesiegerShift).contains(viewPos)) return c;
    }
    return -1;
}

void paintMap(QPainter& p, const WorldState& w, const MapViewState& s, const MapDecor* decor) {
    p.save();
    const QRectF viewRect(QPointF(0, 0), QSizeF(mapViewSize()));
    p.setClipRect(viewRect);
    p.fillRect(viewRect, mapBrushes().background);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QTransform t = mapTransform(w, s);
    paintShapes(p, w, s, t);
    if (decor) {
        const MapGeometry& g = MapGeometry::of(w.map);
        p.setPen(Qt::NoPen);
        for (int province : decor->filledProvinces)
            for (const ShapeFill& f : drawingOrder(w.map, province, true))
                if (f.kind == ShapeFill::Override) {
                    p.setBrush(decor->fillColour);
                    p.drawPolygon(t.map(g.polygons[f.shape]), Qt::OddEvenFill);
                }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    if (s.mode == MapMode::Province) {
        p.setRenderHint(QPainter::TextAntialiasing, true);
        paintBoxes(p, w, s, t, decor);
    } else if (!decor || !decor->hideCastleDots) {
        paintDots(p, w, s, t);
    }
    p.restore();
}

} // namespace vh::ui
