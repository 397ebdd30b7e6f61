// Screenshots of the field battle's windows over the running game.
#include "ui/battle_screenshots.h"

#include "battle/field_battle_world.h"
#include "context/game.h"
#include "ui/field_battle_window.h"
#include "ui/field_formation_dialog.h"
#include "ui/main_window.h"
#include "world/castle_rules.h"
#include "world/random.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <cstdlib>
#include <vector>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

std::vector<int> generalsOf(const WorldState& w, int house, int limit) {
    std::vector<int> out;
    for (int g = 0; g < w.generalCount && static_cast<int>(out.size()) < limit; ++g)
        if (w.generals[g].house == house && w.generals[g].status != kStatusPrisoner &&
            w.generals[g].status != kStatusHostage)
            out.push_back(g);
    return out;
}

} // namespace

void takeBattleScreenshots(Game& game, MainWindow* window, const QString& dir) {
    const WorldState& w = game.world;
    const int me = w.playerHouse;
    if (me < 0 || me >= w.houseCount) return;
    const std::vector<int> mine = generalsOf(w, me, 6);
    auto strength = [&](const std::vector<int>& gs) {
        long long s = 0;
        for (int g : gs)
            s += 3LL * w.generals[g].cavalry + w.generals[g].foot;
        return s;
    };
    // The enemy nearest in strength, so the battle lasts a few turns.
    int other = -1;
    long long best = -1;
    for (int h = 0; h < w.houseCount; ++h) {
        if (h == me || !houseAlive(w, h) || commandingHouse(w, h) == me) continue;
        const std::vector<int> gs = generalsOf(w, h, 6);
        if (gs.empty()) continue;
        const long long gap = std::llabs(strength(gs) - strength(mine));
        if (best < 0 || gap < best) {
            best = gap;
            other = h;
        }
    }
    if (mine.empty() || other < 0) return;
    const std::vector<int> theirs = generalsOf(w, other, 6);
    int castle = -1;
    for (int c = 0; c < w.castleCount && castle < 0; ++c)
        if (w.castles[c].owner == me) castle = c;

    FieldBattle b = buildFieldBattle(game, mine, castle, theirs, -1, castle >= 0 ? 2 : 0,
                                     castle >= 0 ? w.castleSites[castle].province : 0);
    b.settings.kishuu = false;
    // Guns for every general, so the picture shows a volley even where the scenario has few.
    for (FieldGeneral& g : b.sides[0].generals)
        g.guns = std::max(g.guns, g.foot / 3);
    Random rng(1);
    beginFieldBattle(b, rng);
    {
        FieldFormationDialog d(b, window);
        d.show();
        if (d.lines()[kFieldMainLine].empty()) {
            d.selectUnits({0});
            d.placeSelected(kFieldMainLine);
        }
        d.selectUnits({1, 2});
        d.placeSelected(kFieldVanguard);
        save(&d, dir, "field-formation.png");
    }
    formFieldSideAutomatically(b, 0, rng);
    formFieldSideAutomatically(b, 1, rng);
    deployFieldBattle(b);
    FieldBattleWindow win(b, rng, window);
    win.message = [](const QString&) {}; // the log in the window keeps every message
    win.show();
    if (win.orderButton(kOrderAdvance)->isEnabled()) win.order(kOrderAdvance);
    if (win.orderButton(kOrderGunfire)->isEnabled()) win.order(kOrderGunfire);
    save(&win, dir, "field-battle-gunfire.png");
    for (int i = 0; i < 6 && b.result == kFieldUndecided && !win.orderButton(kOrderAttack)->isEnabled(); ++i)
        win.order(kOrderAdvance);
    if (b.result == kFieldUndecided) win.order(kOrderAttack);
    save(&win, dir, "field-battle-melee.png");
}

} // namespace vh::ui
