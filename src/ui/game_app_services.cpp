// The game application's services beside the game: preferences, music and help wired to the
// window, automatic progress, and the start menu's utility with the benchmark.
#include "game/auto_progress.h"
#include "game/new_game.h"
#include "ui/auto_progress_dialog.h"
#include "ui/game_app.h"
#include "ui/ui_text.h"
#include "ui/utility_dialog.h"

#include <QApplication>
#include <QFileInfo>

namespace vh::ui {

namespace {

// The player's seat during a benchmark: messages still reach the player, but the window is not
// redrawn at every phase (that would measure the painting, not the rules), and the phantom
// house's requests get the rules' own answers.
class BenchmarkFrontend : public Frontend {
  public:
    explicit BenchmarkFrontend(QWidget* window) : window_(window) {}
    void showMessage(const std::string& text) override { ui::showMessage(window_, utf8(text)); }
    bool askOkCancel(const std::string& text) override { return ui::askOkCancel(window_, utf8(text)); }
    bool askYesNo(const std::string& text) override { return ui::askYesNo(window_, utf8(text)); }
    bool askWatchOn(const std::string&) override { return true; }
    void showEnding(const std::string&) override {}

  private:
    QWidget* window_;
};

} // namespace

void GameApp::attachServices() {
    services_ = std::make_unique<AppServices>(options_.programDir);
    saveDir_ = services_->saveDir();
    frontend_.ordinaryMusic = [this] { services_->music().playOrdinary(); };
    frontend_.battleMusic = [this] { services_->music().play(kBattleMusic); };
    MainWindow* w = window_.get();
    connect(w, &MainWindow::autoProgressRequested, this, &GameApp::runAutoProgress);
    connect(w, &MainWindow::musicSettingsRequested, this,
            [this] { services_->showMusicDialog(window_.get()); });
    connect(w, &MainWindow::helpRequested, this, [this] { services_->showHelp(window_.get()); });
    // Runs after the quit command itself: once the game was left, its music stops.
    connect(w, &MainWindow::quitRequested, this, [this] {
        if (game_->world.playerHouse < 0) services_->music().stop();
    });
    // Every folder chosen for saving or loading is remembered in the preferences file.
    chooseSaveFile = [this, choose = chooseSaveFile](bool forSaving) {
        const QString path = choose ? choose(forSaving) : QString();
        if (!path.isEmpty()) services_->rememberSaveDir(QFileInfo(path).absolutePath());
        return path;
    };
    services_->music().openMusic();
}

void GameApp::runAutoProgress() {
    if (ended_ || game_->gameOver || !game_->world.spectator) return;
    AutoProgressDialog d(
        *game_, [this] { window_->refresh(); }, window_.get());
    d.exec();
    window_->refresh();
    if (game_->gameOver || d.lastTick() == AutoTick::PlayerEnded) endProgram();
}

bool GameApp::runUtility() {
    // Opened over the start menu, so it must belong to it to take input.
    QWidget* parent = QApplication::activeModalWidget();
    UtilityDialog d(parent ? parent : window_.get());
    d.exec();
    if (!d.benchmarkChosen()) return false;
    const QString path = chooseScenarioFile ? chooseScenarioFile() : QString();
    return !path.isEmpty() && readScenarioFile(path, false);
}

bool GameApp::runBenchmarkGame() {
    prepareBenchmark(*game_);
    window_->resetView();
    BenchmarkYearsDialog ask(window_.get());
    if (ask.exec() != QDialog::Accepted) return false;
    BenchmarkFrontend quiet(window_.get());
    game_->frontend = &quiet;
    const BenchmarkResult r = runBenchmark(*game_, ask.years());
    game_->frontend = &frontend_;
    if (r.code != kChooseOk) return false; // the refusal was shown; back to the menu
    endProgram();
    return true;
}

} // namespace vh::ui
