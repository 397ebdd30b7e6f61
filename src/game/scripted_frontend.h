// ScriptedFrontend: a player for tests. Answers come from a queue in the order the test lists
// them; every request is recorded so a test can check exactly what the player was shown or asked.
#pragma once

#include "context/frontend.h"

#include <deque>
#include <string>
#include <vector>

namespace vh {

class ScriptedFrontend : public Frontend {
public:
    struct Request {
        // "message", "ok-cancel", "yes-no", "watch-on", "ending", "phase", "turn", "world", "harvest",
        // "accounts", "trade-ship", "weather", "ronin", "envoy", "hostage", "surrender",
        // "battle-report"
        std::string kind;
        std::string text;
    };

    // Queues the answer to the next question (OK/Cancel, Yes/No, watch on).
    ScriptedFrontend& answer(bool yes) {
        answers_.push_back(yes);
        return *this;
    }
    // Queues the tax index of the next harvest (the standard rate when none is queued).
    ScriptedFrontend& harvestTax(int index) {
        taxes_.push_back(index);
        return *this;
    }
    // Queues the row given at the next hostage demand (-1 refuses); unqueued: the automatic row.
    ScriptedFrontend& hostageRow(int row) {
        hostageRows_.push_back(row);
        return *this;
    }
    // Answer given when the queue is empty; every such question is counted as unscripted.
    void setFallbackAnswer(bool yes) { fallback_ = yes; }

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askWatchOn(const std::string& text) override;
    void showEnding(const std::string& text) override;
    void phaseStarted(int phase) override;
    void playerTurn() override;
    void worldReplaced() override;
    // Typed requests: recorded, then answered from the queues (yes/no ones from the answers).
    int chooseHarvestTax(const HarvestRequest& request) override;
    void showAccountsReport(const AccountsReport& report) override;
    void showTradeShipReturn(const TradeShipReturn& r) override;
    void showWeatherEvent(const WeatherEvent& e) override;
    bool askRoninService(const RoninRequest& request) override;
    EnvoyVisitAnswer askEnvoyVisit(const EnvoyVisitRequest& request) override;
    int chooseHostage(const HostageRequest& request) override;
    // Recorded with the names of the rows, then decided as the default does.
    void treatSurrenderedGenerals(const SurrenderRequest& request) override;
    void showBattleReport(const std::string& text) override;

    const std::vector<Request>& requests() const { return requests_; }
    // The recorded requests of one kind, texts only.
    std::vector<std::string> texts(const std::string& kind) const;
    int count(const std::string& kind) const { return static_cast<int>(texts(kind).size()); }
    int unscriptedQuestions() const { return unscripted_; }
    size_t pendingAnswers() const { return answers_.size(); }
    void clear() { requests_.clear(); }

private:
    bool nextAnswer();
    std::vector<Request> requests_;
    std::deque<bool> answers_;
    std::deque<int> taxes_;
    std::deque<int> hostageRows_;
    bool fallback_ = true;
    int unscripted_ = 0;
};

} // namespace vh
