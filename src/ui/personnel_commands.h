// The personnel commands of the window: the four 人事 commands and the four corps commands, each
// with its gate, its dialogs in order and the operations they apply.
#pragma once

#include "ui/command_table.h"

namespace vh::ui {

bool runTreatPrisoners(MainWindow& window);
bool runExchangePrisoners(MainWindow& window);
bool runInviteGuest(MainWindow& window);
bool runTreatHostages(MainWindow& window);
bool runOrganiseCorps(MainWindow& window);
bool runCorpsOrders(MainWindow& window);
bool runCorpsFiefs(MainWindow& window);
bool runCorpsAssets(MainWindow& window);

} // namespace vh::ui
