// The diplomacy commands driven through their windows. Every rule and text is the core's; this
// file only puts the windows in the order the command needs them.
#include "ui/diplomacy_commands.h"

#include "ui/diplomacy_choice_dialogs.h"
#include "ui/main_window.h"
#include "ui/ui_text.h"

namespace vh::ui {

namespace {

void showOutcome(MainWindow& window, const DiplomacyOutcome& outcome) {
    for (size_t i = 0; i < outcome.messages.size(); ++i) {
        const QString text = utf8(outcome.messages[i]);
        if (i == 0 && outcome.vassalWindow) {
            VassalSuccessDialog d(text, &window);
            d.exec();
        } else {
            showMessage(&window, text);
        }
    }
}

} // namespace

bool runDiplomacyCommandDialogs(MainWindow& window, DiplomacyCommand command) {
    Game& game = window.game();
    WorldState& w = game.world;
    if (w.spectator || w.playerHouse < 0 || w.playerHouse >= w.houseCount) return false;
    const std::string refusal = checkDiplomacyCommand(w, command);
    if (!refusal.empty()) {
        showMessage(&window, utf8(refusal));
        return false;
    }
    if (command == DiplomacyCommand::Independence) {
        if (!askYesNo(&window, utf8(independenceQuestion(w)))) return false;
        showOutcome(window, runDiplomacyCommand(game, command, -1));
        return true;
    }
    const MapViewState start = window.mapView()->state();
    int envoy = -1;
    if (commandNeedsEnvoy(command)) {
        EnvoyChoiceDialog d(w, start, &window);
        if (d.exec() != QDialog::Accepted) return false;
        envoy = d.chosenEnvoy();
    }
    HouseChoiceDialog d(w, command, start, &window);
    if (d.exec() != QDialog::Accepted) return false;
    showOutcome(window, runDiplomacyCommand(game, command, d.chosenHouse(), envoy));
    return true;
}

CommandFn diplomacyCommandFn(DiplomacyCommand command) {
    return [command](MainWindow& window) { return runDiplomacyCommandDialogs(window, command); };
}

} // namespace vh::ui
