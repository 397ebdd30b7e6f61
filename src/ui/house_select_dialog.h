// "大名家選択": the player picks a province on the map, then one of the houses holding castles
// there, or watches the game instead.
#pragma once

#include "context/game.h"
#include "ui/house_choice_list.h"
#include "ui/map_view.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vh::ui {

class HouseSelectDialog : public QDialog {
    Q_OBJECT
  public:
    HouseSelectDialog(Game& game, const MapViewState& start, QWidget* parent = nullptr);

    // After accept(): the chosen house, or -1 for watching.
    int chosenHouse() const { return chosen_; }
    MapView* mapView() const { return map_; }
    HouseChoiceList* houseList() const { return list_; }
    QLabel* provinceLabel() const { return province_; }
    QPushButton* watchButton() const { return watch_; }
    QCheckBox* magnifySwitch() const { return magnify_; }

    // A province was clicked (also what a mouse click on the map does).
    void pickProvince(int province);
    // A row of the house list was chosen: asks "%sで始めます" and ends the dialog on OK.
    void pickHouse(int house);

  private:
    Game& game_;
    MapView* map_ = nullptr;
    QLabel* province_ = nullptr;
    HouseChoiceList* list_ = nullptr;
    QPushButton* watch_ = nullptr;
    QCheckBox* magnify_ = nullptr;
    int chosen_ = -1;
    bool asking_ = false;
};

} // namespace vh::ui
