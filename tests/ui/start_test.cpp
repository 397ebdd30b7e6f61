// Start-up and the start menu: the default map's failure messages, and the road from the start
// menu through the scenario file, its opening text and the house selection to the first phase.
#include "ui/game_app.h"
#include "ui/game_dialogs.h"
#include "ui/house_select_dialog.h"
#include "ui/ui_text.h"
#include "ui_test_support.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QTreeWidget>

using namespace vh;
using namespace vh::ui;

class StartTest : public QObject {
    Q_OBJECT

    static QString startWithMap(const std::function<void(const QString&)>& makeMap) {
        QTemporaryDir dir;
        makeMap(QDir(dir.path()).absoluteFilePath("default.map"));
        GameApp app(AppOptions{dir.path(), {}, -2, {}});
        QString text;
        QTimer* waiting = test::answerMessage(&text);
        const bool started = app.start();
        delete waiting;
        return started ? QString("started") : text;
    }

  private slots:
    void initTestCase() { test::armWatchdog(60000); }

    void qtsOwnDialogsSpeakJapanese() {
        QVERIFY(installQtJapanese(*QCoreApplication::instance()));
        QFileDialog d(nullptr, "データロード");
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(QFileDialog::AcceptOpen);
        QStringList texts;
        for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) texts << b->text();
        for (QLabel* l : d.findChildren<QLabel*>()) texts << l->text();
        const QString all = texts.join('|');
        QVERIFY2(all.contains("開く"), qPrintable(all));
        QVERIFY2(all.contains("キャンセル"), qPrintable(all));
        QVERIFY2(all.contains("ファイル名"), qPrintable(all));
    }

    void defaultMapFailuresEndTheProgram() {
        QCOMPARE(startWithMap([](const QString&) {}),
                 QString("デフォルトマップファイル(default.map)が開けません"));
        QCOMPARE(startWithMap([](const QString& path) {
                     QFile f(path);
                     QVERIFY(f.open(QIODevice::WriteOnly));
                     f.write(QByteArray("VARDENHOLM MAQ 2.00").leftJustified(200, '\0'));
                 }),
                 QString("デフォルトマップファイル(default.map)が異常です"));
        QCOMPARE(startWithMap([](const QString& path) {
                     MapData map;
                     test::buildFixtureMap(map);
                     map.provinces.resize(500);
                     QVERIFY(writeMapFile(path.toStdString(), map));
                 }),
                 QString("デフォルトマップファイル(default.map)の国数が多すぎます"));
        QCOMPARE(startWithMap([](const QString& path) {
                     MapData map;
                     test::buildFixtureMap(map);
                     QVERIFY(writeMapFile(path.toStdString(), map));
                 }),
                 QString("started"));
    }

    void startMenuToTheFirstPhase() {
        test::ProgramDir pd;
        GameApp app(AppOptions{pd.dir.path(), {}, -2, {}});
        int scenarioChooserCalls = 0;
        app.chooseScenarioFile = [&] {
            // The first attempt is cancelled: the menu stays.
            return scenarioChooserCalls++ == 0 ? QString() : pd.scenario();
        };
        QString opening;
        QStringList houses;
        QString province;
        QString question;
        std::unique_ptr<QTimer> monthMessages;
        test::whenModal<StartMenuDialog>([](StartMenuDialog* menu) {
            QCOMPARE(menu->windowTitle(), QString("VARDENHOLM スタートメニュー"));
            menu->button("新規スタート")->click();
            QVERIFY(menu->isVisible());
            menu->button("新規スタート")->click();
        });
        test::whenModal<OpeningDialog>([&](OpeningDialog* d) {
            opening = d->windowTitle();
            d->accept();
        });
        test::whenModal<HouseSelectDialog>([&](HouseSelectDialog* d) {
            QCOMPARE(d->windowTitle(), QString("大名家選択"));
            d->pickProvince(2); // 駿河
            province = d->provinceLabel()->text();
            for (int i = 0; i < d->houseList()->topLevelItemCount(); ++i)
                houses << d->houseList()->topLevelItem(i)->text(0) + "/" +
                              d->houseList()->topLevelItem(i)->text(1) + "/" +
                              d->houseList()->topLevelItem(i)->text(2);
            test::whenModal<QMessageBox>([&](QMessageBox* box) {
                question = box->text();
                // The first month's own messages (deaths, weather) are answered from here on.
                monthMessages.reset(test::autoAnswer(nullptr));
                box->button(QMessageBox::Ok)->click();
            });
            d->pickHouse(2);
        });
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(
            app.game().world.playerHouse >= 0 && app.window()->endTurnButton()->isEnabled(), 15000);
        QCOMPARE(scenarioChooserCalls, 2);
        QCOMPARE(opening, QString("試験用シナリオ"));
        QCOMPARE(province, QString("駿河"));
        QCOMPARE(houses, QStringList{"今川家/2/19万5000石"});
        QCOMPARE(question, QString("今川家で始めます"));
        const WorldState& w = app.game().world;
        QCOMPARE(w.playerHouse, 2);
        QCOMPARE(w.phase, 1);
        QCOMPARE(w.date.year, 1560);
        QCOMPARE(w.date.month, 5);
        QVERIFY(!w.spectator);
        QCOMPARE(app.window()->phaseLabel()->text(), QString("人事フェイズ"));
        QVERIFY(app.window()->commandButton(1)->isVisible());
        QCOMPARE(app.window()->commandButton(1)->text(), QString("捕虜処遇"));
        QVERIFY(app.window()->isVisible());
    }

    void watchModeAndQuitting() {
        test::ProgramDir pd;
        GameApp app(AppOptions{pd.dir.path(), {}, -2, {}});
        app.chooseScenarioFile = [&] { return pd.scenario(); };
        test::whenModal<StartMenuDialog>(
            [](StartMenuDialog* menu) { menu->button("新規スタート")->click(); });
        test::whenModal<OpeningDialog>([](OpeningDialog* d) { d->accept(); });
        std::unique_ptr<QTimer> monthMessages;
        test::whenModal<HouseSelectDialog>([&](HouseSelectDialog* d) {
            monthMessages.reset(test::autoAnswer(nullptr));
            d->watchButton()->click();
        });
        QVERIFY(app.start());
        QTRY_VERIFY_WITH_TIMEOUT(
            app.game().world.playerHouse >= 0 && app.window()->endTurnButton()->isEnabled(), 15000);
        monthMessages.reset();
        QVERIFY(app.game().world.spectator);
        QCOMPARE(app.game().world.playerHouse, 3); // the phantom house after the three real ones

        // 終了 asks, then the start menu comes back; its 終了 ends the program.
        QString question;
        test::whenModal<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            test::whenModal<StartMenuDialog>([](StartMenuDialog* menu) { menu->button("終了")->click(); });
            box->button(QMessageBox::Ok)->click();
        });
        app.window()->quitAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(app.ended(), 15000);
        QCOMPARE(question, QString("ゲームを終了します"));
        QCOMPARE(app.game().world.playerHouse, -1);
        QVERIFY(!app.window()->isVisible());
    }
};

QTEST_MAIN(StartTest)
#include "start_test.moc"
