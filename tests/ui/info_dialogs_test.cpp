// The information dialogs: castle parts and the port of a castle, the action column, the house
// information's head and map, the list of houses sorted by number and opening a house, and the
// general list with its vassal switch and its prisoners and hostages.
#include "context/game_text.h"
#include "ui/castle_info_dialog.h"
#include "ui/coalition_list_dialog.h"
#include "ui/general_list_dialog.h"
#include "ui/house_info_dialog.h"
#include "ui/house_list_dialog.h"
#include "ui/log_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>

using namespace vh;
using namespace vh::ui;

namespace {

// Clicks a column header the way the player does.
void clickHeader(QTreeView* view, int column) {
    QHeaderView* h = view->header();
    const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

QStringList columnTexts(const InfoTable* t, int column) {
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out << t->cell(r, column);
    return out;
}

} // namespace

class InfoDialogsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WorldState> world;
    MapViewState mapState;

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void init() {
        world = std::make_unique<WorldState>();
        test::buildFixtureWorld(*world);
        world->playerHouse = 0;
        world->phase = kPhaseArmament;
        mapState = MapViewState{};
    }

    void castlePartsAndPort() {
        // 駿府城 (castle 3): size 3 at siege progress 150, no port.
        Castle& k = world->castles[3];
        k.size = 3;
        k.siegeProgress = 150;
        k.food = 1200;
        k.garrison = 25;
        k.support = 755;
        world->castleSites[3].maxYield = 200000;
        CastleInfoDialog d(*world, 3, mapState);
        QCOMPARE(d.windowTitle(), QString("城情報"));
        QCOMPARE(d.value("城の名前"), QString("駿府城"));
        QCOMPARE(d.value("石高"), QString("15万0000石 (Max 20万0000石)"));
        QCOMPARE(d.value("所有大名家"), QString("今川家"));
        QCOMPARE(d.value("兵糧"), QString("1200 (Max 6000)"));
        QCOMPARE(d.value("守備兵"), QString("250"));
        QCOMPARE(d.value("民衆支持率"), QString(" 75.5%"));
        QCOMPARE(d.value("城主"), QString("---"));
        QCOMPARE(d.partLines(), QStringList({"本丸 : 0%", "二の丸 : 50%", "三の丸 : 陥落"}));
        QVERIFY(d.portGroup() == nullptr);
        QCOMPARE(d.garrisonList()->rowCount(), 1);
        QCOMPARE(d.garrisonList()->cell(0, 0), QString("今川義元"));
        QCOMPARE(d.garrisonList()->cell(0, 2), QString("当主"));
        QVERIFY(!d.besiegerList()->isEnabled());
        // Not the player's castle: no 行動 column.
        QCOMPARE(d.garrisonList()->columnOf("行動"), -1);

        // 小山城 (castle 4) has a port with two of five ships at sea.
        world->castles[4].tradeShips = 5;
        world->castles[4].voyages[2].ships = 2;
        CastleInfoDialog port(*world, 4, mapState);
        QVERIFY(port.portGroup() != nullptr);
        QCOMPARE(port.portGroup()->findChild<QLabel*>("shipsInPort")->text(), QString("待機中  3"));
        QCOMPARE(port.portGroup()->findChild<QLabel*>("shipsAtSea")->text(), QString("航海中  2"));
        QCOMPARE(port.partLines(), QStringList({"本丸 : 0%"}));
    }

