// The personnel and corps dialogs on the fixture world: each confirmed through its buttons and
// each left without a choice, which must leave the world byte for byte as it was.
#include "game/save_game.h"
#include "personnel/corps.h"
#include "personnel/guests.h"
#include "personnel/hostages.h"
#include "personnel/prisoners.h"
#include "ui/corps_map_dialogs.h"
#include "ui/corps_organise_dialog.h"
#include "ui/diplomacy_choice_dialogs.h"
#include "ui/hostage_dialogs.h"
#include "ui/main_window.h"
#include "ui/personnel_commands.h"
#include "ui/prisoner_dialogs.h"
#include "ui/qt_frontend.h"
#include "ui/ronin_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

using namespace vh;
using namespace vh::ui;

namespace {

void selectRows(PersonList* list, std::initializer_list<int> rows) {
    list->clearSelection();
    if (rows.size() > 0)
        list->setCurrentItem(list->topLevelItem(*rows.begin()), 0, QItemSelectionModel::NoUpdate);
    for (int r : rows)
        list->topLevelItem(r)->setSelected(true);
}

} // namespace

class PersonnelDialogsTest : public QObject, test::WindowGame {
    Q_OBJECT

    std::vector<uint8_t> image() { return saveImage(world()); }
    void press(int phase, const char* caption) {
        window->showPhase(phase);
        WindowGame::press(caption);
    }
    // 村上家 (1) submits to the player's 武田家 (0).
    void makeVassal() { test::WorldBuilder(world()).vassal(1, 0); }

  private slots:
    void initTestCase() { test::armWatchdog(90000); }

    void init() {
        newFixtureGame();
        openWindow();
        window->setPlayerTurn(true);
    }
    void cleanup() { closeWindow(); }

    // 降伏武将の処遇: no closing while anyone is left; 切腹 and 捕虜 deal with them, then OK.
    void surrenderedGeneralsMustAllBeDealtWith() {
        takePrisoner(*game, 0, 3); // 今川義元, who heads his house
        takePrisoner(*game, 0, 4);
        bool escapeKept = false, okAtStart = true, okAtEnd = false;
        QString rank;
        test::whenModal<PrisonerDialog>([&](PrisonerDialog* d) {
            QCOMPARE(d->windowTitle(), QString("降伏武将の処遇"));
            rank = d->list()->topLevelItem(0)->text(2);
            okAtStart = d->okButton()->isEnabled();
            QTest::keyClick(d, Qt::Key_Escape);
            escapeKept = d->isVisible();
            selectRows(d->list(), {1});
            d->button("切腹")->click();
            selectRows(d->list(), {0});
            d->button("捕虜")->click();
            okAtEnd = d->okButton()->isEnabled();
            d->okButton()->click();
        });
        treatSurrenderedGenerals(*game, 0, {3, 4});
        QVERIFY(escapeKept);
        QVERIFY(!okAtStart);
        QVERIFY(okAtEnd);
        QCOMPARE(rank, QString("当主"));
        QCOMPARE(int(world().generals[4].house), int(kHouseLost));
        QCOMPARE(int(world().generals[3].status), int(kStatusPrisoner));
    }

