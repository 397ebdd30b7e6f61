// Information windows opened from the main window; they only read the world.
#include "ui/window_info.h"

#include "ui/castle_info_dialog.h"
#include "ui/coalition_list_dialog.h"
#include "ui/economy_commands.h"
#include "ui/general_list_dialog.h"
#include "ui/house_info_dialog.h"
#include "ui/house_list_dialog.h"
#include "ui/log_dialog.h"
#include "ui/main_window.h"
#include "ui/version_dialog.h"

namespace vh::ui {

bool openInformation(MainWindow& window, const QString& caption) {
    const WorldState& w = window.game().world;
    if (caption == "武将一覧") {
        // The player's house; while watching there is none to show.
        if (w.playerHouse < 0 || w.playerHouse >= w.houseCount || !houseAlive(w, w.playerHouse)) return true;
        GeneralListDialog d(w, w.playerHouse, &window);
        d.exec();
    } else if (caption == "大名家一覧") {
        HouseListDialog d(w, window.mapView()->state(), &window);
        d.exec();
    } else if (caption == "連合一覧") {
        CoalitionListDialog d(w, &window);
        d.exec();
    } else if (caption == "交易船一覧") {
        openFleetList(window);
    } else if (caption == "ログ") {
        LogDialog d(window.game().battleReport, &window);
        d.exec();
    } else if (caption == "ﾊﾞｰｼﾞｮﾝ情報") {
        VersionDialog d(&window);
        d.exec();
    } else {
        return false;
    }
    return true;
}

void openCastleInformation(MainWindow& window, int castle) {
    const WorldState& w = window.game().world;
    if (castle < 0 || castle >= w.castleCount) return;
    CastleInfoDialog d(w, castle, window.mapView()->state(), &window);
    d.exec();
}

void openHouseInformation(MainWindow& window, int house) {
    const WorldState& w = window.game().world;
    if (!houseAlive(w, house)) return;
    HouseInfoDialog d(w, house, window.mapView()->state(), &window);
    d.exec();
}

} // namespace vh::ui
