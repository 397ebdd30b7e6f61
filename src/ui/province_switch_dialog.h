// "国表示切替": choose the province a map dialog shows by clicking it on the national map.
#pragma once

#include "ui/map_view.h"

#include <QDialog>

class QCheckBox;

namespace vh::ui {

class ProvinceSwitchDialog : public QDialog {
    Q_OBJECT
  public:
    ProvinceSwitchDialog(const WorldState& world, const MapViewState& start, QWidget* parent = nullptr);
    // After accept(): the chosen province (it has at least one castle).
    int chosenProvince() const { return chosen_; }
    MapView* mapView() const { return map_; }

  private:
    MapView* map_ = nullptr;
    QCheckBox* magnify_ = nullptr;
    int chosen_ = -1;
};

} // namespace vh::ui
