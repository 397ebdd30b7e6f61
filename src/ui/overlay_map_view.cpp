// Painting of the dialog maps: the plain map first, then the dialog's fills, tints and rings.
#include "ui/overlay_map_view.h"

#include "world/map_file.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace vh::ui {

namespace {

// Every land shape of a province (its lakes keep their water), in painting order.
void fillProvince(QPainter& p, const WorldState& w, const QTransform& t, int province) {
    if (province < 0 || province >= w.provinceCount()) return;
    const MapGeometry& g = MapGeometry::of(w.map);
    for (const ShapeFill& f : drawingOrder(w.map, province, true))
        if (f.kind == ShapeFill::Override) p.drawPolygon(t.map(g.polygons[f.shape]), Qt::OddEvenFill);
}

} // namespace

OverlayMapView::OverlayMapView(const WorldState& world, QWidget* parent)
    : MapView(world, parent), world_(world) {}

void OverlayMapView::setProvinceFills(std::vector<std::pair<int, QColor>> fills) {
    fills_ = std::move(fills);
    decor_.hideCastleDots = !fills_.empty();
    setDecor(&decor_);
}

void OverlayMapView::setTint(std::vector<int> provinces, QColor colour) {
    tinted_ = std::move(provinces);
    tint_ = colour;
    update();
}

void OverlayMapView::setRingedCastles(std::vector<int> castles, QColor colour) {
    rings_ = std::move(castles);
    ringColour_ = colour;
    update();
}

void OverlayMapView::paintEvent(QPaintEvent* e) {
    MapView::paintEvent(e);
    if (fills_.empty() && tinted_.empty() && rings_.empty()) return;
    QPainter p(this);
    p.setClipRect(QRect(QPoint(0, 0), mapViewSize()));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QTransform t = mapTransform(world_, state());
    // A thin dark border keeps neighbouring provinces of the same colour apart.
    QPen border(QColor(60, 50, 40), 1.0);
    border.setCosmetic(true);
    p.setPen(border);
    for (const auto& [province, colour] : fills_) {
        p.setBrush(colour);
        fillProvince(p, world_, t, province);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(tint_);
    for (int province : tinted_)
        fillProvince(p, world_, t, province);
    if (state().mode != MapMode::National) return;
    const double side = std::max(1, world_.settings.shiroDotSize) * state().scale;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ringColour_, 2.0));
    for (int c : rings_) {
        if (c < 0 || c >= world_.castleCount) continue;
        const QPointF at = t.map(QPointF(world_.castleSites[c].x + 0.5, world_.castleSites[c].y + 0.5));
        const double r = side / 2 + 4;
        p.drawEllipse(at, r, r);
    }
}

QWidget* legendEntry(const QColor& colour, const QString& caption, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    auto* swatch = new QLabel(box);
    swatch->setFixedSize(16, 12);
    swatch->setStyleSheet(
        QString("QLabel { background: %1; border: 1px solid #3c3228; }").arg(colour.name()));
    h->addWidget(swatch);
    h->addWidget(new QLabel(caption, box));
    return box;
}

} // namespace vh::ui
