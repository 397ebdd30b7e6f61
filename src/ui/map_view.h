// The map widget: paints the national map or a province view and turns the mouse into clicks,
// right-drag scrolling and the map coordinates under the pointer. What a click means is the owner's call.
#pragma once

#include "ui/map_painter.h"

#include <QWidget>

namespace vh::ui {

class MapView : public QWidget {
    Q_OBJECT
  public:
    MapView(const WorldState& world, QWidget* parent = nullptr);

    MapViewState& state() { return state_; }
    const MapViewState& state() const { return state_; }
    void setState(const MapViewState& s);
    // Extras painted over the map (not owned; may be null).
    void setDecor(const MapDecor* decor);

    // Switches between scale 1 and 2 as the magnification switch does.
    void setMagnified(bool on);
    void showNational();
    void showProvince(int province);
    void advancePulse();

  signals:
    // Left button: the province under the pointer and, in the province view, the castle box there.
    void leftClicked(int province, int castle);
    // Right button pressed (a drag may follow): the province under the pointer.
    void rightPressed(int province);
    // Map coordinates under the pointer.
    void pointerMoved(QPoint mapPos);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

  private:
    const WorldState& world_;
    MapViewState state_;
    const MapDecor* decor_ = nullptr;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint dragOffset_;
};

} // namespace vh::ui
