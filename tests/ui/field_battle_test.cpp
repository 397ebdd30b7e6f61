// The field battle's windows: the formation window's rules, a battle fought through its order
// buttons to a result, the confusion's retreat refusal, closing the program in mid-battle, and
// the desktop frontend playing the battle piece while the windows are open.
#include "ui/field_battle_window.h"
#include "ui/field_formation_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"
#include "ui_test_support.h"
#include "world/random.h"

#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;

namespace {

FieldGeneral general(const char* name, int cavalry, int foot, int guns, int intellect = 50) {
    FieldGeneral g;
    g.name = name;
    g.cavalry = cavalry;
    g.foot = foot;
    g.guns = guns;
    g.valor = 60;
    g.intellect = intellect;
    g.ofCommandingHouse = true;
    return g;
}

FieldBattle battle(bool withHead) {
    FieldBattle b;
    b.settings.kishuu = false;
    FieldGeneral head = general("織田信長", 50, 200, 20, 90);
    head.headOfIndependentHouse = withHead;
    FieldGeneral vassal = general("徳川家康", 30, 150, 0, 80);
    vassal.ofCommandingHouse = false;
    vassal.ofVassalHouse = true;
    b.sides[0].generals = {head, general("柴田勝家", 60, 180, 0), vassal};
    b.sides[0].hasGarrison = true;
    b.sides[0].castleName = "清洲城";
    b.sides[0].garrisonSoldiers = 30;
    b.sides[0].houseName = "織田家";
    b.sides[1].generals = {general("今川義元", 20, 100, 0), general("朝比奈泰朝", 10, 60, 0)};
    b.sides[1].houseName = "今川家";
    return b;
}

} // namespace

class FieldBattleWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void formationWindowRules() {
        Random rng(1);
        FieldBattle b = battle(true);
        beginFieldBattle(b, rng);
        {
            FieldFormationDialog d(b);
            d.show();
            QCOMPARE(d.windowTitle(), QString("今川家との野戦を行います"));
            QCOMPARE(d.findChild<QLabel*>("ownStrength")->text(),
                     QString("騎馬兵 1400　足軽兵 5600　鉄砲数 200"));
            // The head of the player's house commands at once; the 本陣 button is then closed.
            QCOMPARE(d.lineList(kFieldMainLine)->count(), 1);
            QCOMPARE(d.lineList(kFieldMainLine)->item(0)->text(), QString("織田信長"));
            QVERIFY(!d.lineButton(kFieldMainLine)->isEnabled());
            QVERIFY(d.lineButton(kFieldVanguard)->isEnabled());
            QCOMPARE(d.unplacedList()->topLevelItemCount(), 3);
            QCOMPARE(d.unplacedList()->topLevelItem(1)->text(1), QString("臣従"));
            QCOMPARE(d.unplacedList()->topLevelItem(2)->text(0), QString("清洲城守備兵"));
            QCOMPARE(d.unplacedList()->topLevelItem(2)->text(3), QString("300"));
            // Not closable while units are left.
            QVERIFY(!d.okButton()->isEnabled());
            d.reject();
            QVERIFY(d.isVisible());
            d.selectUnits({1});
            d.lineButton(kFieldVanguard)->click();
            d.selectUnits({2, kGarrisonUnit});
            d.lineButton(kFieldSecondLine)->click();
            QVERIFY(d.allPlaced());
            QVERIFY(d.okButton()->isEnabled());
            QCOMPARE(d.lines()[kFieldVanguard], std::vector<int>{1});
            QCOMPARE(d.lines()[kFieldSecondLine], (std::vector<int>{2, kGarrisonUnit}));
            d.okButton()->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        // Without the head: the lines wait for a commander, who must be one, and a vassal asks.
        FieldBattle c = battle(false);
        beginFieldBattle(c, rng);
        FieldFormationDialog d(c);
        QStringList said, asked;
        bool answer = false;
        d.message = [&](const QString& t) { said << t; };
        d.question = [&](const QString& t) {
            asked << t;
            return answer;
        };
        d.show();
        QVERIFY(!d.lineButton(kFieldVanguard)->isEnabled());
        QVERIFY(!d.lineButton(kFieldSecondLine)->isEnabled());
        QVERIFY(d.lineButton(kFieldMainLine)->isEnabled());
        d.selectUnits({0, 1});
        d.lineButton(kFieldMainLine)->click();
        QCOMPARE(said, QStringList{"本陣（大将）は１武将のみ配置できます"});
        QCOMPARE(d.lineList(kFieldMainLine)->count(), 0);
        d.selectUnits({2});
        d.lineButton(kFieldMainLine)->click();
        QCOMPARE(asked, QStringList{"臣従武将（客将以外）を総大将にする場合は智謀値による采配効果が得られませ"
                                    "んがよろしいですか？"});
        QCOMPARE(d.lineList(kFieldMainLine)->count(), 0);
        answer = true;
        d.selectUnits({2});
        d.lineButton(kFieldMainLine)->click();
        QCOMPARE(d.lines()[kFieldMainLine], std::vector<int>{2});
        QVERIFY(!d.lineButton(kFieldMainLine)->isEnabled());
        QVERIFY(d.lineButton(kFieldVanguard)->isEnabled());
        // The vassal commands without a bonus once the battle is drawn up.
        setFieldFormation(c, 0,
                          {std::vector<int>{0, 1}, std::vector<int>{kGarrisonUnit}, std::vector<int>{2}});
        formFieldSideAutomatically(c, 1, rng);
        deployFieldBattle(c);
        QCOMPARE(c.sides[0].commandBonus, 0);
    }

