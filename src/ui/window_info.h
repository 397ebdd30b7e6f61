// The main window's information commands: the castle and house information from the map and the
// ranking, the lists of houses and generals, the battle log and the version dialog.
#pragma once

#include <QString>

namespace vh::ui {

class MainWindow;

// Opens the information window named by a button or menu caption ("武将一覧", "大名家一覧",
// "交易船一覧", "ログ", "ﾊﾞｰｼﾞｮﾝ情報"); false when the caption belongs to a window not built here.
bool openInformation(MainWindow& window, const QString& caption);
void openCastleInformation(MainWindow& window, int castle);
void openHouseInformation(MainWindow& window, int house);

} // namespace vh::ui
