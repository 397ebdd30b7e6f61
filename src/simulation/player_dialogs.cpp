// Quiet-aware routing of the month's dialogs to the Frontend, and their fixed texts.
#include "simulation/player_dialogs.h"

#include "world/world_state.h"

namespace vh {

int livingPlayerHouse(const WorldState& w) {
    if (w.spectator || !houseAlive(w, w.playerHouse)) return -1;
    return w.playerHouse;
}

int askHarvestTax(Game& game, const std::vector<int8_t>& outcomes) {
    // Only a living player house has a rate to choose.
    if (game.quietMode || !game.frontend || livingPlayerHouse(game.world) < 0) return kStandardTaxIndex;
    HarvestRequest req{outcomes};
    int index = game.frontend->chooseHarvestTax(req);
    return (index >= 0 && index < kTaxChoices) ? index : kStandardTaxIndex;
}

void announceTradeShipReturn(Game& game, const TradeShipReturn& ret) {
    if (game.quietMode) return;
    if (game.frontend)
        game.frontend->showTradeShipReturn(ret);
    else
        game.messageLog.push_back(ret.firstLine() + "\n" + ret.secondLine());
}

void reportAccounts(Game& game, const AccountsReport& report) {
    if (game.quietMode || !game.frontend) return;
    game.frontend->showAccountsReport(report);
}

void announceWeather(Game& game, const WeatherEvent& event) {
    if (game.quietMode) return;
    if (game.frontend)
        game.frontend->showWeatherEvent(event);
    else
        game.messageLog.push_back(event.heading() + "\n" + event.footer());
}

bool askRoninService(Game& game, const RoninRequest& request) {
    if (game.quietMode || !game.frontend) return true;
    return game.frontend->askRoninService(request);
}

} // namespace vh