    void battleFoughtThroughTheButtons() {
        Random rng(7);
        FieldBattle b = battle(true);
        beginFieldBattle(b, rng);
        setFieldFormation(b, 0,
                          {std::vector<int>{1, 2}, std::vector<int>{kGarrisonUnit}, std::vector<int>{0}});
        formFieldSideAutomatically(b, 1, rng);
        deployFieldBattle(b);
        FieldBattleWindow w(b, rng);
        QStringList said;
        w.message = [&](const QString& t) { said << t; };
        w.show();
        QCOMPARE(w.turnLabel()->text(), QString("ターン 1/20"));
        QCOMPARE(w.weatherLabel()->text(), QString("天候 : 晴れ"));
        QVERIFY(w.orderButton(kOrderAdvance)->isEnabled());
        QVERIFY(!w.orderButton(kOrderGunfire)->isEnabled()); // the 先陣 has no guns
        QVERIFY(!w.orderButton(kOrderAttack)->isEnabled());
        QVERIFY(!w.closeButton()->isEnabled());
        int presses = 0;
        while (b.result == kFieldUndecided && presses < 40) {
            ++presses;
            if (w.orderButton(kOrderAttack)->isEnabled())
                w.orderButton(kOrderAttack)->click();
            else
                w.orderButton(kOrderAdvance)->click();
            if (presses == 1) {
                QCOMPARE(w.turnLabel()->text(), QString("ターン 2/20"));
                QVERIFY(w.enemyOrderLabel()->text().startsWith("敵軍の行動 : "));
            }
        }
        QVERIFY(b.result != kFieldUndecided);
        QVERIFY(b.finished);
        for (int o = kOrderHold; o <= kOrderRetreat; ++o)
            QVERIFY(!w.orderButton(o)->isEnabled());
        QVERIFY(w.closeButton()->isEnabled());
        const QString title = w.titleLabel()->text();
        QVERIFY2(title == "織田家の勝利" || title == "今川家の勝利" || title == "引き分け",
                 qPrintable(title));
        QVERIFY(said.contains("今川家の軍勢は退却しました") || said.contains("織田家の軍勢は退却しました") ||
                said.contains("両軍は退却しました"));
        QCOMPARE(w.windowTitle(), title);
        w.closeButton()->click();
        QVERIFY(!w.isVisible());
    }

