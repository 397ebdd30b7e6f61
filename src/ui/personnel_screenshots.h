// The screenshot run's part for the personnel and corps dialogs, shown over a copy of the running
// game with prisoners, hostages, a vassal and corps added, so the real game stays untouched.
#pragma once

#include <QString>

namespace vh {
struct Game;
}

namespace vh::ui {

class MainWindow;

// Writes surrendered.png, prisoners.png, prisoner-exchange.png, hostage-offer.png, hostages.png,
// guest-invitation.png, corps-organise.png, corps-orders.png, corps-fief.png,
// corps-fief-province.png and corps-assets.png.
void takePersonnelScreenshots(const Game& game, MainWindow* window, const QString& dir);

} // namespace vh::ui
