// Screenshots of the information, settings, help and utility windows.
#include "ui/info_screenshots.h"

#include "context/game.h"
#include "ui/app_services.h"
#include "ui/auto_progress_dialog.h"
#include "ui/castle_info_dialog.h"
#include "ui/castle_picture.h"
#include "ui/general_list_dialog.h"
#include "ui/help_window.h"
#include "ui/house_info_dialog.h"
#include "ui/house_list_dialog.h"
#include "ui/coalition_list_dialog.h"
#include "ui/log_dialog.h"
#include "ui/main_window.h"
#include "ui/music_dialog.h"
#include "ui/utility_dialog.h"
#include "ui/version_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <vector>

#include <memory>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    widget->show();
    QApplication::processEvents();
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

// The player's castle with the most generals, or the first castle.
int busiestPlayerCastle(const WorldState& w) {
    int best = w.castleCount > 0 ? 0 : -1;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == w.playerHouse && (best < 0 || w.castles[best].owner != w.playerHouse ||
                                                    w.castles[c].generalCount > w.castles[best].generalCount))
            best = c;
    return best;
}

// The largest port castle of another house that has generals in it.
int portCastle(const WorldState& w) {
    int best = -1;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].hasPort && w.castles[c].owner != w.playerHouse &&
            w.castles[c].generalCount > 0 && (best < 0 || w.castles[c].size > w.castles[best].size))
            best = c;
    return best;
}

// The five castle pictures side by side.
void savePictureSheet(const QString& dir) {
    const QSize one(120, 90);
    QPixmap sheet(one.width() * 5 + 24, one.height() + 8);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    for (int kind = 0; kind < 5; ++kind)
        p.drawPixmap(4 + kind * (one.width() + 4), 4, castlePicture(kind, one));
    p.end();
    sheet.save(QDir(dir).absoluteFilePath("castle-pictures.png"));
}

} // namespace

void takeInfoScreenshots(Game& game, MainWindow* window, AppServices* services, const QString& dir) {
    const WorldState& w = game.world;
    const MapViewState& map = window->mapView()->state();
    const int castle = busiestPlayerCastle(w);
    if (castle >= 0) {
        CastleInfoDialog d(w, castle, map, window);
        save(&d, dir, "castle-info.png");
    }
    // A siege half way through a large port castle, shown on a copy of the world.
    const int port = portCastle(w);
    if (port >= 0) {
        auto copy = std::make_unique<WorldState>(w);
        Castle& k = copy->castles[port];
        k.siegeProgress = static_cast<int16_t>(std::max(50, k.size * 100 - 250));
        k.tradeShips = 4;
        k.voyages[0].ships = 1;
        if (castle >= 0 && copy->castles[castle].generalCount > 0) {
            const int g = copy->castles[castle].generals[0];
            k.besiegedBy = static_cast<int16_t>(w.playerHouse);
            k.besiegers[0] = g;
            k.besiegerCount = 1;
        }
        CastleInfoDialog d(*copy, port, map, window);
        save(&d, dir, "castle-info-siege.png");
    }
    savePictureSheet(dir);
    // The house with the most generals fills the house and general windows best.
    std::vector<int> generals(static_cast<size_t>(std::max(0, w.houseCount)), 0);
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house >= 0 && w.generals[g].house < w.houseCount) ++generals[w.generals[g].house];
    const int big = static_cast<int>(std::max_element(generals.begin(), generals.end()) - generals.begin());
    if (big < w.houseCount) {
        HouseInfoDialog d(w, big, map, window);
        save(&d, dir, "house-info.png");
        GeneralListDialog g(w, big, window);
        g.vassalSwitch()->setChecked(true);
        save(&g, dir, "general-list.png");
    }
    {
        HouseListDialog d(w, map, window);
        save(&d, dir, "house-list.png");
    }
    {
        // The month's report, or a sample while the month has had no battle.
        LogDialog d(game.battleReport.empty() ? std::string("【合戦】 桶狭間にて 織田家 と 今川家 が合戦\r\n"
                                                            "【攻城戦】 大高城 を 織田家 が包囲\r\n")
                                              : game.battleReport,
                    window);
        save(&d, dir, "log.png");
    }
    {
        // The saved game's coalitions, or a sample when it brings none.
        WorldState sample;
        const WorldState* shown = &w;
        if (w.coalitionCount == 0 && w.houseCount >= 4) {
            sample.houses = w.houses;
            sample.houseCount = w.houseCount;
            sample.settings.language = w.settings.language;
            sample.coalitions[0].target = 0;
            sample.coalitions[0].memberCount = 3;
            for (int m = 0; m < 3; ++m) sample.coalitions[0].members[m] = static_cast<int16_t>(m + 1);
            sample.coalitionCount = 1;
            shown = &sample;
        }
        CoalitionListDialog d(*shown, window);
        save(&d, dir, "coalition-list.png");
    }
    {
        AutoProgressDialog d(game, nullptr, window);
        save(&d, dir, "auto-progress.png");
    }
    if (services) {
        MusicDialog d(services->settings(), window);
        save(&d, dir, "music-settings.png");
        services->showHelp(window);
        if (HelpWindow* help = services->helpWindow()) {
            save(help, dir, "help.png");
            help->close();
        }
    }
    {
        VersionDialog d(window);
        save(&d, dir, "version.png");
    }
    {
        UtilityDialog d(window);
        save(&d, dir, "utility.png");
        PasswordDialog p(window);
        p.field()->setText("owari");
        save(&p, dir, "password.png");
        BenchmarkYearsDialog b(window);
        save(&b, dir, "benchmark-years.png");
    }
}

} // namespace vh::ui
