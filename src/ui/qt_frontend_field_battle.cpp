// The desktop window's hand-fought field battle: the player forms his side, the enemy forms
// automatically, and the battle window plays it out. Closing the program inside tells the rules.
#include "ui/field_battle_window.h"
#include "ui/field_formation_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"

namespace vh::ui {

HandBattle QtFrontend::fightFieldBattle(FieldBattle& battle, Random& rng) {
    if (quiet() || window_->game().closing) return Frontend::fightFieldBattle(battle, rng);
    if (battleMusic) battleMusic();
    HandBattle outcome = HandBattle::Abandoned;
    FieldFormationDialog formation(battle, window_);
    formation.exec();
    if (formation.allPlaced()) {
        setFieldFormation(battle, 0, formation.lines());
        formFieldSideAutomatically(battle, 1, rng);
        deployFieldBattle(battle);
        FieldBattleWindow w(battle, rng, window_);
        w.exec();
        if (battle.finished && !w.abandoned()) outcome = HandBattle::Fought;
    }
    if (ordinaryMusic) ordinaryMusic();
    return outcome;
}

} // namespace vh::ui
