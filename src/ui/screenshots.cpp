// Screenshot run: the main window on the national map, at scale 2, a province view, the house
// selection dialog and the start menu, each written as a PNG for people to look at.
#include "game/display_rules.h"
#include "ui/battle_screenshots.h"
#include "ui/dialog_screenshots.h"
#include "ui/personnel_screenshots.h"
#include "ui/economy_screenshots.h"
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui/house_select_dialog.h"
#include "ui/info_screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTimer>

namespace vh::ui {

namespace {

// The province of the player's first castle, or the first province holding any castle.
int provinceToShow(const WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == w.playerHouse) return w.castleSites[c].province;
    return w.castleCount > 0 ? w.castleSites[0].province : -1;
}

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

} // namespace

void GameApp::takeScreenshots() {
    const QString dir = options_.screenshotDir;
    QDir().mkpath(dir);
    MainWindow* w = window_.get();
    const WorldState& world = game_->world;
    save(w, dir, "main-national.png");

    const int province = provinceToShow(world);
    w->selectProvince(province);
    w->magnifySwitch()->setChecked(true);
    save(w, dir, "main-national-x2.png");
    w->magnifySwitch()->setChecked(false);

    w->showProvinceView(province);
    save(w, dir, "main-province.png");
    w->findChild<QCheckBox*>("houseNamesSwitch")->setChecked(true);
    save(w, dir, "main-province-names.png");
    w->showNationalMap();
    w->colourCodingSwitch()->setChecked(true);
    save(w, dir, "main-colour-coding.png");
    w->colourCodingSwitch()->setChecked(false);

    {
        HouseSelectDialog d(*game_, w->mapView()->state(), w);
        d.show();
        d.pickProvince(province);
        save(&d, dir, "house-select.png");
    }
    takeDialogScreenshots(*game_, w, dir);
    takeMilitaryScreenshots(*game_, w, dir);
    takeInfoScreenshots(*game_, w, services_.get(), dir);
    takeBattleScreenshots(*game_, w, dir);
    takePersonnelScreenshots(*game_, w, dir);
    takeEconomyScreenshots(*game_, w, dir);
    {
        StartMenuDialog menu(nullptr, w);
        menu.show();
        save(&menu, dir, "start-menu.png");
    }
    endProgram();
}

} // namespace vh::ui
