// Painting the two map displays (national map, province view) onto any QPainter, with the geometry
// the mouse needs: transforms, scroll clamping, and which province or castle lies under a point.
#pragma once

#include "world/world_state.h"

#include <QColor>
#include <QPoint>
#include <QPolygonF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace vh::ui {

// Size of the map area in every window and dialog that shows a map (map pixels at scale 1).
inline constexpr int kMapViewWidth = 560;
inline constexpr int kMapViewHeight = 440;
inline QSize mapViewSize() {
    return {kMapViewWidth, kMapViewHeight};
}

enum class MapMode { National, Province };

// What a map shows and where it is scrolled. The main window owns one; map dialogs start from a copy.
struct MapViewState {
    MapMode mode = MapMode::National;
    int scale = 1;         // national map: 1, or 2 when magnified
    QPoint nationalOffset; // scroll offset in pixels of the scaled map
    int province = -1;     // the province shown in the province view
    int selectedProvince = -1;
    std::array<QPoint, kProvinceSlots> provinceOffsets{};
    bool colourCoding = false;
    bool houseNames = false;
    int pulse = 0; // advanced by the window's timer

    // Magnification switch: scale 2 scrolled to half the view, or scale 1 unscrolled.
    void setMagnified(bool on);
};

// Extras some dialogs paint over the plain map.
struct MapDecor {
    std::vector<int> filledProvinces; // filled with fillColour (e.g. a corps' responsible provinces)
    QColor fillColour{200, 255, 200};
    std::function<QString(int castle)> castleLabel; // text beside a castle box, empty for none
    std::function<bool(int castle)> greyCastle;     // box drawn grey (out of reach)
    bool hideCastleDots = false;                    // national map of provinces only (harvest, weather)
};

// Shape outlines of one map in map pixels, with the painting order, cached between frames.
struct MapGeometry {
    std::vector<QPolygonF> polygons; // per shape, map pixels
    std::vector<QRectF> bounds;
    std::vector<int> order; // shape indices layer by layer
    uint64_t fingerprint = 0;
    static const MapGeometry& of(const MapData& map);
};

// Map pixels to view pixels for the current display.
QTransform mapTransform(const WorldState& w, const MapViewState& s);
// The scrollable extent of the current display in view pixels.
QSize contentSize(const WorldState& w, const MapViewState& s);
// The rectangle of map space the national map shows (all of it, or the scenario's MainMapKakudai).
QRectF nationalMapRect(const WorldState& w);
// Offset limited to 0 .. content - view in each axis (0 when the content is smaller).
QPoint clampOffset(QPoint offset, QSize content, QSize view = mapViewSize());
QPoint currentOffset(const MapViewState& s);
void setCurrentOffset(MapViewState& s, QPoint offset);

// Map coordinates under a point of the view.
QPointF toMapCoords(const WorldState& w, const MapViewState& s, QPointF viewPos);
// The province whose shape lies under a view point (topmost layer first), or -1.
int provinceAt(const WorldState& w, const MapViewState& s, QPointF viewPos);
// The castle whose box lies under a view point in the province view, or -1.
int castleAt(const WorldState& w, const MapViewState& s, QPointF viewPos);

// Paints the current display into the view rectangle (0, 0)-(560, 440) of the painter.
void paintMap(QPainter& p, const WorldState& w, const MapViewState& s, const MapDecor* decor = nullptr);

} // namespace vh::ui
