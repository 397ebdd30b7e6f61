// The month's battle windows: the report shown at the end of a real sortie phase (and not in
// automatic play), and the withdrawal from a besieged castle with its refusals.
#include "battle/battle_resolution.h"
#include "ui/battle_report_dialog.h"
#include "ui/castle_retreat_dialog.h"
#include "ui/info_table.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui_test_support.h"

#include <QItemSelectionModel>
#include <QPlainTextEdit>

using namespace vh;
using namespace vh::ui;

class BattleDialogsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Game> game;
    QtFrontend frontend;
    std::unique_ptr<MainWindow> window;

    void select(InfoTable* table, int rows) {
        table->selectionModel()->clearSelection();
        for (int r = 0; r < rows; ++r)
            table->selectionModel()->select(table->model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void init() {
        game = std::make_unique<Game>();
        test::buildFixtureWorld(game->world);
        game->world.playerHouse = 0;
        window = std::make_unique<MainWindow>(*game);
        frontend.attach(window.get());
        game->frontend = &frontend;
    }
    void cleanup() {
        game->frontend = nullptr;
        window.reset();
        game.reset();
    }

    void theReportClosesTheSortiePhase() {
        QString title, text;
        test::whenModal<BattleReportDialog>([&](BattleReportDialog* d) {
            title = d->windowTitle();
            text = d->textView()->toPlainText();
            QTest::keyClick(d, Qt::Key_Return); // Enter is OK
        });
        resolveMonthlyBattles(*game);
        QCOMPARE(title, QString("合戦および攻城戦の発生状況"));
        QCOMPARE(text, QString("葛尾城（村上家）は今川家に攻められています"));
        QCOMPARE(QString::fromStdString(game->battleReport), QString("葛尾城（村上家）は今川家に攻められています\r\n"));
    }

    void anEmptyMonthSaysSoAndAutomaticPlayShowsNothing() {
        game->world.generals[4].flags &= ~kFlagInField;
        game->world.generals[4].castle = 3;
        QString text;
        test::whenModal<BattleReportDialog>([&](BattleReportDialog* d) {
            text = d->textView()->toPlainText();
            d->okButton()->click();
        });
        resolveMonthlyBattles(*game);
        QCOMPARE(text, QString("特になし"));

        game->quietMode = true;
        bool shown = false;
        QTimer* t = test::whenModal<QDialog>([&](QDialog* d) {
            shown = true;
            d->reject();
        });
        resolveMonthlyBattles(*game);
        QTest::qWait(100);
        QVERIFY(!shown);
        delete t;
    }

    void retreatRefusesMoreThanTheNeighboursHoldThenMoves() {
        WorldState& w = game->world;
        test::WorldBuilder b(w);
        // 新府城 (castle 1) of the player, besieged by 今川家; 躑躅ヶ崎館 next door has 3 places.
        const int defenders[] = {b.general("馬場信春", 0, 1), b.general("内藤昌豊", 0, 1), b.general("高坂昌信", 0, 1),
                                 b.general("真田幸隆", 0, 1)};
        for (int i = 0; i < 15; ++i) b.general("足軽" + std::to_string(i), 0, 0);
        b.general("朝比奈泰朝", 2, 1, true);
        w.castles[1].besiegedBy = 2;
        QCOMPARE(w.castles[0].generalCount, 17);

        QString refusal;
        int refusals = 0;
        std::vector<int> moved;
        test::whenModal<CastleRetreatDialog>([&](CastleRetreatDialog* d) {
            QCOMPARE(d->windowTitle(), QString("城から退却"));
            QCOMPARE(d->table()->rowCount(), 4);
            QCOMPARE(d->table()->cell(0, 0), QString("馬場信春"));
            select(d->table(), 4);
            test::answerMessage(&refusal);
            d->retreatButton()->click(); // the message box runs inside the click
            ++refusals;
            QVERIFY(d->isVisible()); // the window stays open
            select(d->table(), 2);
            d->retreatButton()->click();
        });
        moved = runCastleRetreatDialog(window.get(), *game, 1);
        QCOMPARE(refusals, 1);
        QCOMPARE(refusal, QString("3人までしか退却できません"));
        QCOMPARE(moved, (std::vector<int>{defenders[0], defenders[1]}));
        QCOMPARE(w.castles[0].generalCount, 19);
        QCOMPARE(w.generals[defenders[0]].castle, int16_t(0));
        QCOMPARE(w.generals[defenders[3]].castle, int16_t(1));

        // Escape is ｷｬﾝｾﾙ: nobody moves.
        test::whenModal<CastleRetreatDialog>([&](CastleRetreatDialog* d) {
            select(d->table(), 1);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(runCastleRetreatDialog(window.get(), *game, 1).empty());
        QCOMPARE(w.castles[1].generalCount, 2);
    }
};

QTEST_MAIN(BattleDialogsTest)
#include "battle_dialogs_test.moc"
