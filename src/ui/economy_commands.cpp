// The economy commands driven through their windows: every rule and text is the core's; this file
// puts the refusal, the window and the operation in order.
#include "ui/economy_commands.h"

#include "economy/firearms.h"
#include "economy/trade_ships.h"
#include "ui/development_dialog.h"
#include "ui/firearms_dialogs.h"
#include "ui/main_window.h"
#include "ui/trade_ship_dialogs.h"
#include "ui/ui_text.h"

namespace vh::ui {

namespace {

// The player's living house, or false when watching.
bool playing(const WorldState& w) {
    return !w.spectator && houseAlive(w, w.playerHouse);
}

int shownProvince(MainWindow& window) {
    return window.mapView()->state().selectedProvince;
}

// Shows the refusal; true when there was one.
bool refused(MainWindow& window, const std::string& refusal) {
    if (refusal.empty()) return false;
    showMessage(&window, utf8(refusal));
    return true;
}

} // namespace

CommandFn developmentCommandFn(Development kind) {
    return [kind](MainWindow& window) {
        Game& game = window.game();
        if (!playing(game.world)) return false;
        const int province = shownProvince(window);
        if (refused(window, checkDevelopmentCommand(game.world, kind, province))) return false;
        DevelopmentDialog d(game, kind, province, &window);
        d.exec();
        return d.executed();
    };
}

bool runTradeDispatch(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playing(w)) return false;
    const int province = shownProvince(window);
    if (refused(window, checkDispatchCommand(w, province))) return false;
    TradeDispatchDialog d(w, province, &window);
    if (d.exec() != QDialog::Accepted) return false;
    // With all ten fleet slots busy the order is taken but no fleet sails and nothing is paid.
    dispatchTradeShips(w, w.playerHouse, -1, d.port(), d.partner(), d.ships());
    return true;
}

bool runShipBuilding(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playing(w)) return false;
    const int province = shownProvince(window);
    if (refused(window, checkBuildCommand(w, province))) return false;
    ShipBuildDialog d(w, province, &window);
    if (d.exec() != QDialog::Accepted) return false;
    buildTradeShips(w, w.playerHouse, -1, d.port(), d.ships());
    return true;
}

bool runGunProduction(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playing(w)) return false;
    if (remainingProduction(w, w.playerHouse) == 0) {
        showMessage(&window, kNoProduction);
        return false;
    }
    GunProductionDialog d(w, &window);
    if (d.exec() != QDialog::Accepted || d.units() == 0) return false;
    orderProduction(w, w.playerHouse, d.units());
    return true;
}

bool runGunPurchase(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playing(w)) return false;
    GunPurchaseDialog d(w, &window);
    if (d.exec() != QDialog::Accepted) return false;
    const auto orders = d.orders();
    for (const auto& [offer, units] : orders)
        orderFromMarket(w, w.playerHouse, offer.market, offer.months, units, true);
    return !orders.empty();
}

bool runGunDeployment(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playing(w)) return false;
    const int province = shownProvince(window);
    if (refused(window, checkDeploymentCommand(w, province))) return false;
    GunDeploymentDialog d(w, province, &window);
    if (d.exec() != QDialog::Accepted) return false;
    const auto given = d.assignments();
    deployGuns(w, w.playerHouse, given);
    return !given.empty();
}

void openFleetList(MainWindow& window) {
    const WorldState& w = window.game().world;
    if (!houseAlive(w, w.playerHouse)) return;
    FleetListDialog d(w, &window);
    d.exec();
}

} // namespace vh::ui
