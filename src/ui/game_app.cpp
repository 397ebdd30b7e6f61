// Start-up, the start menu loop and the game commands of the menus.
#include "ui/game_app.h"

#include "game/auto_progress.h"
#include "game/new_game.h"
#include "game/save_game.h"
#include "scenario/scenario_reader.h"
#include "ui/dialog_screenshots.h"
#include "ui/game_dialogs.h"
#include "ui/house_select_dialog.h"
#include "ui/ui_text.h"
#include "world/map_file.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QTimer>

namespace vh::ui {

QString defaultProgramDir(const QString& applicationDir, const QString& sourceDataDir) {
    const QDir dir(applicationDir);
    if (dir.exists("default.map")) return dir.absolutePath();
    if (dir.exists("data/default.map")) return dir.absoluteFilePath("data");
    if (!sourceDataDir.isEmpty()) return sourceDataDir;
    return dir.absolutePath();
}

GameApp::GameApp(AppOptions options) : options_(std::move(options)), game_(std::make_unique<Game>()) {
    game_->frontend = &frontend_;
    const QString dir = QDir(options_.programDir).absolutePath();
    options_.programDir = dir;
    saveDir_ = dir;
    chooseScenarioFile = [this] {
        const QString start = QDir(options_.programDir).exists("scenarios")
                                  ? QDir(options_.programDir).absoluteFilePath("scenarios")
                                  : options_.programDir;
        return QFileDialog::getOpenFileName(window_.get(), "シナリオデータを選択してください", start,
                                            "Scenario Files (*.snr)");
    };
    chooseSaveFile = [this](bool forSaving) {
        const QString filter = "Save Files (*.sav);;All Files (*)";
        QString path = forSaving
                           ? QFileDialog::getSaveFileName(window_.get(), "データセーブ", saveDir_, filter)
                           : QFileDialog::getOpenFileName(window_.get(), "データロード", saveDir_, filter);
        if (forSaving && !path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".sav";
        return path;
    };
}

GameApp::~GameApp() {
    if (window_) window_->closeGuard = nullptr;
    game_->frontend = nullptr;
}

bool GameApp::start() {
    const std::string mapPath = QDir(options_.programDir).absoluteFilePath("default.map").toStdString();
    const int code = loadMap(mapPath, game_->world.map);
    if (code != kMapOk) {
        showMessage(nullptr, utf8(defaultMapMessage(code)));
        ended_ = true;
        return false;
    }
    window_ = std::make_unique<MainWindow>(*game_);
    frontend_.attach(window_.get());
    window_->closeGuard = [this] {
        if (ended_) return true;
        if (!askOkCancel(window_.get(), "ゲームを終了します")) return false;
        ended_ = true;
        return true;
    };
    connect(window_.get(), &MainWindow::endTurnRequested, this, &GameApp::endTurn);
    connect(window_.get(), &MainWindow::saveRequested, this, &GameApp::saveCurrentGame);
    connect(window_.get(), &MainWindow::loadRequested, this, [this] { loadSavedGame(); });
    connect(window_.get(), &MainWindow::quitRequested, this, &GameApp::quitToStartMenu);
    connect(window_.get(), &MainWindow::scenarioInfoRequested, this, &GameApp::showScenarioInfo);

    attachServices(); // the preferences file, the music and the help
    const QTime now = QTime::currentTime();
    game_->rng.seed(options_.scenario.isEmpty()
                        ? static_cast<uint32_t>(now.hour() * 3600 + now.minute() * 60 + now.second())
                        : options_.seed);
    game_->world.playerHouse = -1;
    game_->world.phase = kPhaseEvent;
    window_->show();
    if (!options_.screenshotDir.isEmpty()) {
        // Unattended: whatever message the first month brings is answered with its default button.
        auto* dismiss = new QTimer(this);
        connect(dismiss, &QTimer::timeout, this, [this] {
            if (dismissRoutineDialog(QApplication::activeModalWidget(), options_.screenshotDir)) return;
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (QPushButton* b = box->defaultButton())
                b->click();
            else
                box->accept();
        });
        dismiss->start(50);
    }
    if (!options_.scenario.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            if (!readScenarioFile(options_.scenario, false) ||
                !beginNewGame(options_.house == -2 ? kFirstHouse : options_.house)) {
                endProgram();
                return;
            }
            if (!options_.screenshotDir.isEmpty()) takeScreenshots();
        });
    } else {
        QTimer::singleShot(0, this, &GameApp::runStartMenu);
    }
    return true;
}

