// The personnel and corps commands driven through their dialogs.
#include "ui/personnel_commands.h"

#include "personnel/personnel_lists.h"
#include "personnel/prisoners.h"
#include "ui/corps_map_dialogs.h"
#include "ui/corps_organise_dialog.h"
#include "ui/diplomacy_choice_dialogs.h"
#include "ui/hostage_dialogs.h"
#include "ui/main_window.h"
#include "ui/prisoner_dialogs.h"
#include "ui/ui_text.h"

namespace vh::ui {

namespace {

bool hasPlayerHouse(const WorldState& w) {
    return !w.spectator && w.playerHouse >= 0 && w.playerHouse < w.houseCount;
}

// The refusal of a gate, shown; true when the command may go on.
bool passes(MainWindow& window, const std::string& refusal) {
    if (refusal.empty()) return true;
    showMessage(&window, utf8(refusal));
    return false;
}

} // namespace

bool runTreatPrisoners(MainWindow& window) {
    Game& game = window.game();
    if (!hasPlayerHouse(game.world) || !passes(window, checkTreatPrisoners(game.world))) return false;
    PrisonerDialog d(
        PrisonerDialog::Mode::Treatment,
        surrenderRequest(game, prisonersHeldBy(game.world, game.world.playerHouse)),
        [&game](int g) { return canRecruit(game.world, g); }, &window);
    d.exec();
    return true;
}

bool runExchangePrisoners(MainWindow& window) {
    Game& game = window.game();
    if (!hasPlayerHouse(game.world) || !passes(window, checkTreatPrisoners(game.world))) return false;
    HouseChoiceDialog choice(game.world, DiplomacyCommand::PrisonerExchange, window.mapView()->state(),
                             &window);
    if (choice.exec() != QDialog::Accepted) return false;
    PrisonerExchangeDialog d(game, choice.chosenHouse(), &window);
    return d.exec() == QDialog::Accepted;
}

bool runInviteGuest(MainWindow& window) {
    Game& game = window.game();
    if (!hasPlayerHouse(game.world)) return false;
    GuestInvitationDialog d(game, &window);
    d.exec();
    return d.changed();
}

bool runTreatHostages(MainWindow& window) {
    Game& game = window.game();
    if (!hasPlayerHouse(game.world) || !passes(window, checkTreatHostages(game.world))) return false;
    HostageTreatmentDialog d(game, &window);
    d.exec();
    return true; // the window redraws its map and province summary
}

bool runOrganiseCorps(MainWindow& window) {
    if (!hasPlayerHouse(window.game().world)) return false;
    CorpsOrganiseDialog d(window.game().world, &window);
    d.exec();
    return true;
}

bool runCorpsOrders(MainWindow& window) {
    if (!hasPlayerHouse(window.game().world)) return false;
    CorpsOrdersDialog d(window.game().world, window.mapView()->state(), &window);
    d.exec();
    return true;
}

bool runCorpsFiefs(MainWindow& window) {
    if (!hasPlayerHouse(window.game().world)) return false;
    CorpsFiefDialog d(window.game().world, window.mapView()->state(), &window);
    d.exec();
    return true;
}

bool runCorpsAssets(MainWindow& window) {
    if (!hasPlayerHouse(window.game().world)) return false;
    CorpsAssetsDialog d(window.game().world, &window);
    d.exec();
    return true;
}

} // namespace vh::ui
