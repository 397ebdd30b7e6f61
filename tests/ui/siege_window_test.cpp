// The siege window through its buttons: a besieging player storms to the end of the month, a
// defending player defends, sallies (and the window closes on a lost sally), and leaving the
// window early asks first and stops the month.
#include "battle/player_siege.h"
#include "support/world_builder.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui/siege_window.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QPushButton>

using namespace vh;
using namespace vh::ui;

class SiegeWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Game> game;
    int owner = -1, enemy = -1, castle = -1;
    QStringList messages;
    std::unique_ptr<QTimer> answering;

    void buildWorld() {
        game = std::make_unique<Game>();
        WorldState& w = game->world;
        test::WorldBuilder b(w);
        owner = b.house("北条家");
        enemy = b.house("上杉家");
        castle = b.castle("小田原城", owner);
        const int refuge = b.castle("江戸城", owner);
        b.route(castle, refuge);
        w.castleSites[castle].maxYield = 250000;
        Castle& c = w.castles[castle];
        c.size = 3;
        c.yield = 123456;
        c.food = 5000;
        c.garrison = 30;
        c.siegeProgress = 150;
        c.besiegedBy = static_cast<int16_t>(enemy);
        const auto troops = [&](int g, int cavalry, int foot, int guns, int valor, int intellect) {
            General& r = w.generals[g];
            r.cavalry = static_cast<int16_t>(cavalry);
            r.foot = static_cast<int16_t>(foot);
            r.guns = static_cast<int16_t>(guns);
            r.valor = static_cast<uint8_t>(valor);
            r.intellect = static_cast<uint8_t>(intellect);
        };
        troops(b.general("北条氏康", owner, castle), 10, 40, 20, 6, 8);
        troops(b.general("上杉謙信", enemy, castle, true), 100, 400, 0, 10, 6);
        troops(b.general("直江景綱", enemy, castle, true), 50, 300, 10, 5, 7);
    }

    // Presses a button; the message boxes it opens are answered by the running timer.
    void press(SiegeWindow& w, const QString& caption) {
        QPushButton* b = w.button(caption);
        QVERIFY2(b, qPrintable(caption));
        QVERIFY2(b->isEnabled(), qPrintable(caption));
        QTest::mouseClick(b, Qt::LeftButton);
    }

  private slots:
    void initTestCase() { test::armWatchdog(60000); }
    void init() {
        buildWorld();
        messages.clear();
        answering.reset(test::autoAnswer(&messages));
    }
    void cleanup() { answering.reset(); }

    void besiegingPlayerStormsToTheEnd() {
        game->world.playerHouse = enemy;
        game->rng.seed(3);
        PlayerSiege siege(*game, castle);
        SiegeWindow w(siege);
        QCOMPARE(w.windowTitle(), QString("攻城戦"));
        QVERIFY(!w.button("城外で野戦") && !w.button("城内で防戦"));
        w.show();
        QTRY_VERIFY(w.button("強襲")->isEnabled()); // the opening ran: 850 men against 80 stay in
        QCOMPARE(w.partLines(), (QStringList{"本丸 : 0%", "二の丸 : 50%", "三の丸 : 陥落"}));
        QCOMPARE(w.findChild<QLabel*>("yield")->text(), QString("石高 : 12万3456石 (Max 25万0000石)"));
        QCOMPARE(w.turnLine(), QString("ターン 1/5"));
        QCOMPARE(w.besiegerList()->rowCount(), 2);
        QCOMPARE(w.besiegerList()->cell(0, 2), QString("4000"));
        QVERIFY(!w.button("閉じる")->isVisible());

        press(w, "待機（兵糧攻め）");
        QCOMPARE(w.turnLine(), QString("ターン 2/5"));
        QCOMPARE(siege.siege().order, SiegeOrder::Wait);
        while (siege.canOrder())
            press(w, "強襲");
        QVERIFY(!w.button("強襲")->isEnabled() && !w.button("待機（兵糧攻め）")->isEnabled());
        QVERIFY(w.button("閉じる")->isVisible());
        const int result = siege.siege().result;
        QCOMPARE(w.turnLine(), QString(result == kSiegeFallen        ? "強襲により落城しました"
                                       : result == kSiegeSurrendered ? "兵糧が尽きたので開城しました"
                                                                     : "攻城戦終了"));
        if (result == kSiegeFallen) QCOMPARE(w.partLines().first(), QString("本丸 : 陥落"));
        press(w, "閉じる");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!siege.abandoned());
        const SiegeMonthOutcome out = siege.finish();
        QCOMPARE(out.result, result);
        QCOMPARE(int(game->world.castles[castle].siegeProgress), siege.siege().progress);
    }

    void defendingPlayerDefendsAndCannotSallyLater() {
        game->world.playerHouse = owner;
        int battles = 0;
        PlayerSiege siege(*game, castle, [&](Game&, int) { return ++battles, 1; });
        SiegeWindow w(siege);
        QVERIFY(!w.button("強襲"));
        w.show();
        QTRY_VERIFY(w.button("城内で防戦")->isEnabled());
        QVERIFY(w.button("城外で野戦")->isEnabled());
        QVERIFY(!w.button("城から退却")->isEnabled()); // the retreat dialog is not there yet
        QCOMPARE(w.defenderList()->cell(0, 0), QString("城守備兵"));
        QCOMPARE(w.defenderList()->cell(0, 2), QString("300"));
        QCOMPARE(w.defenderList()->cell(0, 4), QString("3"));
        QCOMPARE(w.defenderList()->cell(1, 0), QString("北条氏康"));

        press(w, "城内で防戦");
        QCOMPARE(siege.siege().turn, 1);
        QVERIFY(!w.button("城外で野戦")->isEnabled()); // only before the first turn
        QCOMPARE(battles, 0);
        w.done(QDialog::Accepted);
    }

    void lostSallyClosesTheWindow() {
        game->world.playerHouse = owner;
        PlayerSiege siege(*game, castle, [](Game&, int) { return 2; });
        SiegeWindow w(siege);
        w.show();
        QTRY_VERIFY(w.button("城外で野戦")->isEnabled());
        press(w, "城外で野戦");
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(messages.contains("敵軍は撤退します"));
        QCOMPARE(siege.finish().sally, 2);
    }

    void leavingEarlyAsksAndStopsTheMonth() {
        game->world.playerHouse = enemy;
        answering.reset();
        PlayerSiege siege(*game, castle);
        SiegeWindow w(siege);
        w.show();
        QTRY_VERIFY(w.button("強襲")->isEnabled());
        QString asked;
        test::answerMessage(&asked, QMessageBox::Cancel);
        QTest::keyClick(&w, Qt::Key_Escape);
        QTRY_COMPARE(asked, QString("ゲームを終了します"));
        QVERIFY(w.isVisible() && !siege.abandoned());

        asked.clear();
        test::answerMessage(&asked, QMessageBox::Ok);
        w.close();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(asked, QString("ゲームを終了します"));
        QVERIFY(siege.abandoned());
        QVERIFY(siege.finish().abandoned);
    }

    void frontendPlaysTheBattlePieceAndTellsTheProgramItCloses() {
        // 岡部元信 of 今川家 stands before 葛尾城 in the fixture world.
        auto fixture = std::make_unique<Game>();
        test::buildFixtureWorld(fixture->world);
        fixture->world.playerHouse = 2;
        const int besieged = 2;
        QVERIFY(siegeFoughtByHand(fixture->world, besieged));
        MainWindow main(*fixture);
        QtFrontend frontend;
        frontend.attach(&main);
        fixture->frontend = &frontend;
        int battle = 0, ordinary = 0, closing = 0;
        frontend.battleMusic = [&] { ++battle; };
        frontend.ordinaryMusic = [&] { ++ordinary; };
        frontend.programClosing = [&] { ++closing; };

        test::whenModal<SiegeWindow>([&](SiegeWindow* w) {
            QCOMPARE(battle, 1);
            w->openSiege();
            while (w->button("強襲")->isEnabled())
                QTest::mouseClick(w->button("強襲"), Qt::LeftButton);
            QTest::mouseClick(w->button("閉じる"), Qt::LeftButton);
        });
        const SiegeMonthOutcome out = runSiegeMonth(*fixture, besieged, {});
        QVERIFY(!out.abandoned);
        QCOMPARE(ordinary, 1);
        QCOMPARE(closing, 0);

        // Leaving the window early (confirmed by the answering timer) abandons the month.
        fixture->world.castles[besieged].siegeProgress = 0;
        test::whenModal<SiegeWindow>([&](SiegeWindow* w) { w->close(); });
        const SiegeMonthOutcome left = runSiegeMonth(*fixture, besieged, {});
        QVERIFY(left.abandoned);
        QCOMPARE(closing, 1);
        QVERIFY(messages.contains("ゲームを終了します"));

        // During automatic progress the rule runs the siege itself.
        fixture->quietMode = true;
        PlayerSiege quiet(*fixture, besieged);
        QVERIFY(!frontend.fightSiege(quiet));
    }
};

QTEST_MAIN(SiegeWindowTest)
#include "siege_window_test.moc"