    void rainAndTheConfusion() {
        Random rng(3);
        FieldBattle b = battle(true);
        b.rain = true;
        beginFieldBattle(b, rng);
        b.surprise = 2; // the enemy surprised the player's side
        b.surpriser = 0;
        b.confusion = 3;
        setFieldFormation(b, 0, {std::vector<int>{1}, std::vector<int>{2}, std::vector<int>{0}});
        formFieldSideAutomatically(b, 1, rng);
        deployFieldBattle(b);
        FieldBattleWindow w(b, rng);
        QStringList said;
        w.message = [&](const QString& t) { said << t; };
        w.show();
        QTRY_VERIFY(!said.isEmpty());
        QCOMPARE(said.first(),
                 QString("今川義元 の計略により 今川家 の軍勢が奇襲に成功し、織田家 の本陣を急襲しました"));
        QCOMPARE(w.weatherLabel()->text(), QString("天候 : 雨（鉄砲使用不可）"));
        QVERIFY(!w.orderButton(kOrderGunfire)->isEnabled());
        QVERIFY(!w.orderButton(kOrderExchange)->isEnabled()); // the surprised side never exchanges
        QVERIFY(w.orderButton(kOrderAttack)->isEnabled());    // one step apart
        w.orderButton(kOrderRetreat)->click();
        QCOMPARE(said.last(), QString("奇襲により軍勢が混乱しているため撤退できません"));
        QCOMPARE(b.turn, 0);
    }

    void closingInMidBattle() {
        Random rng(5);
        FieldBattle b = battle(true);
        setUpFieldBattle(b, rng);
        FieldBattleWindow w(b, rng);
        bool answer = false;
        w.question = [&](const QString& t) {
            [&] { QCOMPARE(t, QString("ゲームを終了します")); }();
            return answer;
        };
        w.show();
        w.reject(); // Escape does not end a battle
        QVERIFY(w.isVisible());
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(!w.abandoned());
        answer = true;
        w.close();
        QVERIFY(!w.isVisible());
        QVERIFY(w.abandoned());
    }

    void frontendPlaysTheBattlePiece() {
        Game game;
        test::buildFixtureWorld(game.world);
        game.world.playerHouse = 0;
        MainWindow window(game);
        QtFrontend frontend;
        frontend.attach(&window);
        QStringList music;
        frontend.battleMusic = [&] { music << "battle"; };
        frontend.ordinaryMusic = [&] { music << "ordinary"; };
        Random rng(9);
        FieldBattle b = battle(true);
        beginFieldBattle(b, rng);
        test::whenModal<FieldFormationDialog>([&](FieldFormationDialog* d) {
            QCOMPARE(music, QStringList{"battle"});
            d->selectUnits({1, 2, kGarrisonUnit});
            d->lineButton(kFieldVanguard)->click();
            d->okButton()->click();
        });
        test::whenModal<FieldBattleWindow>([&](FieldBattleWindow* w) {
            w->message = [](const QString&) {};
            w->orderButton(kOrderRetreat)->click();
            w->closeButton()->click();
        });
        QCOMPARE(frontend.fightFieldBattle(b, rng), HandBattle::Fought);
        QVERIFY(b.finished);
        QVERIFY(b.result == kFieldSide1Won || b.result == kFieldDraw); // the player retreated at once
        QCOMPARE(music, (QStringList{"battle", "ordinary"}));
        // During automatic play nothing opens.
        game.quietMode = true;
        FieldBattle quiet = battle(true);
        QCOMPARE(frontend.fightFieldBattle(quiet, rng), HandBattle::NotByHand);
    }
};

QTEST_MAIN(FieldBattleWindowsTest)
#include "field_battle_test.moc"
