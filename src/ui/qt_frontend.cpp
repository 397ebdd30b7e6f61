// Modal dialogs for the rules' requests and the window updates at phase changes.
#include "ui/qt_frontend.h"

#include "ui/game_dialogs.h"
#include "ui/main_window.h"
#include "ui/ui_text.h"

namespace vh::ui {

void QtFrontend::showMessage(const std::string& text) {
    if (window_ && window_->game().closing) return; // the program is closing
    ui::showMessage(window_, utf8(text));
}

bool QtFrontend::askOkCancel(const std::string& text) {
    return ui::askOkCancel(window_, utf8(text));
}

bool QtFrontend::askYesNo(const std::string& text) {
    return ui::askYesNo(window_, utf8(text));
}

bool QtFrontend::askWatchOn(const std::string& text) {
    return ui::askYesNo(window_, utf8(text));
}

void QtFrontend::showEnding(const std::string& text) {
    EndingDialog d(utf8(text), window_);
    d.exec();
}

void QtFrontend::phaseStarted(int phase) {
    if (!window_) return;
    window_->showPhase(phase);
    window_->setPlayerTurn(false);
    // The map animates only on the player's turn; the computer houses act without it.
    window_->stopPulse();
    window_->refresh();
    // The computer houses act next, synchronously: paint the new phase before they do.
    window_->repaint();
}

void QtFrontend::playerTurn() {
    if (!window_) return;
    window_->setPlayerTurn(true);
    window_->startPulse();
    window_->refresh();
}

void QtFrontend::diplomacyLogGrew() {
    if (!window_) return;
    window_->refresh();
}

void QtFrontend::worldReplaced() {
    if (!window_) return;
    applyApplicationFont(window_->game().world.settings.language);
    window_->resetView();
}

} // namespace vh::ui
