// "収穫": the rice harvest of the ninth month. The map shows every province's outcome; the player
// picks one of the nine tax rates, "50% (標準)" preselected.
#pragma once

#include "context/event_requests.h"
#include "ui/overlay_map_view.h"

#include <QDialog>

class QRadioButton;

namespace vh::ui {

// The fill of a province by its outcome: good, normal or poor.
QColor harvestColour(int outcome);

class HarvestDialog : public QDialog {
    Q_OBJECT
  public:
    HarvestDialog(const WorldState& world, const HarvestRequest& request, const MapViewState& start,
                  QWidget* parent = nullptr);

    // The selected tax index 0..8.
    int taxIndex() const;
    QRadioButton* rateButton(int index) const { return rates_[index]; }
    OverlayMapView* mapView() const { return map_; }

    // Only OK ends the choice; closing the window keeps the selected rate as if OK were pressed.
    void reject() override { accept(); }

  private:
    OverlayMapView* map_ = nullptr;
    QRadioButton* rates_[kTaxChoices] = {};
};

} // namespace vh::ui
