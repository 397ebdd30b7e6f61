// HeadlessFrontend: the player's seat when nobody sits in it. Every question gets the rules' own
// automatic answer and everything shown is kept in a log, so the command-line runner never blocks.
#pragma once

#include "context/frontend.h"

#include <string>
#include <vector>

namespace vh {

class HeadlessFrontend : public Frontend {
public:
    void showMessage(const std::string& text) override;
    // OK: go ahead with what the rules proposed.
    bool askOkCancel(const std::string& text) override;
    // Yes, the answer the computer houses give in the same situation.
    bool askYesNo(const std::string& text) override;
    // Watch on: an unattended run keeps running to its target date.
    bool askWatchOn(const std::string& text) override;
    void showEnding(const std::string& text) override;

    // Everything shown or asked, in order, with a short tag for the kind ("message", "ending", ...).
    struct Entry {
        std::string kind;
        std::string text;
    };
    const std::vector<Entry>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Caps the log so a run of many years cannot grow it without bound (oldest entries go first).
    void setLogLimit(size_t limit) { limit_ = limit; }

private:
    void record(const char* kind, const std::string& text);
    std::vector<Entry> log_;
    size_t limit_ = 100000;
};

} // namespace vh
