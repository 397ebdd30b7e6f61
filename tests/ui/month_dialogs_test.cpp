// The month's dialogs behind the desktop frontend: the harvest choice (default and chosen rate,
// the outcome map, none in automatic play), the accounts report's lines, the weather window, the
// trade-ship return and the ronin question; and the report reaching the player in a real month.
#include "simulation/player_dialogs.h"
#include "ui/accounts_report_dialog.h"
#include "ui/event_window.h"
#include "ui/game_app.h"
#include "ui/harvest_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui/ronin_dialog.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;

class MonthDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT

    static AccountsReport sampleReport() {
        AccountsReport r;
        r.houseName = "武田家";
        r.harvestMonth = false;
        r.income = {0, 60, 3, 0, 1200, 1263};
        r.upkeep = {150, 400, 300, 100, 12, 962, true};
        r.fundsBefore = -500;
        r.fundsAfter = -199;
        r.corps = {{"山県昌景 軍団", 40, 90, 310}, {"馬場信春 軍団", 0, 25, -25}};
        return r;
    }

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void init() {
        newFixtureGame();
        attachWindow();
    }
    void cleanup() { closeWindow(); }

    void harvestDefaultsToTheStandardRate() {
        const std::vector<int8_t> outcomes = {kHarvestGood, kHarvestNormal, kHarvestPoor, kHarvestNormal};
        QStringList captions;
        std::vector<std::pair<int, QColor>> fills;
        test::whenModal<HarvestDialog>([&](HarvestDialog* d) {
            QCOMPARE(d->windowTitle(), QString("収穫"));
            for (int i = 0; i < kTaxChoices; ++i)
                captions << d->rateButton(i)->text();
            QVERIFY(d->rateButton(4)->isChecked());
            fills = d->mapView()->provinceFills();
            d->findChild<QPushButton*>()->click(); // OK
        });
        QCOMPARE(askHarvestTax(*game, outcomes), 4);
        QCOMPARE(captions,
                 (QStringList{"70%", "65%", "60%", "55%", "50% (標準)", "45%", "40%", "35%", "30%"}));
        QCOMPARE(fills.size(), size_t(4));
        QCOMPARE(fills[0].second, QColor(255, 255, 100));
        QCOMPARE(fills[1].second, QColor(200, 200, 20));
        QCOMPARE(fills[2].second, QColor(200, 100, 50));

        // The player picks 30 %; closing the window keeps the choice.
        test::whenModal<HarvestDialog>([](HarvestDialog* d) {
            d->rateButton(8)->click();
            d->close();
        });
        QCOMPARE(askHarvestTax(*game, outcomes), 8);

        // Automatic play and a fallen player house get the standard rate without a dialog.
        game->quietMode = true;
        QCOMPARE(askHarvestTax(*game, outcomes), 4);
        QCOMPARE(frontend.chooseHarvestTax(HarvestRequest{outcomes}), 4);
        game->quietMode = false;
        game->world.houses[0].head = -1;
        QCOMPARE(askHarvestTax(*game, outcomes), 4);
    }

    void accountsReportShowsItsLines() {
        QString house, harvest, ainu, ships, incomeTotal, upkeepTotal, garrison, funds;
        bool note = false;
        QStringList corps;
        test::whenModal<AccountsReportDialog>([&](AccountsReportDialog* d) {
            QCOMPARE(d->windowTitle(), QString("収支報告"));
            house = d->findChild<QLabel*>("house")->text();
            harvest = d->incomeLine("収穫");
            ainu = d->incomeLine("対アイヌ交易");
            ships = d->incomeLine("交易船収入");
            incomeTotal = d->incomeLine("TOTAL");
            upkeepTotal = d->upkeepLine("TOTAL");
            garrison = d->upkeepLine("城守備兵維持費(兵数×0.1)");
            funds = d->fundsLabel()->text();
            note = d->noteLabel() && !d->noteLabel()->isHidden();
            for (int i = 0; i < d->corpsList()->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < 4; ++c)
                    cells << d->corpsList()->topLevelItem(i)->text(c);
                corps << cells.join("/");
            }
            d->accept();
        });
        reportAccounts(*game, sampleReport());
        QCOMPARE(house, QString("武田家"));
        QCOMPARE(harvest, QString("0 (収穫期ではありません)"));
        QVERIFY(ainu.isNull()); // no Ainu trade: the line is hidden
        QCOMPARE(ships, QString("1200"));
        QCOMPARE(incomeTotal, QString("1263"));
        QCOMPARE(upkeepTotal, QString("962"));
        QCOMPARE(garrison, QString("12"));
        QCOMPARE(funds, QString("-500 + 1263 - 962 → -199 （不足資金は家臣から借金しました）"));
        QVERIFY(note);
        QCOMPARE(corps, (QStringList{"山県昌景 軍団/40/90/310", "馬場信春 軍団/0/25/-25"}));

        // The Ainu house's own trade line, a harvest month, funds that stay positive, nothing left out.
        AccountsReport r = sampleReport();
        r.playerIsAinu = true;
        r.harvestMonth = true;
        r.income = {800, 0, 0, 1400, 0, 2200};
        r.upkeep.leftOut = false;
        r.fundsBefore = 100;
        r.fundsAfter = 1338;
        AccountsReportDialog d(r);
        QCOMPARE(d.incomeLine("収穫"), QString("800"));
        QCOMPARE(d.incomeLine("交易"), QString("1400"));
        QVERIFY(d.incomeLine("対アイヌ交易").isNull());
        QVERIFY(d.incomeLine("交易船収入").isNull());
        QCOMPARE(d.fundsLabel()->text(), QString("100 + 2200 - 962 → 1338"));
        QVERIFY(!d.noteLabel());

        game->quietMode = true; // automatic play shows no report
        reportAccounts(*game, sampleReport());
    }

    void weatherTradeShipAndRonin() {
        QString heading, footer;
        std::vector<std::pair<int, QColor>> fills;
        test::whenModal<EventWindow>([&](EventWindow* d) {
            QCOMPARE(d->windowTitle(), QString("イベント"));
            heading = d->headingLabel()->text();
            footer = d->footerLabel()->text();
            fills = d->mapView()->provinceFills();
            d->accept();
        });
        announceWeather(*game, WeatherEvent{true, {0, 2}});
        QCOMPARE(heading, QString("以下の地域に大雪が降りました"));
        QCOMPARE(footer, QString("これらの地域では、城攻め中の軍は包囲を継続できずに撤退しました"));
        QCOMPARE(fills, (std::vector<std::pair<int, QColor>>{{0, Qt::white}, {2, Qt::white}}));

        QString title, text;
        test::whenModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        announceTradeShipReturn(*game, TradeShipReturn{"呂宋", "小山城", 3, 4500, false});
        QCOMPARE(title, QString("交易船帰港"));
        QCOMPARE(text, QString("呂宋に派遣していた交易船 3隻が小山城に帰港しました\n収益 4500"));

        RoninRequest ronin{"真田幸隆", 0, true, 7, 6, 9};
        QString question, age;
        test::whenModal<RoninDialog>([&](RoninDialog* d) {
            QCOMPARE(d->windowTitle(), QString("登用選択"));
            question = d->questionLabel()->text();
            age = d->findChild<QLabel*>("年齢")->text();
            d->noButton()->click();
        });
        QVERIFY(!askRoninService(*game, ronin));
        QCOMPARE(question, QString("真田幸隆が当家を頼ってきました。家臣に登用しますか？"));
        QCOMPARE(age, QString("不詳"));
        test::whenModal<RoninDialog>([](RoninDialog* d) { d->yesButton()->click(); });
        QVERIFY(askRoninService(*game, ronin));
    }

    // A real month in the game: the event step shows the player's accounts through the window.
    void theMonthShowsTheAccounts() {
        test::ProgramDir dir;
        GameApp app(AppOptions{dir.dir.path(), dir.scenario(), 0, {}});
        QStringList reports;
        QTimer answering;
        connect(&answering, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible()) return;
            if (auto* d = qobject_cast<AccountsReportDialog*>(w))
                reports << d->findChild<QLabel*>("house")->text() + ": " + d->fundsLabel()->text();
            if (auto* box = qobject_cast<QMessageBox*>(w))
                box->accept();
            else if (auto* d = qobject_cast<QDialog*>(w))
                d->accept();
        });
        answering.start(20);
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(app.window()->endTurnButton()->isEnabled(), 15000);
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].startsWith("武田家: "), qPrintable(reports[0]));
        const int funds = app.game().world.houses[0].funds;
        QVERIFY2(reports[0].contains(QString("→ %1").arg(funds)), qPrintable(reports[0]));
    }
};

QTEST_MAIN(MonthDialogsTest)
#include "month_dialogs_test.moc"
