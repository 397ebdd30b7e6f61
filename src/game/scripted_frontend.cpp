// Queue-driven answers and the record of every request.
#include "game/scripted_frontend.h"

namespace vh {

bool ScriptedFrontend::nextAnswer() {
    if (answers_.empty()) {
        ++unscripted_;
        return fallback_;
    }
    const bool a = answers_.front();
    answers_.pop_front();
    return a;
}

void ScriptedFrontend::showMessage(const std::string& text) { requests_.push_back({"message", text}); }

bool ScriptedFrontend::askOkCancel(const std::string& text) {
    requests_.push_back({"ok-cancel", text});
    return nextAnswer();
}

bool ScriptedFrontend::askYesNo(const std::string& text) {
    requests_.push_back({"yes-no", text});
    return nextAnswer();
}

bool ScriptedFrontend::askWatchOn(const std::string& text) {
    requests_.push_back({"watch-on", text});
    return nextAnswer();
}

void ScriptedFrontend::showEnding(const std::string& text) { requests_.push_back({"ending", text}); }

void ScriptedFrontend::phaseStarted(int phase) { requests_.push_back({"phase", std::to_string(phase)}); }

void ScriptedFrontend::playerTurn() { requests_.push_back({"turn", {}}); }

void ScriptedFrontend::worldReplaced() { requests_.push_back({"world", {}}); }

int ScriptedFrontend::chooseHarvestTax(const HarvestRequest& request) {
    requests_.push_back({"harvest", std::to_string(request.outcomes.size())});
    if (taxes_.empty()) return Frontend::chooseHarvestTax(request);
    const int t = taxes_.front();
    taxes_.pop_front();
    return t;
}

void ScriptedFrontend::showAccountsReport(const AccountsReport& report) {
    requests_.push_back({"accounts", report.houseName});
}

void ScriptedFrontend::showTradeShipReturn(const TradeShipReturn& r) {
    requests_.push_back({"trade-ship", r.firstLine() + "\n" + r.secondLine()});
}

void ScriptedFrontend::showWeatherEvent(const WeatherEvent& e) { requests_.push_back({"weather", e.heading()}); }

void ScriptedFrontend::showBattleReport(const std::string& text) { requests_.push_back({"battle-report", text}); }

bool ScriptedFrontend::askRoninService(const RoninRequest& request) {
    requests_.push_back({"ronin", request.question()});
    return nextAnswer();
}

EnvoyVisitAnswer ScriptedFrontend::askEnvoyVisit(const EnvoyVisitRequest& request) {
    requests_.push_back({"envoy", request.question});
    EnvoyVisitAnswer a;
    a.accept = nextAnswer();
    return a;
}

int ScriptedFrontend::chooseHostage(const HostageRequest& request) {
    requests_.push_back({"hostage", request.header()});
    if (hostageRows_.empty()) return Frontend::chooseHostage(request);
    const int row = hostageRows_.front();
    hostageRows_.pop_front();
    return row;
}

void ScriptedFrontend::treatSurrenderedGenerals(const SurrenderRequest& request) {
    std::string names;
    for (const SurrenderedRow& r : request.rows) names += (names.empty() ? "" : ",") + r.name;
    requests_.push_back({"surrender", names});
    Frontend::treatSurrenderedGenerals(request);
}

std::vector<std::string> ScriptedFrontend::texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const Request& r : requests_)
        if (r.kind == kind) out.push_back(r.text);
    return out;
}

} // namespace vh
