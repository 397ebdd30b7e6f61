// "使者来訪": a computer house's envoy asks the player's house for consent. The question, the
// sender's figures, its territory on the map and, for applications, whether to demand a hostage.
#pragma once

#include "diplomacy/envoy_visit.h"
#include "ui/overlay_map_view.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vh::ui {

class EnvoyVisitDialog : public QDialog {
    Q_OBJECT
  public:
    EnvoyVisitDialog(const WorldState& world, const EnvoyVisitRequest& request, const MapViewState& start,
                     QWidget* parent = nullptr);

    // After exec(): はい accepts; いいえ and closing the window refuse.
    EnvoyVisitAnswer answer() const;

    QLabel* questionLabel() const { return question_; }
    QLabel* infoLabel() const { return info_; }
    QCheckBox* hostageBox() const { return hostage_; } // null unless the request offers it
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }
    QPushButton* territoryButton() const { return territory_; }
    OverlayMapView* mapView() const { return map_; }

    // "勢力範囲の確認": the sender's provinces tinted and its castles ringed, or the plain map.
    void showTerritory(bool on);

  private:
    const WorldState& world_;
    int house_ = -1;
    QLabel* question_ = nullptr;
    QLabel* info_ = nullptr;
    QCheckBox* hostage_ = nullptr;
    QPushButton* territory_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
    OverlayMapView* map_ = nullptr;
};

// The castles a house's territory shows: its own and those of the houses submitted to it.
std::vector<int> territoryCastles(const WorldState& w, int house);

} // namespace vh::ui
