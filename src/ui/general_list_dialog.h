// "武将一覧": the generals of one house (and, with the switch, of its submitted vassals), and below
// them the prisoners and hostages the house keeps.
#pragma once

#include "ui/info_table.h"
#include "world/world_state.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace vh::ui {

class GeneralListDialog : public QDialog {
    Q_OBJECT
  public:
    GeneralListDialog(const WorldState& world, int house, QWidget* parent = nullptr);

    QLabel* heading() const { return heading_; }
    QCheckBox* vassalSwitch() const { return vassals_; }
    InfoTable* generalList() const { return generals_; }
    InfoTable* captiveList() const { return captives_; }

  private:
    void fillGenerals();

    const WorldState& world_;
    int house_;
    QLabel* heading_ = nullptr;
    QCheckBox* vassals_ = nullptr;
    InfoTable* generals_ = nullptr;
    InfoTable* captives_ = nullptr;
};

} // namespace vh::ui
