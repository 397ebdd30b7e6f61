// The economy windows from their buttons: development with its one execution, dispatch and
// building with their money limits, the ship list, gun production, purchase, deployment and the
// delivery notice. ｷｬﾝｾﾙ leaves the saved image of the world unchanged in every window.
#include "game/save_game.h"
#include "ui/development_dialog.h"
#include "ui/economy_widgets.h"
#include "ui/firearms_dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui/trade_ship_dialogs.h"
#include "ui/ui_text.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>

#include <cstring>

using namespace vh;
using namespace vh::ui;
using vh::test::rows;

namespace {

void choose(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item);
    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void typeNumber(QSpinBox* box, int value) {
    // Under a loaded machine the window may not be active yet, so the number is taken as typed
    // rather than waiting for the focus to leave the box.
    (void)QTest::qWaitForWindowActive(box->window(), 2000);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
    box->interpretText();
}

} // namespace

class EconomyDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT

    void inPhase(int phase) { showPlayerPhase(phase); }
    // Opens the window of `caption`, lets `act` work in it and checks the world is unchanged when
    // it is cancelled.
    template <class D> void cancelLeavesTheWorld(const char* caption, std::function<void(D*)> act) {
        const std::vector<uint8_t> before = saveImage(world());
        bool opened = false;
        test::whenModal<D>([&](D* d) {
            opened = true;
            act(d);
            d->reject();
        });
        press(caption);
        QTRY_VERIFY(opened);
        QVERIFY(saveImage(world()) == before);
    }

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void init() {
        WorldState& w = newFixtureGame(); // 武田家: 躑躅ヶ崎館 and 新府城 in 甲斐
        w.date = {1560, 10};
        w.houses[0].funds = 20000;
        for (int c = 0; c < w.castleCount; ++c) {
            w.castleSites[c].maxYield = w.castles[c].yield + 50000;
            w.castleSites[c].maxTown = 200;
            w.castleSites[c].maxMine = 100;
            w.castleSnapshot[c] = w.castles[c];
        }
        w.castleSites[1].hasPort = 1;
        w.castles[1].tradeShips = 5;
        const int p = w.tradePartnerCount++;
        setFieldText(w.tradePartners[p].name, utf8ToCp932("明"));
        w.tradePartners[p].shipValue = 800;
        std::memset(w.tradePartners[p].voyageMonths, 0xFF, sizeof w.tradePartners[p].voyageMonths);
        w.tradePartners[p].voyageMonths[0] = 4;
        w.houses[0].navigationSkill = 400;
        GunMarket& m = w.gunMarkets[w.gunMarketCount++];
        setFieldText(m.name, utf8ToCp932("堺"));
        std::memset(m.deliveryMonths, 1, sizeof m.deliveryMonths);
        m.costCurrent = 30;
        m.rateCurrent = 500;
        w.gunProduction[0].current = 100;
        w.settings.teppouCostCurrent = 50;
        w.generals[0].foot = 50;
        w.generals[1].foot = 30;
        w.generals[1].guns = 30;
        w.houses[0].undeployedGuns = 20;

        openWindow();
        inPhase(4);
        window->selectProvince(0);
    }
    void cleanup() { closeWindow(); }

    // 新田開墾: 全選択, the question with the cost, 実行結果, and one execution per opening.
    void landDevelopmentRunsOncePerOpening() {
        QStringList listed, results;
        bool executeOff = false, selectOff = false;
        QString funds;
        test::whenModal<DevelopmentDialog>([&](DevelopmentDialog* d) {
            listed = rows(d->castleList());
            QTest::mouseClick(d->selectAllButton(), Qt::LeftButton);
            funds = d->fundsLabel()->text();
            QTest::keyClick(d, Qt::Key_Return); // the execute button is the default
            QTRY_VERIFY(d->executed());
            results = rows(d->castleList());
            executeOff = !d->executeButton()->isEnabled();
            selectOff = !d->selectAllButton()->isEnabled();
            d->accept();
        });
        press("新田開墾");
        QTRY_VERIFY(executeOff);
        QCOMPARE(listed, (QStringList{"躑躅ヶ崎館/12万0000石/17万0000石", "新府城/6万0000石/11万0000石"}));
        QCOMPARE(funds, QString("費用 1000    資金 20000    残り資金 19000"));
        QCOMPARE(messages, QStringList{"1000の費用が必要です。開墾しますか？"});
        QVERIFY(selectOff);
        QCOMPARE(world().houses[0].funds, 19000);
        QVERIFY(world().castles[0].yield > 120000);
        QCOMPARE(results[0].split("/").last(), kokuText(world().castles[0].yield));
        // Both castles were raised since the snapshot: the next opening lists none.
        QStringList again = {"x"};
        test::whenModal<DevelopmentDialog>([&](DevelopmentDialog* d) {
            again = rows(d->castleList());
            d->reject();
        });
        press("新田開墾");
        QTRY_VERIFY(again.isEmpty());
    }

    void developmentRefusalsAndCancel() {
        world().date.month = 5;
        press("新田開墾");
        QTRY_COMPARE(messages, QStringList{"農繁期（３～８月）は新田開墾できません"});
        messages.clear();
        window->selectProvince(3); // 遠江: no route from 甲斐
        press("楽市楽座");
        QTRY_COMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith("大名家当主の所在地から遠すぎるため、楽市楽座の指示ができません"));
        window->selectProvince(0);
        cancelLeavesTheWorld<DevelopmentDialog>("鉱山開発", [](DevelopmentDialog* d) {
            // Space ticks the current row from the keyboard.
            d->castleList()->setFocus();
            QTest::keyClick(d->castleList(), Qt::Key_Space);
            QVERIFY(d->fundsLabel()->text().startsWith("費用 100 "));
            QTest::mouseClick(d->selectAllButton(), Qt::LeftButton);
        });
    }

    // 交易船派遣: the lists, the money limit on the number, OK sending the fleet; ｷｬﾝｾﾙ.
    void dispatchSendsTheFleet() {
        world().houses[0].funds = 2500;
        QStringList ports, partners;
        QString remaining;
        test::whenModal<TradeDispatchDialog>([&](TradeDispatchDialog* d) {
            ports = rows(d->portList());
            partners = rows(d->partnerList());
            choose(d->portList(), 0);
            choose(d->partnerList(), 1);
            typeNumber(d->shipsBox(), 3);
            QTRY_COMPARE(d->shipsBox()->value(), 2);
            remaining = d->fundsLabel()->text();
            d->okButton()->click();
        });
        press("交易船派遣");
        QTRY_COMPARE(world().castles[1].voyages[0].ships, 2);
        QCOMPARE(ports, QStringList{"新府城/5/0"});
        QCOMPARE(partners, (QStringList{"航海訓練/約1ヶ月/---", "明/約4ヶ月/0%"}));
        QCOMPARE(messages, QStringList{"資金が足りません"});
        QCOMPARE(remaining, QString("残り資金 500"));
        QCOMPARE(world().houses[0].funds, 500);

        // The ship list shows it home in 1561-2.
        QStringList fleets;
        test::whenModal<FleetListDialog>([&](FleetListDialog* d) {
            fleets = rows(d->fleetList());
            d->reject();
        });
        press("交易船一覧");
        QTRY_COMPARE(fleets, QStringList{"明/2/新府城/1561年2月"});

        cancelLeavesTheWorld<TradeDispatchDialog>("交易船派遣", [](TradeDispatchDialog* d) {
            choose(d->portList(), 0);
            choose(d->partnerList(), 0);
            typeNumber(d->shipsBox(), 1);
        });
    }

    void dispatchRefusesNoShips() {
        bool refusedOnce = false;
        test::whenModal<TradeDispatchDialog>([&](TradeDispatchDialog* d) {
            QVERIFY(!d->okButton()->isEnabled());
            choose(d->portList(), 0);
            choose(d->partnerList(), 0);
            d->okButton()->click();
            QTRY_COMPARE(messages, QStringList{"派遣交易船数が０です"});
            refusedOnce = d->isVisible();
            d->reject();
        });
        press("交易船派遣");
        QTRY_VERIFY(refusedOnce);
    }

    // 船舶建造: 3 ships with 5000 drop to 2; OK builds them; ｷｬﾝｾﾙ.
    void buildingStopsAtTheMoney() {
        world().houses[0].funds = 5000;
        QStringList ports;
        test::whenModal<ShipBuildDialog>([&](ShipBuildDialog* d) {
            ports = rows(d->portList());
            choose(d->portList(), 0);
            typeNumber(d->shipsBox(), 3);
            QTRY_COMPARE(d->shipsBox()->value(), 2);
            QCOMPARE(d->fundsLabel()->text(), QString("残り資金 1000"));
            QTest::keyClick(d, Qt::Key_Return);
        });
        press("船舶建造");
        QTRY_COMPARE(world().castles[1].tradeShips, 7);
        QCOMPARE(ports, QStringList{"新府城/5 (0)/0 (0)"});
        QCOMPARE(messages, QStringList{"資金が足りません"});
        QCOMPARE(world().houses[0].funds, 1000);
        cancelLeavesTheWorld<ShipBuildDialog>("船舶建造", [](ShipBuildDialog* d) {
            choose(d->portList(), 0);
            typeNumber(d->shipsBox(), 1);
        });
    }

    // 鉄砲生産 and 鉄砲購入: the numbers, 資金残高, the orders; ｷｬﾝｾﾙ.
    void productionAndPurchase() {
        QString headline, balance;
        test::whenModal<GunProductionDialog>([&](GunProductionDialog* d) {
            headline = d->findChildren<QLabel*>().first()->text();
            typeNumber(d->numberBox(), 30);
            balance = d->fundsLabel()->text();
            d->accept();
        });
        press("鉄砲生産");
        QTRY_COMPARE(world().houses[0].gunsOrderedThisMonth, 3);
        // 甲斐's output shared by the town economy: 躑躅ヶ崎館 10 and 新府城 20 of 30, 100 guns.
        QCOMPARE(headline, QString("以下の鉄砲生産国で、合計 100挺 の鉄砲生産が可能です"));
        QCOMPARE(balance, QString("資金残高 18500"));
        QCOMPARE(world().houses[0].funds, 18500);

        QStringList markets;
        test::whenModal<GunPurchaseDialog>([&](GunPurchaseDialog* d) {
            markets = rows(d->marketList());
            choose(d->marketList(), 0);
            QVERIFY(d->numberBox()->isEnabled());
            typeNumber(d->numberBox(), 100);
            QCOMPARE(d->fundsLabel()->text(), QString("資金残高 15500"));
            d->accept();
        });
        press("鉄砲購入");
        QTRY_COMPARE(int(world().houses[0].marketOrders[0].guns), 10);
        QCOMPARE(markets, QStringList{"堺/300/1/250/0"});
        QCOMPARE(world().houses[0].funds, 15500);

        cancelLeavesTheWorld<GunPurchaseDialog>("鉄砲購入", [](GunPurchaseDialog* d) {
            choose(d->marketList(), 0);
            typeNumber(d->numberBox(), 20);
        });
        cancelLeavesTheWorld<GunProductionDialog>(
            "鉄砲生産", [](GunProductionDialog* d) { typeNumber(d->numberBox(), 20); });
    }

    // 鉄砲配備: 最大数配備 stops at the stock; a general full of guns gets none; ｷｬﾝｾﾙ.
    void deploymentGivesTheMaximum() {
        inPhase(2);
        QString stock;
        int fullGeneralMax = -1;
        test::whenModal<GunDeploymentDialog>([&](GunDeploymentDialog* d) {
            QCOMPARE(d->generalList()->topLevelItemCount(), 2);
            choose(d->generalList(), 1); // 山県昌景: 300 foot, 300 guns
            fullGeneralMax = d->numberBox()->maximum();
            choose(d->generalList(), 0);
            QTest::mouseClick(d->maximumButton(), Qt::LeftButton);
            stock = d->stockLabel()->text();
            QCOMPARE(d->generalList()->topLevelItem(0)->text(5), QString("200"));
            d->accept();
        });
        press("鉄砲配備");
        QTRY_COMPARE(int(world().generals[0].guns), 20);
        QCOMPARE(fullGeneralMax, 0);
        QCOMPARE(stock, QString("未配備鉄砲数 0挺"));
        QCOMPARE(world().houses[0].undeployedGuns, 0);
        world().houses[0].undeployedGuns = 5;
        cancelLeavesTheWorld<GunDeploymentDialog>("鉄砲配備", [](GunDeploymentDialog* d) {
            choose(d->generalList(), 0);
            QTest::mouseClick(d->maximumButton(), Qt::LeftButton);
        });
    }

    // The month's delivery reaches the player in 鉄砲入手.
    void deliveryWindow() {
        answering.reset();
        QStringList lines;
        test::whenModal<GunDeliveryDialog>([&](GunDeliveryDialog* d) {
            for (QLabel* l : d->findChildren<QLabel*>())
                lines << l->text();
            d->accept();
        });
        GunDelivery delivery;
        delivery.produced = 30;
        delivery.bought = {{"堺", 50}};
        delivery.undeployed = 100;
        frontend.showGunDelivery(delivery);
        QCOMPARE(lines, (QStringList{"鉄砲を入手しました", "30挺の鉄砲を生産しました",
                                     "堺から50挺の鉄砲を調達しました", "未配備鉄砲数が 100挺 になりました"}));
    }
};

QTEST_MAIN(EconomyDialogsTest)
#include "economy_dialogs_test.moc"
