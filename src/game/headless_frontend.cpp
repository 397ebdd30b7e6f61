// The automatic answers of an unattended run.
#include "game/headless_frontend.h"

namespace vh {

void HeadlessFrontend::record(const char* kind, const std::string& text) {
    if (limit_ == 0) return;
    if (log_.size() >= limit_) log_.erase(log_.begin(), log_.begin() + static_cast<long>(log_.size() / 2));
    log_.push_back({kind, text});
}

void HeadlessFrontend::showMessage(const std::string& text) { record("message", text); }

bool HeadlessFrontend::askOkCancel(const std::string& text) {
    record("ok-cancel", text);
    return true;
}

bool HeadlessFrontend::askYesNo(const std::string& text) {
    record("yes-no", text);
    return true;
}

bool HeadlessFrontend::askWatchOn(const std::string& text) {
    record("watch-on", text);
    return true;
}

void HeadlessFrontend::showEnding(const std::string& text) { record("ending", text); }

} // namespace vh
