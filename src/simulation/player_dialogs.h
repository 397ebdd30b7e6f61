// How the month's accounts and events reach the player: each request goes to the Frontend only
// when the player's house is alive and play is not automatic, and falls back to the automatic
// answer otherwise. Without a frontend the texts go to the game's message log.
#pragma once

#include "context/game.h"
#include "context/event_requests.h"

namespace vh {

// The player's living house, or -1 (watching, fallen, or no game).
int livingPlayerHouse(const WorldState& w);

// The harvest tax index of the player's house: asked unless automatic; answers outside 0..8 count
// as the standard rate.
int askHarvestTax(Game& game, const std::vector<int8_t>& outcomes);
void announceTradeShipReturn(Game& game, const TradeShipReturn& ret);
void reportAccounts(Game& game, const AccountsReport& report);
void announceWeather(Game& game, const WeatherEvent& event);
// True when the player takes the masterless general on (automatic play accepts, as a computer
// house would).
bool askRoninService(Game& game, const RoninRequest& request);

} // namespace vh
