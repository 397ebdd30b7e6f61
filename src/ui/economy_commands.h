// The economy commands in the window: each command's refusal, its window, and the operation that
// applies the accepted choice (開墾, 楽市楽座, 鉱山開発, 交易船派遣, 船舶建造, 鉄砲生産, 鉄砲購入,
// 鉄砲配備), and the ship list 交易船一覧.
#pragma once

#include "economy/development.h"
#include "ui/command_table.h"

namespace vh::ui {

class MainWindow;

CommandFn developmentCommandFn(Development kind);
bool runTradeDispatch(MainWindow& window);
bool runShipBuilding(MainWindow& window);
bool runGunProduction(MainWindow& window);
bool runGunPurchase(MainWindow& window);
bool runGunDeployment(MainWindow& window);
void openFleetList(MainWindow& window);

} // namespace vh::ui
