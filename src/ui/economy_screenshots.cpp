// Screenshots of the economy windows on a copy of the running game.
#include "ui/economy_screenshots.h"

#include "context/game_text.h"
#include "economy/economy_common.h"
#include "economy/firearms.h"
#include "economy/trade_ships.h"
#include "ui/development_dialog.h"
#include "ui/economy_widgets.h"
#include "ui/firearms_dialogs.h"
#include "ui/main_window.h"
#include "ui/trade_ship_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

void pick(QTreeWidget* list, int row) {
    if (row < list->topLevelItemCount()) list->setCurrentItem(list->topLevelItem(row));
}

// Presses OK in the next message box (the development question).
void answerNextBox() {
    QTimer::singleShot(50, qApp, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->accept();
        } else {
            answerNextBox();
        }
    });
}

// The province to show: where the house has a port, else where its head stands.
int provinceToShow(const WorldState& w) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == w.playerHouse && w.castleSites[c].hasPort &&
            w.castles[c].besiegerCount == 0)
            return w.castleSites[c].province;
    return headProvince(w, w.playerHouse);
}

} // namespace

void takeEconomyScreenshots(const Game& running, MainWindow* window, const QString& dir) {
    auto copy = std::make_unique<Game>(running);
    Game& game = *copy;
    game.frontend = nullptr;
    WorldState& w = game.world;
    if (!houseAlive(w, w.playerHouse)) return;
    const int province = provinceToShow(w);
    if (province < 0) return;
    // The phase's snapshot as the 内政 phase takes it.
    for (int c = 0; c < w.castleCount; ++c)
        w.castleSnapshot[c] = w.castles[c];
    // Markets and production as they stand once their years have come; some money and guns.
    driftFirearms(w);
    w.houses[w.playerHouse].funds = std::max(w.houses[w.playerHouse].funds, 12000);
    w.houses[w.playerHouse].undeployedGuns = 50;
    // A producing province, so the production window has something to offer.
    if (w.gunProduction[province].current == 0) w.gunProduction[province].current = 120;
    w.houses[w.playerHouse].navigationSkill = std::max<int16_t>(w.houses[w.playerHouse].navigationSkill, 600);

    for (auto [kind, name] :
         {std::pair{Development::Land, "econ-land.png"}, std::pair{Development::Market, "econ-market.png"},
          std::pair{Development::Mine, "econ-mine.png"}}) {
        DevelopmentDialog d(game, kind, province, window);
        d.show();
        if (d.castleList()->topLevelItemCount() > 1)
            d.castleList()->topLevelItem(0)->setCheckState(0, Qt::Checked);
        save(&d, dir, name);
        if (kind == Development::Land) {
            d.toggleAll();
            answerNextBox();
            d.execute();
            save(&d, dir, "econ-land-done.png");
        }
    }
    const std::vector<int> ports = portsOfProvince(w, w.playerHouse, province);
    if (!ports.empty()) {
        // Two fleets at sea for the list: a training voyage and the farthest partner offered.
        const std::vector<PartnerRow> partners = partnersFrom(w, w.playerHouse, province);
        Castle& k = w.castles[ports[0]];
        k.tradeShips = std::max<uint8_t>(k.tradeShips, 6);
        dispatchTradeShips(w, w.playerHouse, -1, ports[0], 0, 1);
        dispatchTradeShips(w, w.playerHouse, -1, ports[0], partners.back().partner, 2);
    }
    {
        TradeDispatchDialog d(w, province, window);
        d.show();
        pick(d.portList(), 0);
        pick(d.partnerList(), d.partnerList()->topLevelItemCount() - 1);
        d.shipsBox()->setValue(1);
        save(&d, dir, "econ-dispatch.png");
    }
    {
        ShipBuildDialog d(w, province, window);
        d.show();
        pick(d.portList(), 0);
        d.shipsBox()->setValue(2);
        save(&d, dir, "econ-build.png");
    }
    {
        FleetListDialog d(w, window);
        d.show();
        save(&d, dir, "econ-fleets.png");
    }
    {
        GunProductionDialog d(w, window);
        d.show();
        d.numberBox()->setUnits(1);
        save(&d, dir, "econ-gun-production.png");
    }
    {
        GunPurchaseDialog d(w, window);
        d.show();
        pick(d.marketList(), 0);
        d.numberBox()->setUnits(2);
        save(&d, dir, "econ-gun-purchase.png");
    }
    {
        GunDeploymentDialog d(w, province, window);
        d.show();
        pick(d.generalList(), 0);
        d.assignMaximum();
        save(&d, dir, "econ-gun-deploy.png");
    }
    {
        GunDelivery delivery;
        delivery.produced = 30;
        if (w.gunMarketCount > 0) delivery.bought.emplace_back(nameText(w, w.gunMarkets[0].name), 50);
        delivery.undeployed = 580;
        GunDeliveryDialog d(delivery, window);
        d.show();
        save(&d, dir, "econ-gun-delivery.png");
    }
}

} // namespace vh::ui
