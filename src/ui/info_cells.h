// Cells shared by the general lists of the information dialogs: ages, troops and abilities with
// their sort keys.
#pragma once

#include "ui/info_table.h"
#include "world/world_state.h"

#include <QList>

namespace vh::ui {

// The age column; unknown ages sort before every known one.
QStandardItem* ageCell(const WorldState& w, const General& g, bool hostageStyle = false);
// 騎馬兵, 足軽兵, 鉄砲数, multiplied by HeiUnit.
QList<QStandardItem*> troopCells(const WorldState& w, const General& g);
// 武勇, 政治, 智謀.
QList<QStandardItem*> abilityCells(const General& g);
// The shared columns 名前, 所属, 地位, 年齢, 騎馬兵 ... 智謀 of a general.
QList<QStandardItem*> generalCells(const WorldState& w, int general);

} // namespace vh::ui
