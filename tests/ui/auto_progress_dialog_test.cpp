// Automatic progress while watching: AUTO only in watch mode, a past target refused, running to the
// target and stopping there, 中断 and closing ending quiet mode, and unification closing the dialog
// and ending the program.
#include "game/turn_driver.h"
#include "ui/auto_progress_dialog.h"
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;

class AutoProgressDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::ProgramDir> dir;
    std::unique_ptr<GameApp> app;
    QStringList messages;
    std::unique_ptr<QTimer> answering;

    void startApp(int house) {
        dir = std::make_unique<test::ProgramDir>();
        app = std::make_unique<GameApp>(AppOptions{dir->dir.path(), dir->scenario(), house, {}});
        messages.clear();
        answering.reset(test::autoAnswer(&messages));
        QVERIFY(app->start());
        QTRY_VERIFY_WITH_TIMEOUT(app->window()->endTurnButton()->isEnabled(), 15000);
    }

  private slots:
    void initTestCase() { test::armWatchdog(90000); }
    void cleanup() {
        answering.reset();
        app.reset();
        dir.reset();
    }

    void autoIsShownOnlyWhileWatching() {
        startApp(0);
        QVERIFY(!app->window()->autoButton()->isVisible());
        cleanup();
        startApp(-1);
        QVERIFY(app->game().world.spectator);
        QVERIFY(app->window()->autoButton()->isVisible());
        QString title;
        test::whenModal<AutoProgressDialog>([&](AutoProgressDialog* d) {
            title = d->windowTitle();
            d->closeButton()->click();
        });
        QTest::mouseClick(app->window()->autoButton(), Qt::LeftButton);
        QCOMPARE(title, QString("自動進行"));
        QVERIFY(!app->ended());
    }

    void runsToTheTargetAndStops() {
        startApp(-1);
        Game& game = app->game();
        AutoProgressDialog d(
            game, [this] { app->window()->refresh(); }, app->window());
        d.show();
        QCOMPARE(game.world.date.year, 1560);
        QCOMPARE(game.world.date.month, 5);
        // The list ranks the living houses; the yield including vassals is chosen first.
        QCOMPARE(d.houseList()->topLevelItemCount(), 3);
        QCOMPARE(d.houseList()->topLevelItem(0)->text(0), QString("今川家"));
        d.sortChoice()->setCurrentIndex(AutoProgressDialog::ByCastles);
        QCOMPARE(d.houseList()->headerItem()->text(1), QString("城数"));
        QCOMPARE(d.houseList()->topLevelItem(2)->text(1), QString("1"));

        // The current month and an earlier one are refused.
        for (auto [year, month] : {std::pair{1560, 5}, std::pair{1559, 12}}) {
            d.yearField()->setValue(year);
            d.monthField()->setValue(month);
            const int before = messages.size();
            d.startButton()->click();
            QTRY_COMPARE(messages.size(), before + 1);
            QCOMPARE(messages.last(), QString("現在よりも後の年月を入力してください"));
            QVERIFY(!d.running());
            QVERIFY(!game.quietMode);
        }

        d.yearField()->setValue(1560);
        d.monthField()->setValue(8);
        d.startButton()->click();
        QVERIFY(d.running());
        QVERIFY(game.quietMode);
        QVERIFY(!d.startButton()->isEnabled() && !d.closeButton()->isEnabled());
        QVERIFY(d.stopButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!d.running(), 30000);
        QCOMPARE(game.world.date.year, 1560);
        QCOMPARE(game.world.date.month, 8);
        QVERIFY(!game.quietMode);
        QVERIFY(d.startButton()->isEnabled() && d.closeButton()->isEnabled());
        QVERIFY(!d.stopButton()->isEnabled());
        QVERIFY(d.isVisible());
        // The window followed: its phase label shows the phase the run stopped in.
        // A run stops at the start of a month, in the personnel phase.
        QCOMPARE(game.world.phase, kPhasePersonnel);
        QCOMPARE(app->window()->phaseLabel()->text(), QString("人事フェイズ"));

        // 中断 part way; Escape while running interrupts rather than closing.
        d.yearField()->setValue(1570);
        d.startButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(game.world.date.month != 8, 30000);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(!d.running());
        QVERIFY(!game.quietMode);
        QVERIFY(d.isVisible());
        const GameDate stopped = game.world.date;
        QTest::qWait(50);
        QVERIFY(sameDate(game.world.date, stopped));
        // Started again, then closed: quiet mode ends with the dialog.
        d.startButton()->click();
        QVERIFY(game.quietMode);
        d.stopButton()->click();
        d.closeButton()->click();
        QVERIFY(!d.isVisible());
        QVERIFY(!game.quietMode);
    }

    void unificationClosesTheDialogAndEndsTheProgram() {
        startApp(-1);
        WorldState& w = app->game().world;
        // 武田家 holds every castle: the next month's event step unifies the country.
        for (int c = 0; c < w.castleCount; ++c)
            w.castles[c].owner = 0;
        QString ending;
        test::whenModal<EndingDialog>([&](EndingDialog* e) {
            ending = e->windowTitle();
            e->accept();
        });
        test::whenModal<AutoProgressDialog>([](AutoProgressDialog* d) {
            d->yearField()->setValue(1562);
            d->startButton()->click();
        });
        QTest::mouseClick(app->window()->autoButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(app->ended(), 30000);
        QCOMPARE(ending, QString("エンディング"));
        QVERIFY(app->game().gameOver);
        QVERIFY(!app->game().quietMode);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(AutoProgressDialogTest)
#include "auto_progress_dialog_test.moc"
