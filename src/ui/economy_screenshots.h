// The screenshot run's part for the economy windows: each window shown over the running game on a
// copy of the world (the game itself is left as it was) and written as a PNG.
#pragma once

#include <QString>

namespace vh {
struct Game;
}

namespace vh::ui {

class MainWindow;

// Writes econ-land.png, econ-land-done.png, econ-market.png, econ-mine.png, econ-dispatch.png,
// econ-build.png, econ-fleets.png, econ-gun-production.png, econ-gun-purchase.png,
// econ-gun-deploy.png and econ-gun-delivery.png.
void takeEconomyScreenshots(const Game& game, MainWindow* window, const QString& dir);

} // namespace vh::ui
