// "大名家一覧": every living house with its castles, yields, towns, mines, generals, troops, funds,
// relation to the player, skills and ships; a narrow column of names stays beside the wide list.
// Choosing a row opens the house information, whose map shows the house's sphere of power.
#pragma once

#include "ui/info_table.h"
#include "ui/map_painter.h"
#include "world/world_state.h"

#include <QDialog>

namespace vh::ui {

class HouseListDialog : public QDialog {
    Q_OBJECT
  public:
    HouseListDialog(const WorldState& world, const MapViewState& mapStart, QWidget* parent = nullptr);

    // The wide list (column 0, the name, is hidden there and shown in nameList()).
    InfoTable* houseList() const { return list_; }
    QTreeView* nameList() const { return names_; }
    // Opens the house information of a house (what a click on a row does).
    void openHouse(int house);

  private:
    const WorldState& world_;
    MapViewState mapStart_;
    InfoTable* list_ = nullptr;
    QTreeView* names_ = nullptr;
};

} // namespace vh::ui
