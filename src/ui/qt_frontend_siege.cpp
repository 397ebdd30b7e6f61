// The player's siege in the siege window, with the battle piece playing while it is open.
#include "ui/qt_frontend.h"

#include "battle/player_siege.h"
#include "ui/main_window.h"
#include "ui/siege_window.h"

#include <QCoreApplication>

namespace vh::ui {

bool QtFrontend::fightSiege(PlayerSiege& siege) {
    if (quiet()) return false;
    if (battleMusic) battleMusic();
    {
        SiegeWindow w(siege, window_);
        w.exec();
    }
    if (ordinaryMusic) ordinaryMusic();
    // Closed before the end (confirmed, or the application is going down): the month stops.
    if (!siege.over() && !siege.abandoned()) siege.abandon();
    if (siege.abandoned()) {
        if (programClosing)
            programClosing();
        else
            QCoreApplication::quit();
    }
    return true;
}

} // namespace vh::ui