    void theBesiegedCastleAndTheActionColumn() {
        // 葛尾城 (castle 2) is besieged by 今川家; 武田家 plays, phase 2.
        CastleInfoDialog d(*world, 2, mapState);
        QCOMPARE(d.besiegerHeading()->text(), QString("包囲武将 (今川家)"));
        QVERIFY(d.besiegerList()->isEnabled());
        QCOMPARE(d.besiegerList()->rowCount(), 1);
        QCOMPARE(d.besiegerList()->cell(0, 0), QString("岡部元信"));
        QCOMPARE(d.garrisonList()->columnOf("行動"), -1); // 村上家's castle

        // The player's own castle in phase 2 shows what its generals did this month.
        world->generals[1].flags |= kFlagActed;
        world->generals[1].moveTarget = 1;
        CastleInfoDialog own(*world, 0, mapState);
        const int action = own.garrisonList()->columnOf("行動");
        QVERIFY(action > 0);
        QCOMPARE(columnTexts(own.garrisonList(), action), QStringList({"", "移動中"}));
        world->phase = kPhaseStrategy;
        CastleInfoDialog later(*world, 0, mapState);
        QCOMPARE(later.garrisonList()->columnOf("行動"), -1);
        QVERIFY(own.findChild<QLabel*>("garrisonTotals")->text().startsWith("総騎馬兵 : "));
    }

    void houseInformation() {
        world->houses[1].head = -1; // a house without a head
        world->houses[1].miningSkill = 350;
        HouseInfoDialog d(*world, 1, mapState);
        QCOMPARE(d.windowTitle(), QString("大名家情報"));
        QCOMPARE(d.value("家名"), QString("村上家"));
        QCOMPARE(d.value("当主"), QString("---"));
        QCOMPARE(d.value("鉱山技術"), QString("35"));
        QCOMPARE(d.value("支配城数"), QString("1"));
        QCOMPARE(d.lordLine()->text(), QString());
        // Its one castle is ringed on its map, and the map magnifies on its own switch.
        QCOMPARE(d.mapView()->markedPoints().size(), size_t(1));
        const QPointF before = d.mapView()->markedPoints()[0];
        d.magnifySwitch()->setChecked(true);
        QCOMPARE(d.mapView()->state().scale, 2);
        QVERIFY(d.mapView()->markedPoints()[0] != before);

        world->houses[2].vassalState = 2;
        world->houses[2].lord = 0;
        HouseInfoDialog vassal(*world, 2, mapState);
        QCOMPARE(vassal.lordLine()->text(), QString("武田家に臣従"));
        QCOMPARE(vassal.value("総石高"), QString("19万5000石"));

        // 武将情報 opens that house's general list.
        QString heading;
        test::whenModal<GeneralListDialog>([&](GeneralListDialog* g) {
            heading = g->heading()->text();
            g->reject();
        });
        vassal.generalsButton()->click();
        QCOMPARE(heading, QString("今川家 武将一覧"));
    }

