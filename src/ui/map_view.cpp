// Mouse handling and painting of the map widget.
#include "ui/map_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace vh::ui {

MapView::MapView(const WorldState& world, QWidget* parent) : QWidget(parent), world_(world) {
    setFixedSize(mapViewSize());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapView::setState(const MapViewState& s) {
    state_ = s;
    update();
}

void MapView::setDecor(const MapDecor* decor) {
    decor_ = decor;
    update();
}

void MapView::setMagnified(bool on) {
    state_.setMagnified(on);
    state_.nationalOffset = clampOffset(state_.nationalOffset, contentSize(world_, state_));
    update();
}

void MapView::showNational() {
    state_.mode = MapMode::National;
    update();
}

void MapView::showProvince(int province) {
    state_.mode = MapMode::Province;
    state_.province = province;
    if (province >= 0 && province < kProvinceSlots)
        state_.provinceOffsets[province] =
            clampOffset(state_.provinceOffsets[province], contentSize(world_, state_));
    update();
}

void MapView::advancePulse() {
    ++state_.pulse;
    if (state_.mode == MapMode::National) update();
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintMap(p, world_, state_, decor_);
}

void MapView::mousePressEvent(QMouseEvent* e) {
    const QPointF at = e->position();
    if (!rect().contains(at.toPoint())) return;
    if (e->button() == Qt::LeftButton) {
        emit leftClicked(provinceAt(world_, state_, at), castleAt(world_, state_, at));
    } else if (e->button() == Qt::RightButton) {
        dragging_ = true;
        dragStart_ = at.toPoint();
        dragOffset_ = currentOffset(state_);
        emit rightPressed(provinceAt(world_, state_, at));
    }
}

void MapView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    if (dragging_ && (e->buttons() & Qt::RightButton)) {
        const QPoint wanted = dragOffset_ + (dragStart_ - at);
        const QPoint clamped = clampOffset(wanted, contentSize(world_, state_));
        if (clamped != currentOffset(state_)) {
            setCurrentOffset(state_, clamped);
            update();
        }
    }
    if (rect().contains(at)) {
        const QPointF m = toMapCoords(world_, state_, e->position());
        emit pointerMoved(QPoint(static_cast<int>(std::floor(m.x())), static_cast<int>(std::floor(m.y()))));
    }
}

void MapView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) dragging_ = false;
}

} // namespace vh::ui
