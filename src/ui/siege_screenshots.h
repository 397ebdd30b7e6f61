// The screenshot run's siege window: a besieging player before and after a storm, a defending
// player, and a month played to its end, on copies of the running game.
#pragma once

#include <QString>

class QWidget;

namespace vh {
struct Game;
}

namespace vh::ui {

// Writes siege.png, siege-turn.png, siege-end.png and siege-defending.png.
void takeSiegeScreenshots(const Game& game, QWidget* parent, const QString& dir);

} // namespace vh::ui
