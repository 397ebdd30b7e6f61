// A map widget for report and question dialogs: the ordinary map with some provinces filled in
// colours of the dialog's own (harvest outcome, weather) and some castles ringed (a territory).
#pragma once

#include "ui/map_view.h"

#include <QColor>

#include <utility>
#include <vector>

namespace vh::ui {

class OverlayMapView : public MapView {
    Q_OBJECT
  public:
    OverlayMapView(const WorldState& world, QWidget* parent = nullptr);

    // Provinces filled over the map, each in its own colour; the map then shows no castle dots.
    void setProvinceFills(std::vector<std::pair<int, QColor>> fills);
    const std::vector<std::pair<int, QColor>>& provinceFills() const { return fills_; }
    // Provinces tinted with a translucent colour, so the castle dots stay visible through it.
    void setTint(std::vector<int> provinces, QColor colour);
    // Castles whose dots get a ring (national map only).
    void setRingedCastles(std::vector<int> castles, QColor colour);
    const std::vector<int>& ringedCastles() const { return rings_; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    const WorldState& world_;
    MapDecor decor_;
    std::vector<std::pair<int, QColor>> fills_;
    std::vector<int> tinted_;
    QColor tint_;
    std::vector<int> rings_;
    QColor ringColour_;
};

// A small square of colour with a caption, for map legends.
QWidget* legendEntry(const QColor& colour, const QString& caption, QWidget* parent);

} // namespace vh::ui
