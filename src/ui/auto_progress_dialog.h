// "自動進行": while watching, lets the months run unattended up to a chosen month, with the ranked
// list of houses refreshed as they go; 中断 stops, closing ends quiet mode.
#pragma once

#include "game/auto_progress.h"
#include "context/game.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace vh::ui {

class AutoProgressDialog : public QDialog {
    Q_OBJECT
  public:
    // `afterTick` redraws the main window after every step (may be empty).
    AutoProgressDialog(Game& game, std::function<void()> afterTick, QWidget* parent = nullptr);

    enum SortKey { ByCastles = 0, ByOwnYield = 1, ByYieldWithVassals = 2 };

    QSpinBox* yearField() const { return year_; }
    QSpinBox* monthField() const { return month_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* closeButton() const { return close_; }
    QComboBox* sortChoice() const { return sort_; }
    QTreeWidget* houseList() const { return list_; }
    bool running() const { return run_.running; }
    // How the run ended: the game was unified, or the player chose to end it.
    AutoTick lastTick() const { return last_; }

    void startRun();
    void stopRun();
    void refreshList();

  protected:
    void reject() override;

  private:
    void tick();
    void setRunning(bool on);

    Game& game_;
    std::function<void()> afterTick_;
    AutoProgress run_;
    AutoTick last_ = AutoTick::Continue;
    QTimer timer_;
    QSpinBox* year_ = nullptr;
    QSpinBox* month_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* close_ = nullptr;
    QComboBox* sort_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

} // namespace vh::ui