    void houseListSortsByNumberAndOpensAHouse() {
        world->houses[0].funds = 900;
        world->houses[1].funds = 10000;
        world->houses[2].funds = 25;
        HouseListDialog d(*world, mapState);
        d.show();
        InfoTable* list = d.houseList();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(columnTexts(list, 0), QStringList({"武田家", "村上家", "今川家"}));
        const int funds = list->columnOf("資金");
        // Ascending by value: 25 < 900 < 10000 (as text 10000 would come first).
        clickHeader(list, funds);
        QCOMPARE(columnTexts(list, funds), QStringList({"25", "900", "10000"}));
        clickHeader(list, funds);
        QCOMPARE(columnTexts(list, funds), QStringList({"10000", "900", "25"}));
        // The names beside the list follow the same order.
        QCOMPARE(d.nameList()->model()->index(0, 0).data().toString(), QString("村上家"));
        const int koku = list->columnOf("石高");
        clickHeader(list, koku);
        QCOMPARE(columnTexts(list, koku), QStringList({"9万0000石", "18万0000石", "19万5000石"}));
        QCOMPARE(list->cell(0, list->columnOf("外交関係")), QString("---"));
        QCOMPARE(list->cell(1, list->columnOf("外交関係")), QString()); // the player's own house

        // Clicking a row opens that house's information.
        QString opened;
        test::whenModal<HouseInfoDialog>([&](HouseInfoDialog* h) {
            opened = h->value("家名");
            h->reject();
        });
        const QRect row = list->visualRect(list->proxy()->index(1, list->columnOf("城数")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_COMPARE(opened, QString("武田家"));
    }

    void generalListVassalSwitchCaptivesAndSorting() {
        WorldState& w = *world;
        // 今川家 submits to 武田家; one of its generals is a guest.
        w.houses[2].vassalState = 2;
        w.houses[2].lord = 0;
        w.generals[4].status = kStatusGuest; // 岡部元信
        w.generals[0].valor = 9;
        w.generals[1].valor = 10;
        w.generals[4].valor = 2;
        w.generals[0].birthYear = 1521;
        w.generals[1].birthYear = 1515;
        w.generals[1].flags |= kFlagBirthUnknown;
        // 村上義清 is a hostage kept by 武田家.
        w.generals[2].status = kStatusHostage;
        w.generals[2].holderHouse = 0;
        w.generals[2].originHouse = 1;
        w.generals[2].birthYear = 1501;
        w.generals[2].flags |= kFlagBirthUnknown;

        GeneralListDialog d(w, 0);
        d.show();
        QCOMPARE(d.heading()->text(), QString("武田家 武将一覧"));
        InfoTable* list = d.generalList();
        QCOMPARE(columnTexts(list, 0), QStringList({"武田信玄", "山県昌景", "岡部元信"}));
        QCOMPARE(list->cell(2, list->columnOf("地位")), QString("武田家 客将"));
        QCOMPARE(list->cell(0, list->columnOf("国")), QString("甲斐"));
        QCOMPARE(list->cell(0, list->columnOf("城")), QString("躑躅ヶ崎館"));
        d.vassalSwitch()->setChecked(true);
        QCOMPARE(columnTexts(list, 0), QStringList({"武田信玄", "山県昌景", "今川義元", "岡部元信"}));
        d.vassalSwitch()->setChecked(false);
        QCOMPARE(list->rowCount(), 3);

        const int valor = list->columnOf("武勇");
        clickHeader(list, valor);
        QCOMPARE(columnTexts(list, valor), QStringList({"2", "9", "10"}));
        const int age = list->columnOf("年齢");
        clickHeader(list, age);
        QCOMPARE(columnTexts(list, age).first(), QString("不詳"));
        // The switch keeps the chosen order for the rows it adds.
        clickHeader(list, valor);
        clickHeader(list, valor);
        d.vassalSwitch()->setChecked(true);
        QCOMPARE(columnTexts(list, 0).first(), QString("山県昌景"));

        InfoTable* captives = d.captiveList();
        QCOMPARE(captives->rowCount(), 1);
        QCOMPARE(captives->cell(0, 0), QString("村上義清"));
        QCOMPARE(captives->cell(0, 1), QString("人質"));
        QCOMPARE(captives->cell(0, 2), QString("村上家"));
        QCOMPARE(captives->cell(0, 3), QString("59(?)"));
    }

    void coalitionsListTheirMembers() {
        world->coalitionCount = 2;
        world->coalitions[0].target = 0;
        world->coalitions[0].memberCount = 2;
        world->coalitions[0].members[0] = 1;
        world->coalitions[0].members[1] = 2;
        world->coalitions[1].target = 1;
        world->coalitions[1].memberCount = 0;
        CoalitionListDialog d(*world);
        QCOMPARE(d.windowTitle(), QString("連合一覧"));
        InfoTable* list = d.list();
        QCOMPARE(list->rowCount(), 2);
        const QString first = QString::fromStdString(houseNameText(*world, 0));
        QCOMPARE(list->cell(0, 0), "反" + first + "連合");
        QCOMPARE(list->cell(0, 1), QString::fromStdString(houseNameText(*world, 1) + ", " + houseNameText(*world, 2)));
        QCOMPARE(list->cell(1, 1), QString());
    }

    void logShowsTheReport() {
        LogDialog d("合戦 清洲城\r\n攻城戦 稲葉山城\r\n");
        QCOMPARE(d.windowTitle(), QString("ログ"));
        QCOMPARE(d.textBox()->toPlainText(), QString("合戦 清洲城\n攻城戦 稲葉山城\n"));
        QVERIFY(d.textBox()->isReadOnly());
    }
};

QTEST_MAIN(InfoDialogsTest)
#include "info_dialogs_test.moc"
