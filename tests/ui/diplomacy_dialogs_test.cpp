// The diplomacy commands through their windows on a scripted world: a break of relations from the
// button to the outcome, a non-aggression proposal with its envoy, a refusal before any window,
// independence; and the envoy-visit dialog's answers.
#include "diplomacy/relations.h"
#include "ui/diplomacy_choice_dialogs.h"
#include "ui/envoy_visit_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;
using vh::test::clickRow;
using vh::test::rows;

namespace {

// The view point of a map position in the dialog's current display.
QPoint viewPoint(const MapView* map, const WorldState& w, double x, double y) {
    return mapTransform(w, map->state()).map(QPointF(x, y)).toPoint();
}

} // namespace

class DiplomacyDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void init() {
        newFixtureGame();
        openWindow();
        showPlayerPhase(3);
    }
    void cleanup() { closeWindow(); }

    // 外交関係破棄: house choice on the map, the confirmation, the outcome, the relation dissolved.
    void breakingARelationEndToEnd() {
        setPairKind(world(), 0, 2, kRelPact);
        QStringList listed;
        QString title, prompt;
        test::whenModal<HouseChoiceDialog>([&](HouseChoiceDialog* d) {
            title = d->windowTitle();
            prompt = d->findChildren<QLabel*>().first()->text();
            // 遠江 has no castle: refused, nothing listed.
            QTest::mouseClick(d->mapView(), Qt::LeftButton, {}, viewPoint(d->mapView(), world(), 420, 330));
            QTRY_COMPARE(messages.size(), 1);
            QCOMPARE(d->houseList()->topLevelItemCount(), 0);
            // 駿河: 今川家 holds both its castles.
            QTest::mouseClick(d->mapView(), Qt::LeftButton, {}, viewPoint(d->mapView(), world(), 130, 250));
            QCOMPARE(d->provinceLabel()->text(), QString("駿河"));
            listed = rows(d->houseList());
            clickRow(d->houseList(), 0);
        });
        press("外交関係破棄");
        QTRY_COMPARE(messages.size(), 3);
        QCOMPARE(title, QString("同盟破棄大名家選択"));
        QCOMPARE(prompt, QString("国を指定し、同盟破棄する大名家を選んでください"));
        QCOMPARE(listed, QStringList{"今川家/2/19万5000石"});
        QCOMPARE(messages,
                 (QStringList{"このシナリオでは、遠江のデータはありません",
                              "今川家に使者を送り同盟を破棄します", "今川家との外交関係を破棄しました"}));
        QCOMPARE(kindAbout(world(), 0, 2), int(kRelNothing));
        QCOMPARE(kindAbout(world(), 2, 0), int(kRelNothing));
        QVERIFY(negotiatedThisTurn(world(), 2));
        QVERIFY(!negotiatedThisTurn(world(), 1));
    }

    // Breaking with a lord's vassal asks to break with the lord instead; はい checks the lord anew.
    void breakingWithAVassalRetargetsToItsLord() {
        test::WorldBuilder(world()).vassal(1, 2, 1);
        setPairKind(world(), 0, 1, kRelPact);
        setPairKind(world(), 0, 2, kRelPact);
        test::whenModal<HouseChoiceDialog>([&](HouseChoiceDialog* d) {
            d->pickProvince(1); // 信濃: 村上家
            d->pickHouse(1);
        });
        press("外交関係破棄");
        QTRY_COMPARE(messages.size(), 3);
        QCOMPARE(messages,
                 (QStringList{"村上家は独立大名ではありません。主家の今川家と同盟破棄しますか？",
                              "今川家に使者を送り同盟を破棄します", "今川家との外交関係を破棄しました"}));
        QCOMPARE(kindAbout(world(), 0, 2), int(kRelNothing));
        QVERIFY(negotiatedThisTurn(world(), 2));
        QVERIFY(!negotiatedThisTurn(world(), 1));
    }

    // 不戦同盟交渉: the envoy from a castle of the house, too little money keeps the choice open,
    // then the confirmation with the cost and the refusal of a house with a single neighbour.
    void nonAggressionWithItsEnvoy() {
        const int funds = 20000;
        world().houses[0].funds = 100; // below the cost of 村上家 at first
        QStringList envoys;
        QString castle;
        test::whenModal<EnvoyChoiceDialog>([&](EnvoyChoiceDialog* d) {
            QCOMPARE(d->windowTitle(), QString("同盟交渉"));
            d->okButton()->click(); // nothing chosen yet
            QTRY_COMPARE(messages.size(), 1);
            // 甲斐 on the national map, then 躑躅ヶ崎館 in its province view; 葛尾城 is not ours.
            QTest::mouseClick(d->mapView(), Qt::LeftButton, {}, viewPoint(d->mapView(), world(), 130, 80));
            QCOMPARE(d->mapView()->state().mode, MapMode::Province);
            d->pickCastle(2);
            QCOMPARE(d->generalList()->topLevelItemCount(), 0);
            QTest::mouseClick(d->mapView(), Qt::LeftButton, {},
                              viewPoint(d->mapView(), world(), 180.5, 130.5));
            castle = d->castleLabel()->text();
            envoys = rows(d->generalList());
            test::whenModal<HouseChoiceDialog>([&](HouseChoiceDialog* h) {
                QCOMPARE(h->windowTitle(), QString("不戦同盟交渉大名家選択"));
                h->pickProvince(1); // 信濃
                clickRow(h->houseList(), 0);
                QTRY_COMPARE(messages.size(), 2); // 資金が足りません: still choosing
                QVERIFY(h->isVisible());
                world().houses[0].funds = funds;
                clickRow(h->houseList(), 0);
            });
            d->okButton()->click();
        });
        press("不戦同盟交渉");
        QTRY_COMPARE(messages.size(), 4);
        QCOMPARE(castle, QString("躑躅ヶ崎館"));
        QCOMPARE(envoys, (QStringList{"武田信玄/当主", "山県昌景/"})); // the first one goes
        const int cost = 9000;                                         // a tenth of 村上家's 9万石
        QCOMPARE(
            messages,
            (QStringList{"同盟交渉する武将を指定して下さい", "資金が足りません",
                         QString("村上家に使者を送り交渉を行います（成功すると%1の費用が必要）").arg(cost),
                         "村上家は不戦同盟に応じませんでした"}));
        QVERIFY(world().generals[0].flags & kFlagActed);
        QVERIFY(negotiatedThisTurn(world(), 1));
        QCOMPARE(kindAbout(world(), 0, 1), int(kRelNothing));
        QCOMPARE(world().houses[0].funds, funds);

        // The same house again this month is refused in the house choice.
        messages.clear();
        test::whenModal<EnvoyChoiceDialog>([&](EnvoyChoiceDialog* d) {
            d->pickProvince(0);
            d->pickCastle(0); // 武田信玄 has acted this month
            envoys = rows(d->generalList());
            test::whenModal<HouseChoiceDialog>([&](HouseChoiceDialog* h) {
                h->pickProvince(1);
                clickRow(h->houseList(), 0);
                QTRY_COMPARE(messages.size(), 1);
                h->reject();
            });
            d->okButton()->click();
        });
        press("不戦同盟交渉");
        QTRY_COMPARE(messages, QStringList{"村上家とはすでに今回のターンで交渉済みです"});
        QCOMPARE(envoys, QStringList{"山県昌景/"});
        QVERIFY(!(world().generals[1].flags & kFlagActed)); // cancelled: the envoy stays home
    }

    // A subordinate house is refused before any window; 独立 asks, then leaves the lord.
    void refusalThenIndependence() {
        test::WorldBuilder(world()).vassal(0, 2, 1);
        press("従属要求");
        QTRY_COMPARE(messages, QStringList{"当家は従属大名なので外交交渉できません"});
        messages.clear();
        press("独立");
        QTRY_COMPARE(messages, QStringList{"今川家から独立しますか？"});
        QTRY_COMPARE(int(world().houses[0].vassalState), 0);
        QCOMPARE(world().houses[0].lord, 0);
        QVERIFY(negotiatedThisTurn(world(), 2));
        QVERIFY(!lordCommandUsed(world()));
    }

    void vassalWindowShowsItsNotes() {
        VassalSuccessDialog d("村上家は当家に臣従しました");
        QCOMPARE(d.windowTitle(), QString("臣従化成功"));
        QStringList texts;
        for (QLabel* l : d.findChildren<QLabel*>())
            texts << l->text();
        QCOMPARE(texts,
                 (QStringList{"村上家は当家に臣従しました",
                              "・臣従大名の城には、当家の城と同様に移動が可能になります",
                              "・臣従大名の当主・武将には、移動・外交使者派遣・出陣の指示が可能になります"}));
    }

    // 使者来訪: texts, the territory on the map, the hostage box, はい and いいえ; automatic play
    // answers as a computer house without a dialog.
    void envoyVisitAnswers() {
        answering.reset();
        EnvoyVisitRequest application =
            makeEnvoyVisitRequest(world(), EnvoyKind::SubordinationApplication, 2);
        QStringList texts;
        std::vector<int> ringed;
        test::whenModal<EnvoyVisitDialog>([&](EnvoyVisitDialog* d) {
            texts << d->windowTitle() << d->questionLabel()->text() << d->infoLabel()->text();
            QVERIFY(d->mapView()->ringedCastles().empty());
            d->territoryButton()->click();
            ringed = d->mapView()->ringedCastles();
            QVERIFY(d->hostageBox());
            d->hostageBox()->setChecked(true);
            d->yesButton()->click();
        });
        EnvoyVisitAnswer a = frontend.askEnvoyVisit(application);
        QVERIFY(a.accept);
        QVERIFY(a.demandHostage);
        QCOMPARE(texts, (QStringList{"従属志願使者来訪", "今川家が当家に従属を申し出ました。受け入れますか？",
                                     "今川家情報 :   石高 19万5000石   城数 2"}));
        QCOMPARE(ringed, (std::vector<int>{3, 4}));

        bool hadHostageBox = true;
        test::whenModal<EnvoyVisitDialog>([&](EnvoyVisitDialog* d) {
            hadHostageBox = d->hostageBox() != nullptr;
            d->noButton()->click();
        });
        a = frontend.askEnvoyVisit(makeEnvoyVisitRequest(world(), EnvoyKind::NonAggression, 1));
        QVERIFY(!a.accept);
        QVERIFY(!hadHostageBox);

        // Closing the window is いいえ.
        test::whenModal<EnvoyVisitDialog>([](EnvoyVisitDialog* d) { d->close(); });
        QVERIFY(!frontend.askEnvoyVisit(application).accept);

        game->quietMode = true;
        int asked = 0;
        application.computerAnswer = [&] {
            ++asked;
            return EnvoyVisitAnswer{true, false};
        };
        a = frontend.askEnvoyVisit(application);
        QVERIFY(a.accept);
        QCOMPARE(asked, 1);
    }
};

QTEST_MAIN(DiplomacyDialogsTest)
#include "diplomacy_dialogs_test.moc"
