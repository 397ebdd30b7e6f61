// A scripted player that also records the month's typed requests (harvest, accounts, fleets,
// weather, ronin) so the tests can check what reached the player.
#pragma once

#include "game/scripted_frontend.h"

#include <deque>
#include <vector>

namespace vh::test {

// Seeds spread over the whole state space: consecutive small seeds all begin with a small draw.
inline uint32_t spreadSeed(uint32_t s) {
    return s * 0x9E3779B9u + 12345u;
}

class RecordingFrontend : public ScriptedFrontend {
  public:
    int taxAnswer = kStandardTaxIndex;
    std::vector<HarvestRequest> harvests;
    std::vector<AccountsReport> reports;
    std::vector<TradeShipReturn> returns;
    std::vector<WeatherEvent> weather;
    std::vector<RoninRequest> ronin;
    std::deque<bool> roninAnswers; // empty: take him on

    int chooseHarvestTax(const HarvestRequest& r) override {
        harvests.push_back(r);
        return taxAnswer;
    }
    void showAccountsReport(const AccountsReport& r) override { reports.push_back(r); }
    void showTradeShipReturn(const TradeShipReturn& r) override { returns.push_back(r); }
    void showWeatherEvent(const WeatherEvent& e) override { weather.push_back(e); }
    bool askRoninService(const RoninRequest& r) override {
        ronin.push_back(r);
        if (roninAnswers.empty()) return true;
        bool a = roninAnswers.front();
        roninAnswers.pop_front();
        return a;
    }
};

} // namespace vh::test
