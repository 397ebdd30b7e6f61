// The small dialogs around a game: the start menu, the scenario's opening text, the scenario
// information and the ending.
#pragma once

#include "game/new_game.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace vh::ui {

// "VARDENHOLM スタートメニュー". 新規スタート closes the menu only when `newGame` reports a scenario
// was read; closing the dialog counts as 終了.
class StartMenuDialog : public QDialog {
    Q_OBJECT
  public:
    enum Result { NewGame = 0, LoadGame = 1, Quit = 2, Benchmark = 3 };
    StartMenuDialog(std::function<bool()> newGame, QWidget* parent = nullptr);
    Result choice() const { return choice_; }
    QPushButton* button(const QString& caption) const;

    // Utility: the utility dialog; true when it chose the benchmark and a scenario was read, which
    // closes the menu with Benchmark. Help: opens the help. Without them the buttons do nothing.
    std::function<bool()> utility;
    std::function<void()> help;

  protected:
    void reject() override;

  private:
    std::function<bool()> newGame_;
    Result choice_ = Quit;
};

// The opening text of a scenario, read-only and scrollable, with OK.
class OpeningDialog : public QDialog {
    Q_OBJECT
  public:
    OpeningDialog(const QString& title, const QString& text, QWidget* parent = nullptr);
};

// "シナリオ情報".
class ScenarioInfoDialog : public QDialog {
    Q_OBJECT
  public:
    ScenarioInfoDialog(const ScenarioInfo& info, QWidget* parent = nullptr);
};

// "エンディング": the unifying house's name and the ending text, closed with "完".
class EndingDialog : public QDialog {
    Q_OBJECT
  public:
    EndingDialog(const QString& text, QWidget* parent = nullptr);
};

} // namespace vh::ui
