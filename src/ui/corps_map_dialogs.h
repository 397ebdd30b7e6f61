// The corps dialogs with a map: 軍団指示 (orders and responsible provinces), the fief pair
// 軍団領地割当 / 軍団所領割当 (castles given to a corps), and 軍団資産 (money and guns).
#pragma once

#include "ui/map_view.h"
#include "ui/person_list.h"
#include "world/world_state.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vh::ui {

class CorpsOrdersDialog : public QDialog {
    Q_OBJECT
  public:
    CorpsOrdersDialog(WorldState& world, const MapViewState& start, QWidget* parent = nullptr);
    PersonList* corpsList() const { return corps_; }
    MapView* mapView() const { return map_; }
    QLabel* hint() const { return hint_; }
    QRadioButton* actionButton(int action) const { return actions_[action & 3]; }
    QCheckBox* fiefSwitch() const { return fief_; }
    const MapDecor& decor() const { return decor_; }
    // A province clicked on the map with the selected corps.
    void clickProvince(int province);

  private:
    void corpsChosen();
    void refresh();
    WorldState& world_;
    PersonList* corps_ = nullptr;
    MapView* map_ = nullptr;
    MapDecor decor_;
    QLabel* hint_ = nullptr;
    QRadioButton* actions_[4] = {};
    QCheckBox* fief_ = nullptr;
    bool loading_ = false;
};

class CorpsFiefDialog : public QDialog {
    Q_OBJECT
  public:
    CorpsFiefDialog(WorldState& world, const MapViewState& start, QWidget* parent = nullptr);
    PersonList* corpsList() const { return corps_; }
    MapView* mapView() const { return map_; }
    // A province clicked: "先に軍団を選択してください", or its fief dialog.
    void clickProvince(int province);

  private:
    WorldState& world_;
    MapViewState start_;
    PersonList* corps_ = nullptr;
    MapView* map_ = nullptr;
};

class CorpsProvinceFiefDialog : public QDialog {
    Q_OBJECT
  public:
    CorpsProvinceFiefDialog(WorldState& world, int corps, int province, const MapViewState& start,
                            QWidget* parent = nullptr);
    MapView* mapView() const { return map_; }
    QLabel* provinceLabel() const { return province_; }
    // A click in the province view: a castle toggles, elsewhere another province with castles opens.
    void click(int province, int castle);

  private:
    void showProvince(int province);
    WorldState& world_;
    int corps_;
    MapView* map_ = nullptr;
    MapDecor decor_;
    QLabel* province_ = nullptr;
};

class CorpsAssetsDialog : public QDialog {
    Q_OBJECT
  public:
    CorpsAssetsDialog(WorldState& world, QWidget* parent = nullptr);
    PersonList* corpsList() const { return corps_; }
    QSpinBox* giveFunds() const { return give_; }
    QSpinBox* takeFunds() const { return take_; }
    QSpinBox* giveGuns() const { return guns_; }
    QPushButton* button(int which) const { return buttons_[which]; } // 0 give, 1 take, 2 guns
    void pressGive();
    void pressTake();
    void pressGuns();

  private:
    void refresh();
    void outcome(const std::string& refusal);
    WorldState& world_;
    PersonList* corps_ = nullptr;
    QLabel* funds_ = nullptr;
    QLabel* houseGuns_ = nullptr;
    QSpinBox* give_ = nullptr;
    QSpinBox* take_ = nullptr;
    QSpinBox* guns_ = nullptr;
    QPushButton* buttons_[3] = {};
};

} // namespace vh::ui
