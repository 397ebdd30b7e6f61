// The military commands through their windows on the fixture world: each window's confirm path
// with what the world then holds, and its cancel path leaving the saved image byte-identical.
#include "game/save_game.h"
#include "military/moves.h"
#include "military/recruit_pools.h"
#include "military/sorties.h"
#include "ui/armament_dialogs.h"
#include "ui/army_order_dialogs.h"
#include "ui/castle_info_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;
using vh::test::clickRow;

namespace {

QPushButton* buttonNamed(QWidget* d, const QString& text) {
    for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

QStringList names(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

} // namespace

class MilitaryDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT
    int baba = -1; // a second castle's general of the player's house

    void startPhase(int phase) {
        showPlayerPhase(phase);
        window->selectProvince(0);
    }
    // Presses the command, lets `inside` work the window and checks the world did not change.
    template <class D> void expectUnchanged(const char* caption, std::function<void(D*)> inside) {
        const std::vector<uint8_t> before = saveImage(world());
        bool ran = false;
        test::whenModal<D>([&](D* d) {
            inside(d);
            ran = true;
        });
        press(caption);
        QTRY_VERIFY(ran);
        QVERIFY(saveImage(world()) == before);
    }

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void init() {
        newFixtureGame(); // 武田家: 躑躅ヶ崎館 (0) and 新府城 (1) in 甲斐
        baba = test::WorldBuilder(world()).general("馬場信房", 0, 1);
        world().generals[baba].foot = 30;
        openWindow();
    }
    void cleanup() { closeWindow(); }

    // 武将移動: source, multi-selection, the prompts, a refused destination, then the order.
    void moveOrdersTheSelectedGenerals() {
        startPhase(kPhaseStrategy);
        world().generals[1].cavalry = 40;
        QStringList prompts, listed, sorted;
        bool hint = false, grey = true;
        test::whenModal<MoveDialog>([&](MoveDialog* d) {
            prompts << d->promptLabel()->text();
            d->clickCastle(0);
            prompts << d->promptLabel()->text();
            hint = d->hintLabel()->isVisible();
            listed = names(d->generalList());
            d->sortByColumn(1);
            sorted = names(d->generalList());
            clickRow(d->generalList(), 0);
            clickRow(d->generalList(), 1, Qt::ControlModifier);
            prompts << d->promptLabel()->text();
            grey = d->castleGrey(1);
            d->clickCastle(2); // 村上家's castle
            d->clickCastle(1);
        });
        press("武将移動");
        QTRY_COMPARE(world().generals[0].moveTarget, int16_t(1));
        QCOMPARE(prompts, (QStringList{kMovePromptSource, kMovePromptGenerals, kMovePromptDestination}));
        QVERIFY(hint && !grey);
        QCOMPARE(listed, (QStringList{"武田信玄", "山県昌景"}));
        QCOMPARE(sorted, (QStringList{"山県昌景", "武田信玄"}));
        QCOMPARE(messages, QStringList{kMoveNotOurSide});
        QCOMPARE(world().generals[1].moveTarget, int16_t(1));
        QVERIFY(world().generals[1].flags & kFlagActed);
    }

    void moveOutOfReachIsGreyAndCancelChangesNothing() {
        startPhase(kPhaseStrategy);
        world().settings.distanceLimit = 0;
        bool greyFar = false, greySource = true;
        expectUnchanged<MoveDialog>("武将移動", [&](MoveDialog* d) {
            d->clickCastle(0);
            clickRow(d->generalList(), 0);
            d->clickCastle(1);
            greyFar = d->castleGrey(1);
            greySource = d->castleGrey(0);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QCOMPARE(messages, QStringList{kMoveTooFar});
        QVERIFY(greyFar && !greySource);
    }

    // 出陣 from 新府城 against the adjacent 葛尾城 in 信濃, besieged by 今川家.
    void sortieMarksTheTargetAndTheCastleInformationShowsIt() {
        startPhase(kPhaseSortie);
        QString prompt;
        test::whenModal<SortieDialog>([&](SortieDialog* d) {
            d->clickCastle(1);
            clickRow(d->generalList(), 0);
            prompt = d->promptLabel()->text();
            d->showProvince(1);
            QCOMPARE(d->provinceLabel()->text(), QString("信濃"));
            d->clickCastle(1); // our own castle is not adjacent to itself
            d->clickCastle(2);
        });
        press("出陣");
        QTRY_COMPARE(world().generals[baba].sortieTarget, int16_t(2));
        QCOMPARE(prompt, QString(kSortiePromptTarget));
        QCOMPARE(messages, QStringList{kSortieNotAdjacent});
        QVERIFY(world().generals[baba].flags & kFlagActed);

        CastleInfoDialog info(world(), 1, window->mapView()->state(), window.get());
        InfoTable* list = info.garrisonList();
        const int column = list->columnOf("行動");
        QVERIFY(column >= 0);
        QCOMPARE(list->cell(0, column), QString("出陣"));
    }

    void sortieCancelChangesNothing() {
        startPhase(kPhaseSortie);
        expectUnchanged<SortieDialog>("出陣", [&](SortieDialog* d) {
            d->clickCastle(0);
            clickRow(d->generalList(), 0);
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        });
        QVERIFY(messages.isEmpty());
    }

    // 徴兵: ranges from the pools, the money check restoring the value, OK applying the plan.
    void conscriptionConfirmAndCancel() {
        startPhase(kPhaseArmament);
        for (int c : {0, 1})
            world().castles[c].support = 1000;
        for (int c = 0; c < world().castleCount; ++c)
            world().castleSnapshot[c] = world().castles[c];
        computeRecruitPools(world()); // 180000 koku: 18 cavalry, 180 foot units
        expectUnchanged<ConscriptionDialog>("徴兵", [&](ConscriptionDialog* d) {
            d->selectGeneral(0);
            d->footSpin()->setValue(5);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        world().houses[0].funds = 500;
        int cavalryMax = -1, footMax = -1, garrisonMax = -1;
        QString moneyAfterRefusal, pools;
        test::whenModal<ConscriptionDialog>([&](ConscriptionDialog* d) {
            d->selectGeneral(0);
            cavalryMax = d->cavalrySpin()->maximum();
            footMax = d->footSpin()->maximum();
            d->footSpin()->setValue(20);    // 200 money
            d->cavalrySpin()->setValue(11); // 330 more: refused
            QCOMPARE(d->cavalrySpin()->value(), 0);
            moneyAfterRefusal = d->moneyLabel()->text();
            d->cavalrySpin()->setValue(10);
            d->selectCastle(1);
            garrisonMax = d->garrisonSpin()->maximum();
            d->garrisonSpin()->setValue(1); // no money left: refused
            pools = d->poolsLabel()->text();
            QTest::keyClick(d->footSpin(), Qt::Key_Return); // Enter is OK
        });
        press("徴兵");
        QTRY_COMPARE(world().houses[0].funds, 0);
        QCOMPARE(cavalryMax, 18);
        QCOMPARE(footMax, 180);
        QCOMPARE(garrisonMax, 20); // 新府城, size 1: 200 men
        QCOMPARE(messages, (QStringList{kNoFunds, kNoFunds}));
        QCOMPARE(moneyAfterRefusal, QString("300"));
        QCOMPARE(pools, QString("80騎  1600人"));
        QCOMPARE(world().generals[0].foot, int16_t(20));
        QCOMPARE(world().generals[0].cavalry, int16_t(10));
        QCOMPARE(remainingPools(world()).foot, 160);
        QCOMPARE(world().castles[0].yield + world().castles[1].yield, 180000 - 300);
    }

    // 城兵糧補充: the three controls set one addition; OK buys it.
    void castleFoodConfirmAndCancel() {
        startPhase(kPhaseArmament);
        world().castles[0].food = 1975;
        expectUnchanged<CastleFoodDialog>("城兵糧補充", [&](CastleFoodDialog* d) {
            d->selectCastle(0);
            d->onesSpin()->setValue(3);
            QTest::mouseClick(buttonNamed(d, "ｷｬﾝｾﾙ"), Qt::LeftButton);
        });
        QString max, result;
        int tensMax = -1;
        test::whenModal<CastleFoodDialog>([&](CastleFoodDialog* d) {
            d->selectCastle(0);
            max = d->maxLabel()->text();
            tensMax = d->tensSpin()->maximum();
            d->onesSpin()->setValue(9);
            d->tensSpin()->setValue(2); // 29 passes the room of 25: cut to it
            result = d->resultBox()->text();
            d->slider()->setValue(25);
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        press("城兵糧補充");
        QTRY_COMPARE(world().castles[0].food, 2000);
        QCOMPARE(max, QString("Max 2000"));
        QCOMPARE(tensMax, 2);
        QCOMPARE(result, QString("2000"));
        QCOMPARE(world().houses[0].funds, 3000 - 25);
    }

    // 城普請: marked castles show 済 and grow on OK; reopened they still show 済.
    void castleImproveConfirmAndCancel() {
        startPhase(kPhaseArmament);
        for (int c = 0; c < world().castleCount; ++c)
            world().castleSnapshot[c] = world().castles[c];
        expectUnchanged<CastleImproveDialog>("城普請", [&](CastleImproveDialog* d) {
            d->selectCastle(0);
            d->improve();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QString done, label;
        test::whenModal<CastleImproveDialog>([&](CastleImproveDialog* d) {
            d->selectCastle(0);
            QCOMPARE(d->costLabel()->text(), QString("（必要資金 1000）"));
            d->improve();
            done = d->castleList()->cell(0, 4);
            label = d->costLabel()->text();
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        press("城普請");
        QTRY_COMPARE(int(world().castles[0].size), 2);
        QCOMPARE(done, QString("済"));
        QCOMPARE(label, QString("（実行済みです）"));
        QCOMPARE(world().houses[0].funds, 2000);
        expectUnchanged<CastleImproveDialog>("城普請", [&](CastleImproveDialog* d) {
            QCOMPARE(d->castleList()->cell(0, 4), QString("済"));
            d->selectCastle(0);
            d->improve();
            d->reject();
        });
        QCOMPARE(messages, QStringList{"実行済みです"});
    }

    // Without a province chosen every command stops at its first message.
    void noProvinceChosen() {
        startPhase(kPhaseArmament);
        window->selectProvince(-1);
        const std::vector<uint8_t> before = saveImage(world());
        press("徴兵");
        QTRY_COMPARE(messages, QStringList{kChooseProvince});
        QVERIFY(saveImage(world()) == before);
    }
};

QTEST_MAIN(MilitaryDialogsTest)
#include "military_dialogs_test.moc"
