// Screenshots of the military windows over the running game: each is opened on the province of the
// player's best-manned castle and worked a little (a source chosen, generals selected, additions
// pending), so the picture shows what a player sees mid-command. Nothing is confirmed.
#include "ui/dialog_screenshots.h"

#include "military/recruit_pools.h"
#include "ui/armament_dialogs.h"
#include "ui/army_order_dialogs.h"
#include "ui/info_table.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QSlider>
#include <QTreeWidget>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

// The player's castle with the most generals.
int bestManned(const WorldState& w) {
    int best = -1;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == w.playerHouse &&
            (best < 0 || w.castles[c].generalCount > w.castles[best].generalCount))
            best = c;
    return best;
}

} // namespace

void takeMilitaryScreenshots(Game& game, MainWindow* window, const QString& dir) {
    // A copy in the 軍備 phase's state (the castle snapshot just taken), so the pictures do not
    // depend on the month the run stopped in.
    WorldState w = game.world;
    w.castleSnapshot = w.castles;
    const int me = w.playerHouse;
    const int castle = bestManned(w);
    if (me < 0 || me >= w.houseCount || castle < 0) return;
    const int province = w.castleSites[castle].province;
    MapViewState start = window->mapView()->state();
    start.selectedProvince = province;

    for (bool sortie : {false, true}) {
        // The move picture with a short DistanceLimit, so it shows castles out of reach in grey.
        w.settings.distanceLimit = sortie ? game.world.settings.distanceLimit : 1;
        std::unique_ptr<ArmyOrderDialog> d;
        if (sortie)
            d = std::make_unique<SortieDialog>(w, me, start, window);
        else
            d = std::make_unique<MoveDialog>(w, me, start, window);
        d->show();
        d->clickCastle(castle);
        QTreeWidget* list = d->generalList();
        for (int i = 0; i < list->topLevelItemCount() && i < 3; i += 2)
            list->topLevelItem(i)->setSelected(true);
        save(d.get(), dir, sortie ? "sortie.png" : "move.png");
    }
    {
        const RecruitPools pools = recruitablePools(w, directCastles(w, me));
        ConscriptionDialog d(w, me, province, pools, window);
        d.show();
        d.selectGeneral(0);
        d.footSpin()->setValue(d.footSpin()->maximum() / 2);
        d.cavalrySpin()->setValue(d.cavalrySpin()->maximum() / 3);
        d.selectCastle(0);
        d.garrisonSpin()->setValue(d.garrisonSpin()->maximum() / 2);
        save(&d, dir, "conscription.png");
    }
    {
        // A new game's castles are full; half the food of the province's first castle shows a purchase.
        for (int c : ownUnbesiegedCastles(w, me, province))
            if (w.castles[c].food >= foodCapacity(w, c)) {
                w.castles[c].food /= 2;
                break;
            }
        CastleFoodDialog d(w, me, province, window);
        d.show();
        // The castle with the most room for food.
        int pick = 0, room = -1;
        for (std::size_t i = 0; i < d.plan().castles.size(); ++i) {
            const int c = d.plan().castles[i];
            if (foodCapacity(w, c) - w.castles[c].food > room) {
                room = foodCapacity(w, c) - w.castles[c].food;
                pick = static_cast<int>(i);
            }
        }
        d.selectCastle(pick);
        d.slider()->setValue(d.slider()->maximum() / 2);
        save(&d, dir, "castle-food.png");
    }
    {
        CastleImproveDialog d(w, me, province, window);
        d.show();
        d.selectCastle(0);
        d.improve();
        if (d.plan().castles.size() > 1) d.selectCastle(1);
        save(&d, dir, "castle-improve.png");
    }
}

} // namespace vh::ui
