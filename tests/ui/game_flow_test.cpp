// A game in the window: the command buttons of each phase, commands not built yet changing nothing,
// "コマンド終了" through a whole month, and save then load through the menu resuming the same phase.
#include "game/display_rules.h"
#include "game/save_game.h"
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>

using namespace vh;
using namespace vh::ui;

class GameFlowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramDir> dir;
    std::unique_ptr<GameApp> app;
    QStringList messages;
    std::unique_ptr<QTimer> answering;

    QStringList visibleCaptions() const {
        QStringList out;
        for (int b = 1; b <= 12; ++b)
            if (app->window()->commandButton(b)->isVisible()) out << app->window()->commandButton(b)->text();
        return out;
    }
    void endTurn() {
        const int phase = app->game().world.phase;
        QTest::mouseClick(app->window()->endTurnButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(
            app->game().world.phase != phase && app->window()->endTurnButton()->isEnabled(), 15000);
    }

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void init() {
        dir = std::make_unique<test::ProgramDir>();
        // Scripted start as 武田家 (house 0): no file chooser, no house dialog.
        app = std::make_unique<GameApp>(AppOptions{dir->dir.path(), dir->scenario(), 0, {}});
        messages.clear();
        answering.reset(test::autoAnswer(&messages, {}, true));
        QVERIFY(app->start());
        QTRY_VERIFY_WITH_TIMEOUT(
            app->game().world.playerHouse == 0 && app->window()->endTurnButton()->isEnabled(), 15000);
        QCOMPARE(app->game().world.phase, 1);
    }
    void cleanup() {
        answering.reset();
        app.reset();
        dir.reset();
    }

    void buttonsFollowThePhases() {
        const QStringList expected[6] = {
            {"捕虜処遇", "捕虜交換", "客将招請", "人質処遇"},
            {"徴兵", "鉄砲配備", "城普請", "城兵糧補充", "軍団編成", "軍団指示", "軍団所領", "軍団資産"},
            {"不戦同盟交渉", "従属要求", "臣従要求", "外交関係破棄", "独立", "主家鞍替", "従属志願",
             "臣従志願", "連合結成"},
            {"楽市楽座", "新田開墾", "鉱山開発", "船舶建造", "交易船派遣", "鉄砲生産", "鉄砲購入"},
            {"武将移動"},
            {"出陣"},
        };
        const int startMonth = app->game().world.date.month;
        for (int phase = 1; phase <= 6; ++phase) {
            QCOMPARE(app->game().world.phase, phase);
            QCOMPARE(visibleCaptions(), expected[phase - 1]);
            QCOMPARE(app->window()->phaseLabel()->text(), QString(phaseName(phase)) + "フェイズ");
            endTurn();
        }
        QCOMPARE(app->game().world.phase, 1);
        QCOMPARE(app->game().world.date.month, startMonth + 1);
    }

    void refusedCommandsChangeNothing() {
        const std::vector<uint8_t> before = saveImage(app->game().world);
        messages.clear();
        // 捕虜処遇 without prisoners is refused before any dialog opens.
        QTest::mouseClick(app->window()->commandButton(1), Qt::LeftButton);
        QTRY_COMPARE(messages, QStringList{"現在、当家には捕虜がいません"});
        // By key as well: "1" presses button 1.
        app->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->window()));
        QTest::keyClick(app->window()->windowHandle(), Qt::Key_1);
        QTRY_COMPARE(messages.size(), 2);
        QVERIFY(saveImage(app->game().world) == before);
        // 連合結成 in the diplomacy phase has its own refusal.
        endTurn();
        endTurn();
        QCOMPARE(app->game().world.phase, 3);
        messages.clear();
        QTest::mouseClick(app->window()->commandButton(9), Qt::LeftButton);
        QTRY_COMPARE(messages, QStringList{"このコマンドは現バージョンでは使用できません"});
    }

    void saveThenLoadResumesTheSamePhase() {
        endTurn();
        endTurn();
        endTurn(); // phase 4
        const QString path = dir->path("game.sav");
        app->chooseSaveFile = [&](bool) { return path; };
        app->window()->saveAction()->trigger();
        QVERIFY(QFile::exists(path));
        const std::vector<uint8_t> saved = saveImage(app->game().world);
        const auto order = app->game().world.houseOrder;
        endTurn();
        endTurn();
        QCOMPARE(app->game().world.phase, 6);
        app->window()->loadAction()->trigger();
        QTRY_COMPARE(app->game().world.phase, 4);
        QVERIFY(saveImage(app->game().world) == saved);
        QVERIFY(app->game().world.houseOrder == order);
        QVERIFY(app->window()->endTurnButton()->isEnabled());
        QCOMPARE(app->window()->phaseLabel()->text(), QString("内政フェイズ"));
        QCOMPARE(app->window()->commandButton(1)->text(), QString("楽市楽座"));
        endTurn();
        QCOMPARE(app->game().world.phase, 5);

        // A file that is not a saved game is refused and the game goes on.
        QFile junk(dir->path("junk.sav"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a saved game");
        junk.close();
        app->chooseSaveFile = [&](bool) { return junk.fileName(); };
        messages.clear();
        app->window()->loadAction()->trigger();
        QTRY_COMPARE(messages,
                     QStringList{"このファイルはセーブデータでないか、またはバージョンが異なります"});
        QCOMPARE(app->game().world.phase, 5);
    }

    void unificationShowsTheEndingAndEnds() {
        WorldState& w = app->game().world;
        for (int c = 0; c < w.castleCount; ++c)
            w.castles[c].owner = 0;
        QString ending;
        test::whenModal<EndingDialog>([&](EndingDialog* d) {
            QCOMPARE(d->windowTitle(), QString("エンディング"));
            ending = d->findChild<QLabel*>()->text();
            d->findChild<QPushButton*>()->click(); // 完
        });
        for (int i = 0; i < 6 && !app->ended(); ++i) {
            QTest::mouseClick(app->window()->endTurnButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(app->ended() || app->window()->endTurnButton()->isEnabled(), 15000);
        }
        QVERIFY(app->ended());
        QVERIFY(app->game().gameOver);
        QCOMPARE(ending, QString("武田家は統一を成し遂げました"));
        QVERIFY(!app->window()->isVisible());
    }

    void fallenHouseAsksOnceThenEndsOnNo() {
        WorldState& w = app->game().world;
        for (int c = 0; c < w.castleCount; ++c)
            if (w.castles[c].owner == 0) w.castles[c].owner = 2;
        w.houses[0].head = -1;
        const QString question = "当家は滅亡しました。今後の経過を見ますか？";
        answering.reset(test::autoAnswer(&messages, question, true));
        messages.clear();
        for (int i = 0; i < 6 && !app->ended(); ++i) {
            QTest::mouseClick(app->window()->endTurnButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(app->ended() || app->window()->endTurnButton()->isEnabled(), 15000);
        }
        QVERIFY(app->ended());
        QCOMPARE(messages.count(question), 1);
        QVERIFY(!app->window()->isVisible());
    }

    void watchingOnAfterTheFallIsTheWatchMode() {
        WorldState& w = app->game().world;
        for (int c = 0; c < w.castleCount; ++c)
            if (w.castles[c].owner == 0) w.castles[c].owner = 2;
        w.houses[0].head = -1;
        const GameDate start = w.date;
        for (int i = 0; i < 6; ++i) endTurn();
        QCOMPARE(messages.count("当家は滅亡しました。今後の経過を見ますか？"), 1);
        QVERIFY(w.spectator);
        QTRY_VERIFY(app->window()->autoButton()->isVisible());
        QVERIFY(visibleCaptions().isEmpty()); // the fallen house has nothing to command
        QCOMPARE(w.date.month, nextMonth(start).month);
        // One press plays the whole month.
        const GameDate before = w.date;
        QTest::mouseClick(app->window()->endTurnButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(sameDate(w.date, nextMonth(before)) && app->window()->endTurnButton()->isEnabled(),
                                 15000);
        QCOMPARE(w.phase, 1);
        QCOMPARE(messages.count("当家は滅亡しました。今後の経過を見ますか？"), 1);
    }

    void closingTheWindowAsks() {
        QStringList asked;
        answering.reset();
        test::whenModal<QMessageBox>([&](QMessageBox* box) {
            asked << box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        app->window()->close();
        QTRY_COMPARE(asked.size(), 1);
        QVERIFY(app->window()->isVisible());
        test::whenModal<QMessageBox>([&](QMessageBox* box) {
            asked << box->text();
            box->button(QMessageBox::Ok)->click();
        });
        app->window()->close();
        QTRY_VERIFY(!app->window()->isVisible());
        QCOMPARE(asked, (QStringList{"ゲームを終了します", "ゲームを終了します"}));
    }
};

QTEST_MAIN(GameFlowTest)
#include "game_flow_test.moc"