    // 捕虜処遇: closing at once changes nothing; 登用 of an unwilling one is refused, 解放 sends
    // him home.
    void prisonerTreatment() {
        press(1, "捕虜処遇");
        QTRY_COMPARE(messages, QStringList{"現在、当家には捕虜がいません"});
        takePrisoner(*game, 0, 3);
        const auto before = image();
        test::whenModal<PrisonerDialog>([](PrisonerDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        press(1, "捕虜処遇");
        QVERIFY(image() == before);

        QString willing;
        test::whenModal<PrisonerDialog>([&](PrisonerDialog* d) {
            willing = d->list()->topLevelItem(0)->text(7);
            selectRows(d->list(), {0});
            d->button("登用")->click();
            QCOMPARE(d->list()->topLevelItemCount(), 1);
            selectRows(d->list(), {0});
            d->button("解放")->click();
            QCOMPARE(d->list()->topLevelItemCount(), 0);
            QTest::keyClick(d, Qt::Key_Return);
        });
        messages.clear();
        press(1, "捕虜処遇");
        QCOMPARE(willing, QString("登用拒否"));
        QCOMPARE(messages, QStringList{"今川義元 は登用を拒否しました"});
        QCOMPARE(int(world().generals[3].house), 2);
        QCOMPARE(int(world().generals[3].status), int(kStatusOrdinary));
    }

    // 捕虜交換: the partner from the house choice; cancel changes nothing, a better offer is taken.
    void prisonerExchange() {
        takePrisoner(*game, 0, 3);
        takePrisoner(*game, 2, 1); // 山県昌景, ours
        QTRY_COMPARE(messages, QStringList{"山県昌景 が 今川家 の捕虜になりました"});
        messages.clear();
        world().generals[3].valor = 9;
        const auto before = image();
        auto choosePartner = [&] {
            test::whenModal<HouseChoiceDialog>([](HouseChoiceDialog* h) {
                QCOMPARE(h->windowTitle(), QString("捕虜交換大名家選択"));
                h->pickProvince(2);
                h->pickHouse(2);
            });
        };
        choosePartner();
        QStringList captions;
        test::whenModal<PrisonerExchangeDialog>([&](PrisonerExchangeDialog* d) {
            for (QLabel* l : d->findChildren<QLabel*>())
                captions << l->text();
            QVERIFY(!d->negotiateButton()->isEnabled());
            QTest::keyClick(d, Qt::Key_Escape);
        });
        press(1, "捕虜交換");
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(image() == before);
        QCOMPARE(captions, (QStringList{"今川家 が拘束中の 武田家 武将", "武田家 が拘束中の 今川家 武将"}));

        choosePartner();
        test::whenModal<PrisonerExchangeDialog>([&](PrisonerExchangeDialog* d) {
            selectRows(d->oursList(), {0});
            selectRows(d->theirsList(), {0});
            QVERIFY(d->negotiateButton()->isEnabled());
            d->negotiateButton()->click();
        });
        press(1, "捕虜交換");
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(messages, (QStringList{"今川家 は捕虜交換を承諾しました",
                                        "山県昌景 が 今川家 の捕虜から解放され、躑躅ヶ崎館 に帰還しました"}));
        QCOMPARE(int(world().generals[1].house), 0);
        QCOMPARE(int(world().generals[3].house), 2);
    }

    // 人質差し出し: the refusal leaves the world alone; a click and OK gives the heir.
    void hostageOffer() {
        const auto before = image();
        QString header;
        test::whenModal<HostageOfferDialog>([&](HostageOfferDialog* d) {
            header = d->findChild<QLabel*>("header")->text();
            d->refuseButton()->click();
        });
        QCOMPARE(takeHostage(*game, 2, 0), -1);
        QVERIFY(image() == before);
        QCOMPARE(header, QString("今川家 は人質の差し出しを要求してきました"));
        test::whenModal<HostageOfferDialog>([](HostageOfferDialog* d) { d->pickRow(0); });
        const int h = takeHostage(*game, 2, 0);
        QVERIFY(h >= 0);
        QCOMPARE(messages, QStringList{"武田家 世嗣 を人質として差し出します。よろしいですか？"});
        QCOMPARE(int(world().generals[h].holderHouse), 2);
    }

    // 人質処遇: OK alone changes nothing; 元服 makes the vassal's heir its guest.
    void hostageTreatment() {
        makeVassal();
        game->frontend = nullptr;
        const int h = takeHostage(*game, 0, 1);
        game->frontend = &frontend;
        world().generals[h].birthYear = 1540;
        world().generals[h].flags &= ~kFlagBirthUnknown;
        const auto before = image();
        test::whenModal<HostageTreatmentDialog>(
            [](HostageTreatmentDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        press(1, "人質処遇");
        QVERIFY(image() == before);
        test::whenModal<HostageTreatmentDialog>([](HostageTreatmentDialog* d) {
            selectRows(d->list(), {0});
            d->comeOfAgeButton()->click();
            QCOMPARE(d->list()->topLevelItemCount(), 0);
            QTest::keyClick(d, Qt::Key_Return);
        });
        press(1, "人質処遇");
        QCOMPARE(messages, QStringList{"村上家 の 村上家 世嗣 を元服させて客将に取立てます"});
        QCOMPARE(int(world().generals[h].status), int(kStatusGuest));
        QCOMPARE(int(world().generals[h].house), 1);
    }

    // 客将招請: closing changes nothing; a click and OK makes the guest.
    void guestInvitation() {
        makeVassal();
        test::WorldBuilder(world()).general("楽岩寺光氏", 1, 2);
        const int man = world().generalCount - 1;
        const auto before = image();
        test::whenModal<GuestInvitationDialog>(
            [](GuestInvitationDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        press(1, "客将招請");
        QVERIFY(image() == before);
        int listed = -1;
        test::whenModal<GuestInvitationDialog>([&](GuestInvitationDialog* d) {
            listed = d->list()->topLevelItemCount(); // the vassal's head is not offered
            d->pickGeneral(man);
            d->accept();
        });
        press(1, "客将招請");
        QCOMPARE(listed, 1);
        QCOMPARE(int(world().generals[man].status), int(kStatusGuest));
    }

    // The corps dialogs: each closed untouched leaves the world as it was; then a corps is formed,
    // given a province, a fief castle and money.
    void corpsDialogs() {
        const auto before = image();
        test::whenModal<CorpsOrganiseDialog>(
            [](CorpsOrganiseDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        press(2, "軍団編成");
        test::whenModal<CorpsAssetsDialog>([](CorpsAssetsDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        press(2, "軍団資産");
        QVERIFY(image() == before);

        test::whenModal<CorpsOrganiseDialog>([&](CorpsOrganiseDialog* d) {
            QVERIFY(!d->appointButton()->isEnabled());
            selectRows(d->directList(), {1}); // 山県昌景
            d->appointButton()->click();
            QCOMPARE(d->corpsList()->topLevelItemCount(), 1);
            QCOMPARE(d->corpsList()->topLevelItem(0)->text(0), QString("山県昌景 軍団"));
            selectRows(d->directList(), {0}); // the head
            d->appointButton()->click();
            d->accept();
        });
        press(2, "軍団編成");
        QCOMPARE(messages, QStringList{"当主は軍団長には任命できません"});
        QCOMPARE(world().corps[0].leader, 1);

        test::whenModal<CorpsOrdersDialog>([&](CorpsOrdersDialog* d) {
            QVERIFY(!d->hint()->isVisible());
            d->corpsList()->setCurrentItem(d->corpsList()->topLevelItem(0));
            QVERIFY(d->hint()->isVisible());
            d->actionButton(kCorpsInvadeDomestic)->click();
            d->fiefSwitch()->setChecked(true);
            d->clickProvince(1);
            QCOMPARE(d->decor().filledProvinces, std::vector<int>{1});
            QCOMPARE(d->corpsList()->topLevelItem(0)->text(5), QString("侵攻・内政"));
            d->accept();
        });
        press(2, "軍団指示");
        QCOMPARE(int(world().corps[0].orders), kCorpsInvadeDomestic | kCorpsFiefOnConquest);
        QCOMPARE(int(world().corps[0].provinces[0]), 1);

        test::whenModal<CorpsFiefDialog>([&](CorpsFiefDialog* d) {
            d->clickProvince(0);
            QTRY_COMPARE(messages.last(), QString("先に軍団を選択してください"));
            d->corpsList()->setCurrentItem(d->corpsList()->topLevelItem(0));
            test::whenModal<CorpsProvinceFiefDialog>([](CorpsProvinceFiefDialog* p) {
                QCOMPARE(p->provinceLabel()->text(), QString("甲斐"));
                p->click(0, 1); // 新府城
                p->accept();
            });
            d->clickProvince(0);
            QCOMPARE(d->corpsList()->topLevelItem(0)->text(3), QString("1"));
            d->accept();
        });
        press(2, "軍団所領");
        QCOMPARE(int(world().castles[1].corps), 0);
        QCOMPARE(int(world().castles[1].lord), 1);

        test::whenModal<CorpsAssetsDialog>([&](CorpsAssetsDialog* d) {
            d->corpsList()->setCurrentItem(d->corpsList()->topLevelItem(0));
            d->giveFunds()->setValue(5000);
            d->button(0)->click();
            d->giveGuns()->setValue(25);
            d->button(2)->click();
            d->accept();
        });
        press(2, "軍団資産");
        QCOMPARE(world().corps[0].funds, 3000);
        QCOMPARE(world().houses[0].funds, 0);
        QCOMPARE(messages.last(), QString("大名の未配備鉄砲がありません"));
    }

    // 登用選択 with this game's buttons.
    void roninChoiceButtons() {
        RoninDialog d(RoninRequest{"真田幸隆", 47, false, 7, 6, 9}, window.get());
        QCOMPARE(d.yesButton()->text(), QString("家臣に登用する"));
        QCOMPARE(d.noButton()->text(), QString("登用しない"));
    }
};

QTEST_MAIN(PersonnelDialogsTest)
#include "personnel_dialogs_test.moc"
