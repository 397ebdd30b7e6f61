// The desktop window's side of the Frontend seam: the rules' messages and questions as modal
// dialogs over the main window, and the turn driver's display hooks redrawing it.
#pragma once

#include "game/frontend.h"

namespace vh::ui {

class MainWindow;

class QtFrontend : public Frontend {
  public:
    void attach(MainWindow* window) { window_ = window; }

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askWatchOn(const std::string& text) override;
    void showEnding(const std::string& text) override;

    void phaseStarted(int phase) override;
    void playerTurn() override;
    void worldReplaced() override;

  private:
    MainWindow* window_ = nullptr;
};

} // namespace vh::ui