void GameApp::runStartMenu() {
    while (!ended_) {
        StartMenuDialog menu([this] { return openScenario(); }, window_.get());
        menu.utility = [this] { return runUtility(); };
        menu.help = [this, &menu] { services_->showHelp(&menu); };
        menu.exec();
        switch (menu.choice()) {
        case StartMenuDialog::NewGame:
            if (beginNewGame()) return;
            break;
        case StartMenuDialog::LoadGame:
            if (loadSavedGame()) return;
            break;
        case StartMenuDialog::Benchmark:
            if (runBenchmarkGame()) return;
            break;
        case StartMenuDialog::Quit:
            endProgram();
            return;
        }
    }
}

bool GameApp::openScenario() {
    const QString path = chooseScenarioFile ? chooseScenarioFile() : QString();
    if (path.isEmpty()) return false;
    return readScenarioFile(path, true);
}

bool GameApp::readScenarioFile(const QString& path, bool showOpening) {
    const ScenarioReadResult r =
        readScenario(path.toStdString(), options_.programDir.toStdString(), game_->world);
    if (showOpening)
        for (const std::string& notice : r.notices)
            showMessage(window_.get(), utf8(notice));
    if (r.code != 0) {
        showMessage(window_.get(), utf8(r.message));
        return false;
    }
    applyApplicationFont(game_->world.settings.language);
    if (showOpening && !game_->world.settings.openingText.empty()) {
        OpeningDialog d(fieldQText(game_->world, game_->world.settings.title),
                        fieldQText(game_->world, game_->world.settings.openingText), window_.get());
        d.exec();
    }
    window_->resetView();
    return true;
}

bool GameApp::beginNewGame(int house) {
    setUpNewGame(*game_);
    window_->resetView();
    if (house == kFirstHouse) house = firstHouseWithCastle();
    if (house == kAskHouse) {
        HouseSelectDialog d(*game_, window_->mapView()->state(), window_.get());
        if (d.exec() != QDialog::Accepted) return false;
        house = d.chosenHouse();
    }
    if (chooseHouse(*game_, house) != kChooseOk) return false;
    window_->resetView();
    window_->startPulse();
    handle(startMonth(*game_));
    return !ended_;
}

bool GameApp::loadSavedGame() {
    const QString path = chooseSaveFile ? chooseSaveFile(false) : QString();
    if (path.isEmpty()) return false;
    saveDir_ = QFileInfo(path).absolutePath();
    if (vh::loadGame(*game_, path.toStdString()) != kSaveOk) return false;
    window_->startPulse();
    return true;
}

void GameApp::saveCurrentGame() {
    if (game_->world.playerHouse < 0) return;
    const QString path = chooseSaveFile ? chooseSaveFile(true) : QString();
    if (path.isEmpty()) return;
    saveDir_ = QFileInfo(path).absolutePath();
    vh::saveGame(*game_, path.toStdString());
}

void GameApp::endTurn() {
    if (game_->world.playerHouse < 0 || game_->gameOver) return;
    window_->setPlayerTurn(false);
    window_->stopPulse();
    // A watcher has nothing to do in the phases: one press plays the rest of the month.
    if (game_->world.spectator) handle(runUntil(*game_, nextMonth(game_->world.date)));
    else handle(endTurnPressed(*game_));
}

void GameApp::quitToStartMenu() {
    if (!quitGame(*game_)) return;
    window_->stopPulse();
    window_->showPhase(kPhaseEvent);
    window_->setPlayerTurn(false);
    window_->resetView();
    QTimer::singleShot(0, this, &GameApp::runStartMenu);
}

void GameApp::showScenarioInfo() {
    ScenarioInfoDialog d(scenarioInfo(game_->world), window_.get());
    d.exec();
}

void GameApp::handle(FlowStatus status) {
    window_->refresh();
    if (status != FlowStatus::PlayerTurn) endProgram();
}

void GameApp::endProgram() {
    ended_ = true;
    if (window_) {
        window_->stopPulse();
        window_->close();
    }
}

int GameApp::firstHouseWithCastle() const {
    const WorldState& w = game_->world;
    for (int h = 0; h < w.houseCount; ++h)
        for (int c = 0; c < w.castleCount; ++c)
            if (w.castles[c].owner == h) return h;
    return -1;
}

} // namespace vh::ui
