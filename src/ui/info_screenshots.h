// The screenshot run's part for the information, settings, help and utility windows: each one is
// opened over the running game and written as a PNG.
#pragma once

#include <QString>

namespace vh {
struct Game;
}

namespace vh::ui {

class AppServices;
class MainWindow;

// Writes castle-info.png, castle-info-siege.png, castle-pictures.png,
// house-info.png, house-list.png, general-list.png,
// log.png, auto-progress.png, music-settings.png, help.png, version.png, utility.png, password.png
// and benchmark-years.png.
void takeInfoScreenshots(Game& game, MainWindow* window, AppServices* services, const QString& dir);

} // namespace vh::ui
