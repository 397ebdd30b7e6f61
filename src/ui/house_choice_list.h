// The pieces of a house choice over the map: the house list (大名家 / 城数 / 石高), the map and its
// magnification switch, and the province click that fills the list. Shared by the house selection
// at the start and the house choice of the diplomacy commands.
#pragma once

#include "ui/map_view.h"
#include "world/world_state.h"

#include <QTreeWidget>

#include <string>

class QCheckBox;

namespace vh::ui {

class HouseChoiceList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit HouseChoiceList(QWidget* parent = nullptr);

    // One row: the house's name, its castles in every province and its koku as text.
    void addHouse(int house, const QString& name, int castles, const QString& koku);

  signals:
    // A row was clicked or activated; one click may bring both, so the dialog asks only once.
    void houseChosen(int house);
};

// The map of a house choice: the main window's view, shown national with no province marked.
MapView* newChoiceMap(const WorldState& w, const MapViewState& start, QWidget* parent);
// "マップ拡大表示", checked as the map's scale is, switching the map's magnification.
QCheckBox* newMagnifySwitch(MapView* map, QWidget* parent);

// A province clicked on a choice map: nothing for one off the map; the refusal, when there is one,
// as a message; otherwise the province is marked on the map. True when it was marked.
bool markChosenProvince(QWidget* dialog, MapView* map, const WorldState& w, int province,
                        const std::string& refusal);

} // namespace vh::ui
