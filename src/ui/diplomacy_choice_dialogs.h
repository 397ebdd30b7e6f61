// The windows of the player's diplomacy commands: the envoy choice (同盟交渉: a castle of the
// house on the map, then a general who has not acted), the house choice per command (a province
// on the map, then a house) with the checks and confirmation, and the 臣従化成功 window.
#pragma once

#include "diplomacy/player_commands.h"
#include "context/game.h"
#include "ui/house_choice_list.h"
#include "ui/map_view.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class EnvoyChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    EnvoyChoiceDialog(const WorldState& world, const MapViewState& start, QWidget* parent = nullptr);

    // After accept(): the castle and the general sent.
    int chosenCastle() const { return castle_; }
    int chosenEnvoy() const { return envoy_; }

    MapView* mapView() const { return map_; }
    QLabel* castleLabel() const { return castleLabel_; }
    QTreeWidget* generalList() const { return list_; }
    QPushButton* okButton() const { return ok_; }

    // A click on the national map: the province is shown large so its castles can be picked.
    void pickProvince(int province);
    // A castle of the house: its generals who have not acted fill the list. Other castles are ignored.
    void pickCastle(int castle);
    // OK: the selected general, or "同盟交渉する武将を指定して下さい".
    void confirm();

  private:
    void showNational();

    const WorldState& world_;
    MapDecor decor_;
    MapView* map_ = nullptr;
    QLabel* castleLabel_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* ok_ = nullptr;
    int castle_ = -1;
    int envoy_ = -1;
};

class HouseChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    HouseChoiceDialog(const WorldState& world, DiplomacyCommand command, const MapViewState& start,
                      QWidget* parent = nullptr);

    // After accept(): the house the command goes to (the lord, when the player agreed to retarget).
    int chosenHouse() const { return chosen_; }

    MapView* mapView() const { return map_; }
    QLabel* provinceLabel() const { return province_; }
    HouseChoiceList* houseList() const { return list_; }

    // A province clicked on the map: its houses, or "このシナリオでは、%sのデータはありません".
    void pickProvince(int province);
    // A house of the list: the checks in order with their messages and questions, then the
    // confirmation; OK ends the dialog, every refusal leaves the choice open.
    void pickHouse(int house);

  private:
    const WorldState& world_;
    DiplomacyCommand command_;
    MapView* map_ = nullptr;
    QLabel* province_ = nullptr;
    HouseChoiceList* list_ = nullptr;
    QCheckBox* magnify_ = nullptr;
    int chosen_ = -1;
    bool asking_ = false;
};

// "臣従化成功": the outcome with the two notes on what a submitted vassal means, and OK.
class VassalSuccessDialog : public QDialog {
    Q_OBJECT
  public:
    VassalSuccessDialog(const QString& message, QWidget* parent = nullptr);
};

} // namespace vh::ui
