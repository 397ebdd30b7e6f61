// The house list, map, magnification switch and province click of a house choice.
#include "ui/house_choice_list.h"

#include "ui/ui_text.h"

#include <QCheckBox>

namespace vh::ui {

HouseChoiceList::HouseChoiceList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(3);
    setHeaderLabels({"大名家", "城数", "石高"});
    setRootIsDecorated(false);
    setColumnWidth(0, 110);
    setColumnWidth(1, 48);
    setMinimumWidth(290);
    const auto choose = [this](QTreeWidgetItem* item) {
        emit houseChosen(item->data(0, Qt::UserRole).toInt());
    };
    connect(this, &QTreeWidget::itemActivated, this, choose);
    connect(this, &QTreeWidget::itemClicked, this, choose);
}

void HouseChoiceList::addHouse(int house, const QString& name, int castles, const QString& koku) {
    auto* item = new QTreeWidgetItem(this, {name, QString::number(castles), koku});
    item->setData(0, Qt::UserRole, house);
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
}

MapView* newChoiceMap(const WorldState& w, const MapViewState& start, QWidget* parent) {
    auto* map = new MapView(w, parent);
    MapViewState s = start;
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    map->setState(s);
    return map;
}

QCheckBox* newMagnifySwitch(MapView* map, QWidget* parent) {
    auto* magnify = new QCheckBox("マップ拡大表示", parent);
    magnify->setChecked(map->state().scale == 2);
    QObject::connect(magnify, &QCheckBox::toggled, map, &MapView::setMagnified);
    return magnify;
}

bool markChosenProvince(QWidget* dialog, MapView* map, const WorldState& w, int province,
                        const std::string& refusal) {
    if (province < 0 || province >= w.provinceCount()) return false;
    if (!refusal.empty()) {
        showMessage(dialog, utf8(refusal));
        return false;
    }
    map->state().selectedProvince = province;
    map->update();
    return true;
}

} // namespace vh::ui
