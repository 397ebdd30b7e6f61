// The desktop game's life cycle: start-up with the default map, the start menu loop, beginning,
// saving, loading and quitting a game, and the turn driver behind "コマンド終了".
#pragma once

#include "context/game.h"
#include "game/turn_driver.h"
#include "ui/app_services.h"
#include "ui/main_window.h"
#include "ui/qt_frontend.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace vh::ui {

struct AppOptions {
    QString programDir; // where default.map lives; scenarios are looked for in its scenarios/
    // Test and screenshot runs: start this scenario directly, without the file chooser, the opening
    // text and the house dialog. house -2 takes the first house holding a castle, -1 watches.
    QString scenario;
    int house = -2;
    QString screenshotDir; // write the screenshots there and end
    // The generator's seed of such a scripted start, so that a test or screenshot run repeats
    // itself; a player's game is seeded from the time of day.
    uint32_t seed = 0;
};

class GameApp : public QObject {
    Q_OBJECT
  public:
    explicit GameApp(AppOptions options);
    ~GameApp() override;

    // Loads "default.map"; on failure shows its message and returns false (the program ends).
    // Otherwise opens the main window and schedules the start menu (or the direct start).
    bool start();

    Game& game() { return *game_; }
    MainWindow* window() const { return window_.get(); }
    bool ended() const { return ended_; }

    // The start menu loop; returns once a game stands at the player's turn or the program ends.
    void runStartMenu();
    // 新規スタート: reads the chosen scenario; false (menu stays) when it was cancelled or failed.
    bool openScenario();
    bool readScenarioFile(const QString& path, bool showOpening);
    // Set-up, house choice, first month. False when cancelled.
    static constexpr int kAskHouse = -2;   // the house selection dialog
    static constexpr int kFirstHouse = -3; // the first house holding a castle (scripted runs)
    bool beginNewGame(int house = kAskHouse);
    // データロード from the start menu or the menu; true when a game was loaded.
    bool loadSavedGame();
    void saveCurrentGame();
    void endTurn();
    void quitToStartMenu();
    void showScenarioInfo();

    // The directory the save and load choosers open in: the last one used. The settings file keeps
    // it between runs once it exists; until then it starts at the program directory.
    QString saveDirectory() const { return saveDir_; }
    void setSaveDirectory(const QString& dir) { saveDir_ = dir; }

    // Preferences, music and help (game_app_services.cpp).
    AppServices* services() const { return services_.get(); }
    // AUTO: the automatic progress dialog; the program ends when the game did.
    void runAutoProgress();
    // The start menu's Utility: true when the benchmark was chosen and its scenario read.
    bool runUtility();
    // The benchmark once its scenario is read: the years, the set-up, the run and its speed, then
    // the program ends (true). False, back to the menu, when cancelled or refused.
    bool runBenchmarkGame();

    // File choosers; tests replace them. An empty string means cancelled.
    std::function<QString()> chooseScenarioFile;
    std::function<QString(bool forSaving)> chooseSaveFile;

  private:
    void attachServices();
    void handle(FlowStatus status);
    void endProgram();
    void takeScreenshots();
    int firstHouseWithCastle() const;

    AppOptions options_;
    std::unique_ptr<Game> game_;
    QtFrontend frontend_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<AppServices> services_;
    QString saveDir_;
    bool ended_ = false;
};

// Program directory from the command line's executable path: beside the program, its data/, or the
// source tree's data/ for a build tree.
QString defaultProgramDir(const QString& applicationDir, const QString& sourceDataDir);

} // namespace vh::ui
