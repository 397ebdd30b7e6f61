// The main window: header, map and log on the left; phase, money, province summary, the twelve
// command buttons, the ranking of houses and the view switches on the right; the menus.
#pragma once

#include "context/game.h"
#include "ui/header_strip.h"
#include "ui/map_view.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace vh::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Game& game, QWidget* parent = nullptr);

    Game& game() { return game_; }
    MapView* mapView() const { return map_; }
    HeaderStrip* header() const { return header_; }
    QPushButton* commandButton(int button) const; // 1..12
    QPushButton* endTurnButton() const { return endTurn_; }
    QPushButton* autoButton() const { return auto_; }
    QPushButton* backToNationalButton() const { return backToNational_; }
    QLabel* phaseLabel() const { return phaseLabel_; }
    QLabel* coordinatesLabel() const { return coords_; }
    QLabel* fundsLabel() const { return funds_; }
    QPlainTextEdit* logBox() const { return log_; }
    QTreeWidget* rankingList() const { return ranking_; }
    QCheckBox* magnifySwitch() const { return magnify_; }
    QCheckBox* colourCodingSwitch() const { return colourCoding_; }
    QLabel* summaryLabel(int row) const { return summary_[row]; } // 0 国名 .. 6 港数
    QAction* saveAction() const { return saveAction_; }
    QAction* loadAction() const { return loadAction_; }
    QAction* quitAction() const { return quitAction_; }

    // Phase label and command captions; phase 0 shows no command button.
    void showPhase(int phase);
    // The player's turn: "コマンド終了" and saving become available.
    void setPlayerTurn(bool on);
    // Everything from the world again: header, money, summary, ranking and map.
    void refresh();
    void refreshSummary();
    void appendLog(const QString& text);
    void clearLog();
    // The state of a fresh game: national map, nothing selected, the help lines in the log.
    void resetView();

    void selectProvince(int province);
    void showProvinceView(int province);
    void showNationalMap();
    void startPulse() { pulse_.start(); }
    void stopPulse() { pulse_.stop(); }

    // Asked before the window closes; false keeps it open. Without a guard the window just closes.
    std::function<bool()> closeGuard;

  signals:
    void endTurnRequested();
    void loadRequested();
    void saveRequested();
    void quitRequested();
    void scenarioInfoRequested();
    void autoProgressRequested();
    void musicSettingsRequested();
    void helpRequested();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void buildMenus();
    QWidget* buildRightPanel();
    void onLeftClick(int province, int castle);
    void onRightPress(int province);
    void onCommand(int button);
    void refreshRanking();
    void notBuiltYet();

    Game& game_;
    HeaderStrip* header_ = nullptr;
    MapView* map_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLabel* phaseLabel_ = nullptr;
    QPushButton* endTurn_ = nullptr;
    QLabel* funds_ = nullptr;
    QPushButton* auto_ = nullptr;
    QLabel* summary_[7] = {};
    QPushButton* commands_[12] = {};
    QTreeWidget* ranking_ = nullptr;
    QCheckBox* colourCoding_ = nullptr;
    QCheckBox* houseNames_ = nullptr;
    QCheckBox* magnify_ = nullptr;
    QPushButton* changeHouse_ = nullptr;
    QPushButton* backToNational_ = nullptr;
    QLabel* coords_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* loadAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QTimer pulse_;
    int phase_ = 0;
    std::string shownLog_; // the part of the diplomacy log already in the log box
};

} // namespace vh::ui
