// The military commands: each checks its gate, runs its window and applies what was confirmed.
#include "ui/military_commands.h"

#include "military/moves.h"
#include "military/sorties.h"
#include "ui/armament_dialogs.h"
#include "ui/army_order_dialogs.h"
#include "ui/main_window.h"
#include "ui/ui_text.h"

namespace vh::ui {

namespace {

bool playerCanAct(const WorldState& w) {
    return !w.spectator && w.playerHouse >= 0 && w.playerHouse < w.houseCount;
}

int selectedProvince(MainWindow& window) {
    return window.mapView()->state().selectedProvince;
}

// The three 軍備 windows share their gate: a selected province, no status test.
bool provinceChosen(MainWindow& window) {
    if (selectedProvince(window) >= 0) return true;
    showMessage(&window, kChooseProvince);
    return false;
}

} // namespace

bool runMoveCommand(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playerCanAct(w)) return false;
    const std::string refusal = checkMoveCommand(w, w.playerHouse, selectedProvince(window));
    if (!refusal.empty()) {
        showMessage(&window, utf8(refusal));
        return false;
    }
    MoveDialog d(w, w.playerHouse, window.mapView()->state(), &window);
    if (d.exec() != QDialog::Accepted) return false;
    orderMove(w, d.selectedGenerals(), d.chosenTarget());
    return true;
}

bool runSortieCommand(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playerCanAct(w)) return false;
    const std::string refusal = checkSortieCommand(w, w.playerHouse, selectedProvince(window));
    if (!refusal.empty()) {
        showMessage(&window, utf8(refusal));
        return false;
    }
    SortieDialog d(w, w.playerHouse, window.mapView()->state(), &window);
    if (d.exec() != QDialog::Accepted) return false;
    orderSortie(w, d.selectedGenerals(), d.chosenTarget());
    return true;
}

bool runConscriptionCommand(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playerCanAct(w) || !provinceChosen(window)) return false;
    ConscriptionDialog d(w, w.playerHouse, selectedProvince(window), remainingPools(w), &window);
    if (d.exec() != QDialog::Accepted) return false;
    applyPlayerConscription(w, d.plan());
    return true;
}

bool runCastleFoodCommand(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playerCanAct(w) || !provinceChosen(window)) return false;
    CastleFoodDialog d(w, w.playerHouse, selectedProvince(window), &window);
    if (d.exec() != QDialog::Accepted) return false;
    applyFood(w, d.plan());
    return true;
}

bool runCastleImproveCommand(MainWindow& window) {
    WorldState& w = window.game().world;
    if (!playerCanAct(w) || !provinceChosen(window)) return false;
    CastleImproveDialog d(w, w.playerHouse, selectedProvince(window), &window);
    if (d.exec() != QDialog::Accepted) return false;
    applyImprovement(w, d.plan());
    return true;
}

} // namespace vh::ui
