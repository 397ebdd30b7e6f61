// The screenshot run's part for the field battle: the formation window and the battle window
// after a volley and after a melee, for a battle between the player's house and a neighbour.
#pragma once

#include <QString>

namespace vh {
struct Game;
}

namespace vh::ui {

class MainWindow;

// Writes field-formation.png, field-battle-gunfire.png and field-battle-melee.png. The world is
// only read; the battle draws from its own generator.
void takeBattleScreenshots(Game& game, MainWindow* window, const QString& dir);

} // namespace vh::ui
