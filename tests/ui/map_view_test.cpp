// The map view in the main window: painting geometry, province clicks, right clicks, drag clamping,
// the magnification switch, the province view and the coordinates label.
#include "ui/castle_info_dialog.h"
#include "ui/main_window.h"
#include "ui/map_painter.h"
#include "ui/province_switch_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;

class MapViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Game> game;
    std::unique_ptr<MainWindow> window;

  private slots:
    void init() {
        armWatchdogOnce();
        game = std::make_unique<Game>();
        test::buildFixtureWorld(game->world);
        game->world.playerHouse = 0;
        window = std::make_unique<MainWindow>(*game);
        window->show();
        window->showPhase(1);
        window->setPlayerTurn(true);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        game.reset();
    }

    void geometryFindsProvincesAndCastles() {
        const WorldState& w = game->world;
        MapViewState s;
        QCOMPARE(provinceAt(w, s, QPointF(150, 100)), 0);
        QCOMPARE(provinceAt(w, s, QPointF(350, 300)), 3);
        QCOMPARE(provinceAt(w, s, QPointF(515, 320)), 3); // the island
        QCOMPARE(provinceAt(w, s, QPointF(20, 20)), -1);  // sea
        QCOMPARE(provinceAt(w, s, QPointF(370, 130)), 1); // the lake belongs to its province
        s.setMagnified(true);
        QCOMPARE(s.nationalOffset, QPoint(280, 220));
        // At scale 2 the view starts at map (140, 110): view (20, 20) is map (150, 120).
        QCOMPARE(toMapCoords(w, s, QPointF(20, 20)), QPointF(150, 120));
        QCOMPARE(provinceAt(w, s, QPointF(20, 20)), 0);
        // Province view of 甲斐: zoom 4 from (100, 60); the castle at (180, 130) sits at view (322, 282).
        s.mode = MapMode::Province;
        s.province = 0;
        QCOMPARE(castleAt(w, s, QPointF(322, 282)), 0);
        QCOMPARE(castleAt(w, s, QPointF(100, 100)), -1);
        QCOMPARE(contentSize(w, s), QSize(724, 644));
        QCOMPARE(clampOffset(QPoint(-5, 900), contentSize(w, s)), QPoint(0, 204));
        QCOMPARE(clampOffset(QPoint(50, 50), QSize(300, 300)), QPoint(0, 0));
    }

    void leftClickOpensTheProvinceView() {
        MapView* map = window->mapView();
        QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(map->state().mode, MapMode::Province);
        QCOMPARE(map->state().selectedProvince, 0);
        QVERIFY(window->backToNationalButton()->isVisible());
        QCOMPARE(window->summaryLabel(0)->text(), QString("国名 : 甲斐"));
        QCOMPARE(window->summaryLabel(1)->text(), QString("石高 : 18万0000石"));
        QCOMPARE(window->summaryLabel(3)->text(), QString("城数 : 2"));
        // A click on a castle box opens that castle's information.
        QString castle;
        test::whenModal<CastleInfoDialog>([&](CastleInfoDialog* d) {
            castle = d->value("城の名前");
            d->reject();
        });
        QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(322, 282));
        QTRY_COMPARE(castle, QString("躑躅ヶ崎館"));
        // Back to the national map: the province stays selected, the coordinates reset.
        QTest::mouseMove(map, QPoint(200, 200));
        QVERIFY(window->coordinatesLabel()->text() != "(  0,  0)");
        QTest::mouseClick(window->backToNationalButton(), Qt::LeftButton);
        QCOMPARE(map->state().mode, MapMode::National);
        QCOMPARE(map->state().selectedProvince, 0);
        QCOMPARE(window->coordinatesLabel()->text(), QString("(  0,  0)"));
    }

    void provinceWithoutCastlesShowsItsMessage() {
        QString text;
        test::answerMessage(&text);
        QTest::mouseClick(window->mapView(), Qt::LeftButton, {}, QPoint(350, 300));
        QTRY_COMPARE(text, QString("このシナリオでは、遠江のデータはありません"));
        QCOMPARE(window->mapView()->state().mode, MapMode::National);
        QCOMPARE(window->mapView()->state().selectedProvince, -1);
    }

    void rightClickSelectsWithoutLeavingTheNationalMap() {
        MapView* map = window->mapView();
        QTest::mouseClick(map, Qt::RightButton, {}, QPoint(200, 300));
        QCOMPARE(map->state().selectedProvince, 2);
        QCOMPARE(map->state().mode, MapMode::National);
        QCOMPARE(window->summaryLabel(6)->text(), QString("港数 : 1"));
        // A province without castles, or the sea, changes nothing.
        QTest::mouseClick(map, Qt::RightButton, {}, QPoint(350, 300));
        QTest::mouseClick(map, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(map->state().selectedProvince, 2);
    }

    void rightDragScrollsAndStopsAtTheEdges() {
        MapView* map = window->mapView();
        // At scale 1 the map fills the view: nothing to scroll.
        test::sendMouse(map, QEvent::MouseButtonPress, QPoint(300, 200), Qt::RightButton, Qt::RightButton);
        test::sendMouse(map, QEvent::MouseMove, QPoint(100, 100), Qt::NoButton, Qt::RightButton);
        test::sendMouse(map, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::RightButton, Qt::NoButton);
        QCOMPARE(map->state().nationalOffset, QPoint(0, 0));

        window->magnifySwitch()->setChecked(true);
        QCOMPARE(map->state().scale, 2);
        QCOMPARE(map->state().nationalOffset, QPoint(280, 220));
        test::sendMouse(map, QEvent::MouseButtonPress, QPoint(300, 200), Qt::RightButton, Qt::RightButton);
        test::sendMouse(map, QEvent::MouseMove, QPoint(250, 190), Qt::NoButton, Qt::RightButton);
        QCOMPARE(map->state().nationalOffset, QPoint(330, 230));
        test::sendMouse(map, QEvent::MouseMove, QPoint(-900, -900), Qt::NoButton, Qt::RightButton);
        QCOMPARE(map->state().nationalOffset, QPoint(560, 440)); // content 1120 x 880 less the view
        test::sendMouse(map, QEvent::MouseMove, QPoint(1500, 1500), Qt::NoButton, Qt::RightButton);
        QCOMPARE(map->state().nationalOffset, QPoint(0, 0));
        test::sendMouse(map, QEvent::MouseButtonRelease, QPoint(1500, 1500), Qt::RightButton, Qt::NoButton);
        // Without the button held the mouse only reports coordinates.
        test::sendMouse(map, QEvent::MouseMove, QPoint(40, 60), Qt::NoButton, Qt::NoButton);
        QCOMPARE(map->state().nationalOffset, QPoint(0, 0));
        QCOMPARE(window->coordinatesLabel()->text(), QString("( 20, 30)"));

        window->magnifySwitch()->setChecked(false);
        QCOMPARE(map->state().scale, 1);
        QCOMPARE(map->state().nationalOffset, QPoint(0, 0));
    }

    void rankingListsHousesByYieldWithVassals() {
        QTreeWidget* list = window->rankingList();
        window->refresh();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(0), QString("今川家"));
        QCOMPARE(list->topLevelItem(0)->text(1), QString("19万5000石"));
        QCOMPARE(list->topLevelItem(1)->text(0), QString("武田家"));
        test::WorldBuilder(game->world).vassal(1, 2, 2); // 村上家 submits to 今川家
        window->refresh();
        QCOMPARE(list->topLevelItem(0)->text(0), QString("今川家"));
        QCOMPARE(list->topLevelItem(0)->text(1), QString("28万5000石"));
        QCOMPARE(list->topLevelItem(2)->text(0), QString("村上家"));
    }

    void paintsWithoutTouchingTheGame() {
        const uint32_t before = game->rng.state();
        QImage img(mapViewSize(), QImage::Format_ARGB32_Premultiplied);
        MapViewState s;
        s.selectedProvince = 1;
        for (int scale : {1, 2}) {
            s.setMagnified(scale == 2);
            QPainter p(&img);
            paintMap(p, game->world, s);
        }
        s.mode = MapMode::Province;
        s.province = 1;
        s.houseNames = true;
        {
            QPainter p(&img);
            paintMap(p, game->world, s);
        }
        QCOMPARE(game->rng.state(), before);
        // The pulsing own castle: its dot changes shade with the pulse.
        MapViewState n;
        QImage a(mapViewSize(), QImage::Format_RGB32), b(mapViewSize(), QImage::Format_RGB32);
        {
            QPainter p(&a);
            paintMap(p, game->world, n);
        }
        n.pulse = 3;
        {
            QPainter p(&b);
            paintMap(p, game->world, n);
        }
        QVERIFY(a.pixel(180, 130) != b.pixel(180, 130));
        QCOMPARE(QColor(b.pixel(180, 130)), QColor(255, 255, 255));
    }

    void mainMapKakudaiShowsOnlyItsRectangle() {
        WorldState& w = game->world;
        // Only the upper left quarter of map space (x 100..279, y 60..219), stretched to the view.
        w.settings.mainMapKakudai = MainMapZoom{1, 100, 60, 280, 220};
        MapViewState s;
        QCOMPARE(toMapCoords(w, s, QPointF(0, 0)), QPointF(100, 60));
        QCOMPARE(toMapCoords(w, s, QPointF(560, 440)), QPointF(280, 220));
        QImage img(mapViewSize(), QImage::Format_RGB32);
        {
            QPainter p(&img);
            paintMap(p, w, s);
        }
        // 躑躅ヶ崎館 (180, 130) is inside: its dot moves with the stretch, in the player's colour.
        const QPoint at = mapTransform(w, s).map(QPointF(180.5, 130.5)).toPoint();
        QCOMPARE(at, QPoint(250, 194));
        QCOMPARE(QColor(img.pixel(at)), QColor(50, 50, 255));
        w.settings.mainMapKakudai = MainMapZoom{};
    }

    void diplomacyLogIsAppendedToTheLogBox() {
        game->diplomacyLog = "武田家と今川家が不戦同盟を締結\r\n";
        window->refresh();
        QVERIFY(window->logBox()->toPlainText().endsWith("武田家と今川家が不戦同盟を締結\n"));
        game->diplomacyLog += "村上家が武田家に従属\r\n";
        window->refresh();
        window->refresh();
        QCOMPARE(window->logBox()->toPlainText().count("不戦同盟"), 1);
        QCOMPARE(window->logBox()->toPlainText().count("従属"), 1);
    }

    void provinceSwitchDialogTakesOnlyProvincesWithCastles() {
        MapViewState start = window->mapView()->state();
        start.setMagnified(true);
        ProvinceSwitchDialog d(game->world, start, window.get());
        QCOMPARE(d.windowTitle(), QString("国表示切替"));
        QCOMPARE(d.mapView()->state().scale, 2); // starts at the main window's magnification
        bool stayedOpen = false;
        QTimer::singleShot(0, &d, [&] {
            d.mapView()->setMagnified(false);
            QTest::mouseClick(d.mapView(), Qt::LeftButton, {}, QPoint(350, 300)); // 遠江: no castle
            QTest::mouseClick(d.mapView(), Qt::LeftButton, {}, QPoint(10, 10));   // the sea
            stayedOpen = d.isVisible();
            QTest::mouseClick(d.mapView(), Qt::LeftButton, {}, QPoint(200, 300)); // 駿河
        });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QVERIFY(stayedOpen);
        QCOMPARE(d.chosenProvince(), 2);
        QCOMPARE(window->mapView()->state().scale, 1); // the dialog's switch is its own
    }

  private:
    static void armWatchdogOnce() {
        static bool armed = false;
        if (!armed) test::armWatchdog(60000);
        armed = true;
    }
};

QTEST_MAIN(MapViewTest)
#include "map_view_test.moc"
