// The month's battle windows: the report shown at the end of a real sortie phase (and not in
// automatic play), and the withdrawal from a besieged castle with its refusals.
#include "battle/battle_resolution.h"
#include "ui/battle_report_dialog.h"
#include "ui/castle_retreat_dialog.h"
#include "ui/info_table.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui/siege_window.h"
#include "ui_test_support.h"

#include <QItemSelectionModel>
#include <QPlainTextEdit>

using namespace vh;
using namespace vh::ui;

class BattleDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT

    void select(InfoTable* table, int rows) {
        table->selectionModel()->clearSelection();
        for (int r = 0; r < rows; ++r)
            table->selectionModel()->select(table->model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void init() {
        newFixtureGame();
        attachWindow();
    }
    void cleanup() { closeWindow(); }

    void theReportClosesTheSortiePhase() {
        prepareSiege(0, 10); // a large castle holds out the month
        QString title, text;
        test::whenModal<BattleReportDialog>([&](BattleReportDialog* d) {
            title = d->windowTitle();
            text = d->textView()->toPlainText();
            QTest::keyClick(d, Qt::Key_Return); // Enter is OK
        });
        resolveMonthlyBattles(*game);
        QCOMPARE(title, QString("合戦および攻城戦の発生状況"));
        QVERIFY2(text.startsWith("葛尾城（村上家）は今川家に攻められています"), qPrintable(text));
        QVERIFY(QString::fromStdString(game->battleReport).startsWith("葛尾城（村上家）は今川家に攻められています\r\n"));
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

    // 今川家's 岡部元信 stands before 村上家's 葛尾城: the player plays whichever side is his.
    void prepareSiege(int player, int size = 1) {
        WorldState& w = game->world;
        w.castles[2].size = static_cast<uint8_t>(size);
        w.playerHouse = player;
        w.generals[4].cavalry = 50; // the besieger, far stronger: the garrison stays inside
        w.generals[4].foot = 300;
        w.generals[2].foot = 10;
        w.castles[2].food = 5000;
        w.castles[1].owner = 1; // 新府城 is 村上家's, a castle to withdraw to
    }

    void aHandFoughtSiegeClosesWithTheReport() {
        prepareSiege(2);
        QStringList messages;
        std::unique_ptr<QTimer> answering(test::autoAnswer(&messages));
        QString turnLine;
        test::whenModal<SiegeWindow>([&](SiegeWindow* s) {
            for (int turn = 0; turn < 5 && s->button("強襲")->isEnabled(); ++turn) s->button("強襲")->click();
            turnLine = s->turnLine();
            s->button("閉じる")->click();
        });
        resolveMonthlyBattles(*game); // the report is read and closed like the month's other reports
        const QString report = QString::fromStdString(game->battleReport);
        QVERIFY(turnLine == "攻城戦終了" || turnLine == "強襲により落城しました");
        QVERIFY(report.startsWith("葛尾城（村上家）は今川家に攻められています"));
        QCOMPARE(report.contains("強襲により落城しました"), turnLine == "強襲により落城しました");
    }

    void aDefendingPlayerWithdrawsFromTheSiegeWindow() {
        prepareSiege(1);
        QStringList messages;
        std::unique_ptr<QTimer> answering(test::autoAnswer(&messages));
        int listed = -1;
        test::whenModal<SiegeWindow>([&](SiegeWindow* s) {
            test::whenModal<CastleRetreatDialog>([&](CastleRetreatDialog* d) {
                listed = d->table()->rowCount();
                select(d->table(), 1);
                d->retreatButton()->click();
            });
            s->button("城から退却")->click();
            while (s->button("城内で防戦")->isEnabled()) s->button("城内で防戦")->click();
            s->button("閉じる")->click();
        });
        resolveMonthlyBattles(*game);
        QCOMPARE(listed, 1);
        QCOMPARE(game->world.generals[2].castle, int16_t(1)); // 村上義清 got away to 新府城
        QVERIFY(QString::fromStdString(game->battleReport).startsWith("葛尾城（村上家）は今川家に攻められています\r\n"));
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
