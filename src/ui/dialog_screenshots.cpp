// Screenshots of the diplomacy and month dialogs over the running game.
#include "ui/dialog_screenshots.h"

#include "context/game_text.h"
#include "diplomacy/diplomacy_text.h"
#include "diplomacy/figures.h"
#include "simulation/accounts.h"
#include "ui/accounts_report_dialog.h"
#include "ui/battle_report_dialog.h"
#include "ui/castle_retreat_dialog.h"
#include "ui/info_table.h"
#include "ui/diplomacy_choice_dialogs.h"
#include "ui/envoy_visit_dialog.h"
#include "ui/event_window.h"
#include "ui/harvest_dialog.h"
#include "ui/main_window.h"
#include "ui/ronin_dialog.h"
#include "ui/siege_screenshots.h"
#include "ui/ui_text.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

QString fileFor(QWidget* w) {
    if (qobject_cast<AccountsReportDialog*>(w)) return "accounts-report.png";
    if (qobject_cast<HarvestDialog*>(w)) return "harvest-live.png";
    if (qobject_cast<EventWindow*>(w)) return "event-live.png";
    if (qobject_cast<RoninDialog*>(w)) return "ronin-live.png";
    if (qobject_cast<EnvoyVisitDialog*>(w)) return "envoy-visit-live.png";
    if (qobject_cast<BattleReportDialog*>(w)) return "battle-report-live.png";
    return {};
}

// The player's first castle.
int playerCastle(const WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == w.playerHouse) return c;
    return -1;
}

} // namespace

bool dismissRoutineDialog(QWidget* modal, const QString& dir) {
    auto* d = qobject_cast<QDialog*>(modal);
    if (!d || !d->isVisible() || !d->property("vhRoutineDialog").toBool()) return false;
    const QString name = fileFor(d);
    if (!name.isEmpty()) save(d, dir, name);
    d->accept();
    return true;
}

void takeDialogScreenshots(Game& game, MainWindow* window, const QString& dir) {
    WorldState& w = game.world;
    const MapViewState start = window->mapView()->state();
    const int me = w.playerHouse;
    if (me < 0 || me >= w.houseCount) return;
    const std::vector<int> neighbours = neighboursOf(w, me);
    const int other = neighbours.empty() ? (me == 0 ? 1 : 0) : neighbours.front();
    const int castle = playerCastle(w);
    const int otherProvince = [&] {
        for (int c = 0; c < w.castleCount; ++c)
            if (w.castles[c].owner == other) return int(w.castleSites[c].province);
        return -1;
    }();

    {
        EnvoyVisitDialog d(w, makeEnvoyVisitRequest(w, EnvoyKind::SubordinationApplication, other), start,
                           window);
        d.show();
        d.showTerritory(true);
        save(&d, dir, "envoy-visit.png");
    }
    {
        EnvoyChoiceDialog d(w, start, window);
        d.show();
        if (castle >= 0) {
            d.pickProvince(w.castleSites[castle].province);
            d.pickCastle(castle);
        }
        save(&d, dir, "envoy-choice.png");
    }
    {
        HouseChoiceDialog d(w, DiplomacyCommand::NonAggression, start, window);
        d.show();
        d.pickProvince(otherProvince);
        save(&d, dir, "house-choice.png");
    }
    {
        VassalSuccessDialog d(houseName(w, other) + "は当家に臣従しました", window);
        d.show();
        save(&d, dir, "vassal-success.png");
    }
    {
        // Outcomes by region, so the picture shows all three colours as a real harvest would.
        HarvestRequest request;
        for (int p = 0; p < w.provinceCount(); ++p)
            request.outcomes.push_back(static_cast<int8_t>((w.map.provinces[p].region + p / 7) % 3 - 1));
        HarvestDialog d(w, request, start, window);
        d.show();
        save(&d, dir, "harvest.png");
    }
    for (bool snow : {true, false}) {
        WeatherEvent e{snow, {}};
        for (int p = 0; p < w.provinceCount(); ++p)
            if ((snow && w.map.provinces[p].region < 2) || (!snow && w.map.provinces[p].region == 4))
                e.provinces.push_back(p);
        EventWindow d(w, e, start, window);
        d.show();
        save(&d, dir, snow ? "event-snow.png" : "event-rain.png");
    }
    {
        // A report with corps, a deficit and besieged troops left out, from the house's own figures.
        AccountsReport r;
        r.houseName = houseName(w, me).toStdString();
        r.income.town = townIncome(w, me, -1);
        r.income.mine = mineOutput(w, me, -1);
        r.income.tradeShips = 1500;
        r.income.total = r.income.town + r.income.mine + r.income.tradeShips;
        computeUpkeep(w, me, -1, true, r.upkeep);
        r.upkeep.leftOut = true;
        r.fundsBefore = -r.upkeep.total;
        r.fundsAfter = r.fundsBefore + r.income.total - r.upkeep.total;
        for (int g = 0, n = 0; g < w.generalCount && n < 3; ++g)
            if (w.generals[g].house == me && w.houses[me].head != g) {
                r.corps.push_back(
                    {generalNameText(w, g) + " 軍団", 400 * (n + 1), 900 + 150 * n, 2000 - 1500 * n});
                ++n;
            }
        AccountsReportDialog d(r, window);
        d.show();
        save(&d, dir, "accounts-report-corps.png");
    }
    {
        RoninDialog d(RoninRequest{"真田幸隆", 47, false, 7, 6, 9}, window);
        d.show();
        save(&d, dir, "ronin.png");
    }
    if (castle >= 0) {
        // A month's report in the game's own lines, over the player's castle and a neighbour's.
        int theirs = -1;
        for (int c = 0; c < w.castleCount && theirs < 0; ++c)
            if (w.castles[c].owner == other) theirs = c;
        const std::string mine = nameText(w, w.castleSites[castle].name);
        const std::string their = theirs >= 0 ? nameText(w, w.castleSites[theirs].name) : mine;
        const std::string me_ = houseName(w, me).toStdString(), him = houseName(w, other).toStdString();
        const std::string text = mine + "と" + their + "間で" + me_ + "と" + him + "が野戦\r\n  → " + me_ +
                                 "の勝利\r\n" + their + "（" + him + "）は" + me_ + "に攻められています\r\n  → " +
                                 their + "は強襲により落城しました\r\n" + him +
                                 (w.houses[other].kind == kHouseAinu ? "は蝦夷地の奥深くに退散しました\r\n" : "は滅亡しました\r\n");
        BattleReportDialog d(text, window);
        d.show();
        save(&d, dir, "battle-report.png");
    }
    if (castle >= 0) {
        CastleRetreatDialog d(game, castle, window);
        d.show();
        d.table()->selectionModel()->select(d.table()->model()->index(0, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        save(&d, dir, "castle-retreat.png");
    }
    takeSiegeScreenshots(game, window, dir);
}

} // namespace vh::ui
