// The screenshot run's part for the command and month dialogs: the month's own dialogs are
// photographed as they come and answered, then the diplomacy and month dialogs are shown over
// the running game and photographed.
#pragma once

#include <QString>

class QWidget;

namespace vh {
struct Game;
}

namespace vh::ui {

class MainWindow;

// When `modal` is one of the month's routine dialogs (accounts, harvest, weather, ronin, envoy),
// writes it to `dir` and gives it its default answer. False for any other window.
bool dismissRoutineDialog(QWidget* modal, const QString& dir);

// Writes envoy-visit.png, envoy-choice.png, house-choice.png, vassal-success.png, harvest.png,
// event-snow.png, event-rain.png and ronin.png for the game as it stands.
void takeDialogScreenshots(Game& game, MainWindow* window, const QString& dir);

// Writes move.png, sortie.png, conscription.png, castle-food.png and castle-improve.png: the
// military windows opened on the player's best-manned castle, worked but not confirmed.
void takeMilitaryScreenshots(Game& game, MainWindow* window, const QString& dir);

} // namespace vh::ui
