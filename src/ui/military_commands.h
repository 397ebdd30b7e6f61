// The military commands driven through their windows: 武将移動 and 出陣 (gate, order window, order),
// 徴兵, 城兵糧補充 and 城普請 (province check, window, OK applies the plan).
#pragma once

#include "ui/command_table.h"

namespace vh::ui {

bool runMoveCommand(MainWindow& window);
bool runSortieCommand(MainWindow& window);
bool runConscriptionCommand(MainWindow& window);
bool runCastleFoodCommand(MainWindow& window);
bool runCastleImproveCommand(MainWindow& window);

} // namespace vh::ui
